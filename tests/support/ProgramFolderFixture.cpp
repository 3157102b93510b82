#include "support/ProgramFolderFixture.h"

#include "platform/AppMessageBox.h"
#include "platform/Gb2312.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ProgramFolderFixture::ProgramFolderFixture() {
    QDir root(m_dir.path());
    for (const char *folder : {"system", "time", "text", "mouse", "windows", "picture", "play",
                               "Menu", "other", "images"})
        root.mkpath(QString::fromLatin1(folder));
    platform::SetProgramFolder(m_dir.path());
    platform::SetMessageBoxHook([this](const QString &text, const QString &caption, int flags) {
        m_messages.append({text, caption, flags});
        if (m_answers.empty())
            return platform::ID_OK;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

ProgramFolderFixture::~ProgramFolderFixture() {
    platform::SetMessageBoxHook(nullptr);
    platform::SetProgramFolder(QString());
}

QString ProgramFolderFixture::path() const {
    return m_dir.path() + QLatin1Char('/');
}

void ProgramFolderFixture::writeGb(const QString &relative, const QString &text) const {
    QString crlf = text;
    crlf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    writeBytes(relative, platform::toGb(crlf));
}

void ProgramFolderFixture::writeBytes(const QString &relative, const QByteArray &bytes) const {
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ProgramFolderFixture::readBytes(const QString &relative) const {
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ProgramFolderFixture::installLibrary(const QString &builtPath, const QString &name) const {
    const QString target = file(QStringLiteral("system/") + name);
    QFile::remove(target);
    QFile::copy(builtPath, target);
}

QList<ProgramFolderFixture::Message> ProgramFolderFixture::takeMessages() {
    QList<Message> messages;
    messages.swap(m_messages);
    return messages;
}
