#include "BackslashToSlash.h"

namespace tierglide {

QString BackslashToSlash(const QString &url) {
    QString result = url;
    result.replace(QChar(u'\\'), QChar(u'/'));
    return result;
}

} // namespace tierglide
