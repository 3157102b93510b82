#include "platform/DesktopShell.h"

#include <QDesktopServices>

namespace platform {

void ShellOpenFile(const QString &path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ShellOpenUrl(const QUrl &url) {
    QDesktopServices::openUrl(url);
}

} // namespace platform
