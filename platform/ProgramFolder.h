#pragma once

#include <QString>

namespace platform {

// The folder of the running executable, ending with "/". Every file the
// program uses is found by appending a relative path to it.
QString ProgramFolder();

// Makes ProgramFolder() answer `folder` (a trailing "/" is added when
// missing); an empty string returns to the executable's folder. Tests use it
// to run the real code on a temporary program folder.
void SetProgramFolder(const QString &folder);

} // namespace platform
