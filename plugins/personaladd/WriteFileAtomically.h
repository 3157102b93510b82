#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` in one step: the bytes go to a
// temporary file beside it, which takes the file's place only once it has
// been written whole. On failure the old file is left as it was, and
// `error` (when given) says why.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error);
