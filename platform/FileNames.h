#pragma once

#include <QString>

namespace platform {

// True when `name` is a plain file name that stays inside the folder it is
// appended to: not empty, no "/" or "\", not "." or "..", no NUL.
bool IsPlainFileName(const QString &name);

} // namespace platform
