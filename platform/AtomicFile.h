#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes `bytes` to `path` atomically: the old file stays whole until the new
// one is complete, and stays as it was when anything fails (a read-only
// folder, a full disk). A link is written through to the file it names. Only
// a regular file is ever replaced: a FIFO, a device or a folder at the path
// (or at the end of a link) is left alone and nothing is written, since
// replacing it would destroy it and writing into it could block or go
// anywhere. On failure `error`, when given, says why.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace platform
