#include "platform/AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace platform {

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile()) {
        if (error)
            *error = QStringLiteral("%1 is not a regular file").arg(path);
        return false;
    }
    QSaveFile file(path);
    // Never fall back to writing the file in place: a half-written file would
    // lose what the old one held.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a write that fails (a full disk) fails here. Buffered,
    // the bytes would only be written by commit(), which does not notice that
    // failure and puts the empty new file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace platform
