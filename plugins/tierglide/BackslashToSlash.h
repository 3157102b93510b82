#pragma once

#include <QString>

namespace tierglide {

// `url` with every backslash turned into a slash, so that a local path such
// as C:\web\a.htm becomes a usable link C:/web/a.htm.
QString BackslashToSlash(const QString &url);

} // namespace tierglide
