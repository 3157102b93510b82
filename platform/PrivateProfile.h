#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

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

    // Reads and parses the file; a missing or unreadable file, or one that is
    // not a regular file, gives an empty profile.
    static PrivateProfile fromFile(const QString &path);
    static PrivateProfile fromBytes(const QByteArray &bytes);
    static PrivateProfile fromText(QStringView text);

    // The key's value cut to MaxValueBytes (never inside a character), or
    // the empty string when the section or the key is missing.
    QString readString(QStringView section, QStringView key) const;

    // The value's leading decimal digits; 0 when missing, negative or not a
    // number; values beyond the range of int read as INT_MAX.
    int readInt(QStringView section, QStringView key) const;

    // Limits of the files fromFile reads: larger ones are taken as empty.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

private:
    QHash<QString, QHash<QString, QString>> m_sections;
};

// `name` with its ASCII letters in lower case, as names are compared.
QString foldName(QStringView name);

} // namespace platform
