#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The folder "personal/" under the program folder, where the box keeps the
// code of the effects it creates, one GB2312 page per effect. Code files
// anywhere else belong to the user and are never written or removed.
class PersonalCodeFolder {
public:
    explicit PersonalCodeFolder(const QString &programFolder);

    QString path() const { return m_path; } // ends with "/"

    // The file an entry's target names: an absolute path as it stands, a
    // relative one from the program folder, as the main program loads it.
    QString Resolve(const QString &target) const;

    // True when the target is a file the box created: it lies directly in
    // this folder.
    bool Owns(const QString &target) const;

    // The file's text with "\n" line ends; nothing when it cannot be read.
    std::optional<QString> ReadCode(const QString &target) const;

    // The absolute path of a file of this folder that does not exist yet,
    // for the code of a new effect.
    QString NewCodeFilePath() const;

    // Writes `code` as a GB2312 page with CR LF line ends to `path`, one of
    // this folder's files, creating the folder when it is missing. False,
    // with the reason in `error`, when it cannot be written.
    bool WriteCodeFile(const QString &path, const QString &code, QString *error) const;

    // Removes a file the box created, unless one of `stillUsed` (targets of
    // the remaining entries) names it too.
    void RemoveCodeFile(const QString &target, const QStringList &stillUsed) const;

private:
    QString m_programFolder;
    QString m_path;
};
