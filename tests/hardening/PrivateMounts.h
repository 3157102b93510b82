#pragma once

#include <QString>

// File systems of the test's own: the process moves into a mount namespace
// of its own (as root, or as root of a user namespace of its own), so it can
// mount small tmpfs file systems, make them read-only or fill them up, and
// nobody else ever sees them. Enter() must run before any thread starts
// (before the application object exists); tests that need a mount skip when
// it failed.
class PrivateMounts {
public:
    static bool Enter();
    static bool Available() { return m_available; }
    static QString Reason() { return m_reason; } // why Enter failed

    // A tmpfs of `bytes` bytes on the existing folder `path`; false on failure.
    static bool MountTmpfs(const QString &path, qint64 bytes);
    // Makes the file system mounted on `path` read-only.
    static bool MakeReadOnly(const QString &path);
    static bool Unmount(const QString &path);

private:
    static bool m_available;
    static QString m_reason;
};
