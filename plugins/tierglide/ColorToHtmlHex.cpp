#include "ColorToHtmlHex.h"

namespace tierglide {

QString ColorToHtmlHex(const QColor &color) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const int parts[3] = {color.red(), color.green(), color.blue()};
    QString hex(6, QChar(u'0'));
    for (int i = 0; i < 3; ++i) {
        hex[2 * i] = QChar(digits[(parts[i] >> 4) & 0xF]);
        hex[2 * i + 1] = QChar(digits[parts[i] & 0xF]);
    }
    return hex;
}

} // namespace tierglide
