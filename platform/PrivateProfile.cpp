#include "platform/PrivateProfile.h"

#include "platform/Gb2312.h"
#include "platform/TextFile.h"

#include <QStringDecoder>

#include <climits>

namespace platform {

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

namespace {
inline char16_t foldAscii(char16_t u) {
    return (u >= u'A' && u <= u'Z') ? char16_t(u + 32) : u;
}
} // namespace

bool PrivateProfile::sameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode()))
            return false;
    }
    return true;
}

bool PrivateProfile::Name::operator==(const Name &other) const {
    return sameName(text, other.text);
}

size_t qHash(const PrivateProfile::Name &name, size_t seed) noexcept {
    size_t h = seed ^ 0x9E3779B97F4A7C15ull;
    for (QChar c : name.text)
        h = (h ^ foldAscii(c.unicode())) * 0x100000001B3ull;
    return h;
}

PrivateProfile PrivateProfile::fromText(QString text) {
    PrivateProfile profile;
    profile.m_text = std::move(text);
    const QStringView all(profile.m_text);
    Section *section = nullptr; // null: before any section, or a later duplicate
    qsizetype pos = 0;
    const qsizetype n = all.size();
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView line = trimmed(all.mid(pos, end - pos));
        pos = end;
        if (pos < n && all[pos] == u'\r') {
            ++pos;
            if (pos < n && all[pos] == u'\n')
                ++pos;
        } else if (pos < n) {
            ++pos; // a lone LF
        }

        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.lastIndexOf(u']');
            const Name name{trimmed(close > 0 ? line.mid(1, close - 1) : line.mid(1))};
            // The first section of a name wins; a later one is skipped whole.
            section = profile.m_sections.contains(name) ? nullptr : &profile.m_sections[name];
            continue;
        }
        if (!section)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        section->entries.append(Entry{trimmed(line.left(eq)), unquoted(trimmed(line.mid(eq + 1)))});
    }
    return profile;
}

const QVector<PrivateProfile::Entry> *PrivateProfile::sectionEntries(QStringView section) const {
    const auto s = m_sections.constFind(Name{section});
    return s == m_sections.cend() ? nullptr : &s->entries;
}

const PrivateProfile::Entry *PrivateProfile::find(QStringView section, QStringView key) const {
    const auto s = m_sections.constFind(Name{section});
    if (s == m_sections.cend())
        return nullptr;
    if (!s->indexed) {
        s->byName.reserve(s->entries.size());
        for (qsizetype i = 0; i < s->entries.size(); ++i) {
            const Name name{s->entries.at(i).key};
            if (!s->byName.contains(name)) // the first of duplicates wins
                s->byName.insert(name, i);
        }
        s->indexed = true;
    }
    const auto v = s->byName.constFind(Name{key});
    return v == s->byName.cend() ? nullptr : &s->entries.at(*v);
}

QString PrivateProfile::readString(QStringView section, QStringView key) const {
    const Entry *entry = find(section, key);
    return entry ? truncateToGbBytes(entry->value.toString(), MaxValueBytes) : QString();
}

int PrivateProfile::readInt(QStringView section, QStringView key) const {
    return toInt(readString(section, key));
}

int PrivateProfile::toInt(QStringView value) {
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
