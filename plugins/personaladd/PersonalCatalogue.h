#pragma once

#include "PersonalEntry.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The personal catalogue, "system/personal.tvo" under the program folder:
// the one section "[Personal]" with its Number and its keys Personal001, ...
// It is read with the main program's own private-profile reader, so the box
// and the Personal category always see the same entries.
class PersonalCatalogue {
public:
    // Entries trusted from a damaged Number, as the category list trusts it.
    static constexpr int MaxEntries = 100000;

    explicit PersonalCatalogue(const QString &programFolder);

    QString path() const { return m_path; }

    // Reads the entries 1 to Number; a missing file has none. A file that is
    // there but cannot be read as a catalogue (a folder, too large) also
    // gives none, and then write() refuses to replace it.
    QVector<PersonalEntry> read();

    // Replaces the file with these entries in one step. False, with the
    // reason in `error`, when it cannot be written; the old file is then
    // left as it was.
    bool write(const QVector<PersonalEntry> &entries, QString *error) const;

    // The file's bytes for these entries: GB2312, CR LF line ends.
    static QByteArray Format(const QVector<PersonalEntry> &entries);

private:
    QString m_path;
    bool m_unreadable = false;
};
