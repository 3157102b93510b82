#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>

// A temporary program folder (system/, the category folders and images/)
// that the program's code reads through platform::ProgramFolder(), plus a
// recorder for message boxes that answers them from a queue.
class ProgramFolderFixture {
public:
    struct Message {
        QString text;
        QString caption;
        int flags;
    };

    ProgramFolderFixture();
    ~ProgramFolderFixture();

    QString path() const; // ends with "/"
    QString file(const QString &relative) const { return path() + relative; }

    // Writes UTF-8 `text` as GB2312 with CR LF line ends.
    void writeGb(const QString &relative, const QString &text) const;
    void writeBytes(const QString &relative, const QByteArray &bytes) const;
    QByteArray readBytes(const QString &relative) const;
    // Copies a built library into system/ under `name`.
    void installLibrary(const QString &builtPath, const QString &name) const;

    // Message boxes shown since the last call; answered with ID_OK unless an
    // answer was queued.
    QList<Message> takeMessages();
    void queueAnswer(int answer) { m_answers.push_back(answer); }

private:
    QTemporaryDir m_dir;
    QList<Message> m_messages;
    std::deque<int> m_answers;
};
