#include "platform/TextFile.h"

#include "platform/Gb2312.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace platform {

std::optional<QByteArray> ReadRegularFile(const QString &path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read in pieces sized by the file's own size, never more than one byte
    // beyond the limit: a file that grows while it is read (or lies about its
    // size) is still refused, and no buffer of the limit's size is allocated.
    QByteArray bytes;
    const qint64 piece = std::max<qint64>(info.size() + 1, 64 * 1024);
    while (bytes.size() <= maxBytes) {
        const QByteArray chunk = file.read(std::min<qint64>(piece, maxBytes + 1 - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<QString> ReadTextFile(const QString &path, qint64 maxBytes) {
    const std::optional<QByteArray> bytes = ReadRegularFile(path, maxBytes);
    if (!bytes)
        return std::nullopt;
    QString text = fromGb(*bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QByteArray PageBytes(const QString &text) {
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return toGb(crlf);
}

} // namespace platform
