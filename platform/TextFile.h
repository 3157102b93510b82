#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// The largest code file the program loads into its code pane.
constexpr qint64 MaxCodeFileBytes = 16 * 1024 * 1024;

// The bytes of a regular file of at most maxBytes bytes, or nothing when the
// path names no regular file (a folder, a FIFO, a device), cannot be read, or
// is larger. FIFOs and devices are never opened, so nothing blocks.
std::optional<QByteArray> ReadRegularFile(const QString &path, qint64 maxBytes);

// A GB2312 text file decoded, with its line ends (CR LF, LF or CR) turned
// into "\n"; nothing when ReadRegularFile gives nothing.
std::optional<QString> ReadTextFile(const QString &path, qint64 maxBytes = MaxCodeFileBytes);

// `text` with "\n" line ends as the bytes of a GB2312 page: CR LF between
// lines, no byte-order mark, nothing added.
QByteArray PageBytes(const QString &text);

} // namespace platform
