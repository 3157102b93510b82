#include "PersonalCodeFolder.h"

#include "platform/AtomicFile.h"

#include "platform/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString txt(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// A path with symbolic links resolved as far as it exists, so that two
// spellings of one file compare equal.
QString Canonical(const QString &path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

PersonalCodeFolder::PersonalCodeFolder(const QString &programFolder)
    : m_programFolder(programFolder), m_path(programFolder + txt("personal/")) {}

QString PersonalCodeFolder::Resolve(const QString &target) const {
    if (target.isEmpty() || QDir::isAbsolutePath(target))
        return target;
    return m_programFolder + target;
}

bool PersonalCodeFolder::Owns(const QString &target) const {
    if (target.isEmpty())
        return false;
    const QFileInfo file(Resolve(target));
    if (file.fileName().isEmpty())
        return false;
    return Canonical(file.absolutePath()) == Canonical(m_path);
}

std::optional<QString> PersonalCodeFolder::ReadCode(const QString &target) const {
    if (target.isEmpty())
        return std::nullopt;
    return platform::ReadTextFile(Resolve(target));
}

QString PersonalCodeFolder::NewCodeFilePath() const {
    // Named after the moment it is made; a number follows when that name is
    // taken already.
    const QString stem =
        txt("efx") + QDateTime::currentDateTime().toString(txt("yyyyMMdd-hhmmss-zzz"));
    QString path = m_path + stem + txt(".htm");
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = m_path + stem + u'-' + QString::number(n) + txt(".htm");
    return path;
}

bool PersonalCodeFolder::WriteCodeFile(const QString &path, const QString &code,
                                       QString *error) const {
    if (!QDir().mkpath(m_path)) {
        if (error)
            *error = txt("无法建立文件夹 %1").arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    return platform::WriteFileAtomically(path, platform::PageBytes(code), error);
}

void PersonalCodeFolder::RemoveCodeFile(const QString &target, const QStringList &stillUsed) const {
    if (!Owns(target))
        return;
    const QString file = Canonical(Resolve(target));
    for (const QString &other : stillUsed) {
        if (!other.isEmpty() && Canonical(Resolve(other)) == file)
            return;
    }
    QFile::remove(Resolve(target));
}
