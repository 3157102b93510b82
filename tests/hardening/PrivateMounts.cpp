#include "PrivateMounts.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

bool PrivateMounts::m_available = false;
QString PrivateMounts::m_reason = QStringLiteral("not entered");

namespace {

QString LastError(const char *what) {
    return QString::fromLatin1(what) + QStringLiteral(": ") +
           QString::fromLocal8Bit(strerror(errno));
}

bool WriteProcFile(const char *path, const QByteArray &text) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

bool PrivateMounts::Enter() {
    if (::unshare(CLONE_NEWNS) != 0) {
        // Without the right to mount here, a user namespace of our own gives it.
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            m_reason = LastError("unshare");
            return false;
        }
        WriteProcFile("/proc/self/setgroups", "deny");
        if (!WriteProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
            !WriteProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1")) {
            m_reason = QStringLiteral("cannot map the user into its namespace");
            return false;
        }
    }
    // Nothing mounted here may show in the namespace the test came from.
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        m_reason = LastError("mount --make-rprivate /");
        return false;
    }
    m_available = true;
    m_reason.clear();
    return true;
}

bool PrivateMounts::MountTmpfs(const QString &path, qint64 bytes) {
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    return ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) ==
           0;
}

bool PrivateMounts::MakeReadOnly(const QString &path) {
    return ::mount(nullptr, QFile::encodeName(path).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                   nullptr) == 0;
}

bool PrivateMounts::Unmount(const QString &path) {
    return ::umount2(QFile::encodeName(path).constData(), MNT_DETACH) == 0;
}
