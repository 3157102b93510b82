#include "platform/FileNames.h"

namespace platform {

bool IsPlainFileName(const QString &name) {
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

} // namespace platform
