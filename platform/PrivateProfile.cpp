#include "platform/PrivateProfile.h"

#include "platform/Gb2312.h"
#include "platform/TextFile.h"

#include <QStringDecoder>

#include <climits>

namespace platform {

QString foldName(QStringView name) {
    QString folded = name.toString();
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            c = QChar(char16_t(u + (u'a' - u'A')));
    }
    return folded;
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimmed(QStringView s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

QStringView unquoted(QStringView v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

} // namespace

PrivateProfile PrivateProfile::fromFile(const QString &path) {
    const std::optional<QByteArray> bytes = ReadRegularFile(path, MaxFileBytes);
    return bytes ? fromBytes(*bytes) : PrivateProfile();
}

PrivateProfile PrivateProfile::fromBytes(const QByteArray &bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return fromText(fromGb(QByteArrayView(bytes).sliced(3)));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return fromText(QString(utf16.decode(QByteArrayView(bytes).sliced(2))));
    }
    return fromText(fromGb(bytes));
}

PrivateProfile PrivateProfile::fromText(QStringView text) {
    PrivateProfile profile;
    QHash<QString, QString> *section = nullptr; // null: before any section, or a duplicate
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = trimmed(text.mid(pos, end - pos));
        pos = end;
        if (pos < n && text[pos] == u'\r') {
            ++pos;
            if (pos < n && text[pos] == u'\n')
                ++pos;
        } else if (pos < n) {
            ++pos; // a lone LF
        }

        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.lastIndexOf(u']');
            const QStringView name = trimmed(close > 0 ? line.mid(1, close - 1) : line.mid(1));
            const QString key = foldName(name);
            if (profile.m_sections.contains(key)) {
                section = nullptr; // the first section of that name wins
            } else {
                section = &profile.m_sections[key];
            }
            continue;
        }
        if (!section)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = foldName(trimmed(line.left(eq)));
        if (section->contains(key))
            continue;
        section->insert(key, unquoted(trimmed(line.mid(eq + 1))).toString());
    }
    return profile;
}

QString PrivateProfile::readString(QStringView section, QStringView key) const {
    const auto s = m_sections.constFind(foldName(section));
    if (s == m_sections.cend())
        return QString();
    const auto v = s->constFind(foldName(key));
    if (v == s->cend())
        return QString();
    return truncateToGbBytes(*v, MaxValueBytes);
}

int PrivateProfile::readInt(QStringView section, QStringView key) const {
    const QString value = readString(section, key);
    qint64 result = 0;
    for (QChar c : value) {
        if (c < u'0' || c > u'9')
            break;
        result = result * 10 + (c.unicode() - u'0');
        if (result > INT_MAX)
            return INT_MAX;
    }
    return int(result);
}

} // namespace platform
