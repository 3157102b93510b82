#include "platform/TextFile.h"

#include "platform/Gb2312.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

std::optional<QByteArray> ReadRegularFile(const QString &path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read at most one byte beyond the limit: a file that grows while it is
    // read (or lies about its size) is still refused.
    QByteArray bytes = file.read(maxBytes + 1);
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
