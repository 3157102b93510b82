#pragma once

#include <QString>

// The file a page chosen as `name` in the save dialog is written to: `name`
// itself when it ends in exactly ".htm", otherwise `name` + ".htm". The
// extension is the text from the last dot on, unless a "/", "\" or ":"
// follows that dot.
QString SaveTargetName(const QString &name);
