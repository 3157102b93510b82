#include "WriteFileAtomically.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
    QSaveFile file(path);
    // Never fall back to writing the file in place: a half-written catalogue
    // would lose the user's entries.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
