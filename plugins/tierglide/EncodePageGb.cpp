#include "EncodePageGb.h"

#include "platform/Gb2312.h"

namespace tierglide {

QByteArray EncodePageGb(const QString &page) {
    // Pieces end after a line feed, so no character is ever cut in two.
    constexpr qsizetype PieceSize = 32 * 1024;
    const QStringView text(page);
    QByteArray bytes;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype to = from + PieceSize;
        if (to >= text.size()) {
            to = text.size();
        } else {
            const qsizetype lineEnd = text.indexOf(QChar(u'\n'), to);
            to = lineEnd < 0 ? text.size() : lineEnd + 1;
        }
        bytes.append(platform::toGb(text.mid(from, to - from)));
        from = to;
    }
    return bytes;
}

} // namespace tierglide
