#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <QVector>

namespace platform {

// A parsed private-profile ("INI") file, read the way the Windows
// private-profile functions read one:
// - "[name]" starts a section (up to the last "]"; without one, the rest of
//   the line), "key=value" lines belong to the section above them;
// - section and key names match without regard to the case of ASCII letters;
// - names and values are trimmed of blanks, a value wrapped in one pair of
//   matching quotes loses them, ";" at the start of a line is a comment;
// - the first of duplicate sections or keys wins;
// - CR LF, LF and CR-only line ends all work; a UTF-8 byte-order mark is
//   skipped, a UTF-16 file with its byte-order mark is read as UTF-16,
//   everything else is GB2312.
class PrivateProfile {
public:
    // The longest value readString returns, in GB2312 bytes.
    static constexpr int MaxValueBytes = 399;

    PrivateProfile() = default;
    PrivateProfile(const PrivateProfile &other) = delete;
    PrivateProfile &operator=(const PrivateProfile &other) = delete;
    PrivateProfile(PrivateProfile &&other) noexcept = default;
    PrivateProfile &operator=(PrivateProfile &&other) noexcept = default;

    // Reads and parses the file; a missing or unreadable file, or one that is
    // not a regular file, gives an empty profile.
    static PrivateProfile fromFile(const QString &path);
    static PrivateProfile fromBytes(const QByteArray &bytes);
    static PrivateProfile fromText(QString text);

    // The key's value cut to MaxValueBytes (never inside a character), or
    // the empty string when the section or the key is missing.
    QString readString(QStringView section, QStringView key) const;

    // One key=value line of a section, pointing into this profile's text.
    struct Entry {
        QStringView key;
        QStringView value; // as it stands in the file, not cut
    };
    // The section's lines in file order, duplicates included (the first of
    // them is the one that counts); null when the section is missing. For
    // callers that read a whole section in one pass.
    const QVector<Entry> *sectionEntries(QStringView section) const;

    // The whole decoded text the entries' views point into; a copy shares it
    // and keeps those views valid.
    const QString &text() const { return m_text; }

    // True when two names are the same to the private-profile functions.
    static bool sameName(QStringView a, QStringView b);
    // A value read as readInt reads it.
    static int toInt(QStringView value);

    // The value's leading decimal digits; 0 when missing, negative or not a
    // number; values beyond the range of int read as INT_MAX.
    int readInt(QStringView section, QStringView key) const;

    // Limits of the files fromFile reads: larger ones are taken as empty.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

private:
    // A name inside the decoded text, hashed and compared without regard to
    // the case of ASCII letters, so parsing and look-ups allocate nothing.
    struct Name {
        QStringView text;
        bool operator==(const Name &other) const;
    };
    friend size_t qHash(const Name &name, size_t seed) noexcept;
    struct Section {
        QVector<Entry> entries;
        // Built on the first look-up by name: key to the first entry of it.
        mutable QHash<Name, qsizetype> byName;
        mutable bool indexed = false;
    };
    const Entry *find(QStringView section, QStringView key) const;

    QString m_text; // the whole file, decoded; names and values point into it
    QHash<Name, Section> m_sections;
};

} // namespace platform
