#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// Asks the desktop to open a local file (the browser for a page) or an
// address (a web page, a new mail for "mailto:"). The result is not examined:
// with nothing registered to open it, nothing happens.
void ShellOpenFile(const QString &path);
void ShellOpenUrl(const QUrl &url);

} // namespace platform
