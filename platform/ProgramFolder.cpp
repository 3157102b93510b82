#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace platform {

namespace {
QString &overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void SetProgramFolder(const QString &folder) {
    overrideFolder() = folder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        overrideFolder() += QLatin1Char('/');
}

} // namespace platform
