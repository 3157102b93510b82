// Catalogue bytes through the private-profile reader and the entry
// accessors: nothing may crash, every value read stays within 399 GB2312
// bytes and is a cut of the value as it stands in the file, the first of
// duplicate keys wins, and the accessors return pieces of the value.
#include "FuzzCheck.h"

#include "catalogue/CatalogueEntry.h"
#include "platform/Gb2312.h"
#include "platform/PrivateProfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

using platform::PrivateProfile;

namespace {

// The number of characters of the first code point at `at`.
qsizetype CodePointLength(const QString &text, qsizetype at) {
    return text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()
               ? 2
               : 1;
}

// `text` with its ASCII letters in upper case, the rest as it is.
QString AsciiUpper(QStringView text) {
    QString upper = text.toString();
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return upper;
}

// A read value against the value as it stands in the file.
void CheckCut(const QString &read, QStringView stored) {
    const QByteArray readBytes = platform::toGb(read);
    FUZZ_CHECK(readBytes.size() <= PrivateProfile::MaxValueBytes);
    FUZZ_CHECK(stored.startsWith(read));
    if (read.size() == stored.size())
        return;
    // Cut no more than needed: the next whole character would not fit.
    const QString full = stored.toString();
    const QString longer = full.left(read.size() + CodePointLength(full, read.size()));
    FUZZ_CHECK(platform::toGb(longer).size() > PrivateProfile::MaxValueBytes);
}

void CheckAccessors(const QString &value) {
    const QString caption = EntryCaption(value);
    FUZZ_CHECK(EntryCaption(QStringView(value)) == caption);
    if (caption != value) {
        FUZZ_CHECK(value.size() > 2);
        FUZZ_CHECK(!caption.contains(QLatin1Char('|')));
        FUZZ_CHECK(QStringView(value).mid(2).startsWith(caption));
        FUZZ_CHECK(value.at(2 + caption.size()) == QLatin1Char('|'));
    }

    const QString target = EntryTargetField(value);
    if (target != value) {
        // The text between a bar and the value's last character.
        FUZZ_CHECK(value.size() >= 2);
        FUZZ_CHECK(!target.contains(QLatin1Char('|')));
        const QStringView body = QStringView(value).left(value.size() - 1);
        FUZZ_CHECK(body.endsWith(target));
        FUZZ_CHECK(body.at(body.size() - target.size() - 1) == QLatin1Char('|'));
    }

    try {
        const QStringList list = EntryResourceListOf(value);
        FUZZ_CHECK(!list.isEmpty());
        bool ok = false;
        const int count = list.first().toInt(&ok);
        FUZZ_CHECK(ok);
        FUZZ_CHECK(list.size() - 1 <= qMax(count, 0));
        for (qsizetype k = 1; k < list.size(); ++k)
            FUZZ_CHECK(!list.at(k).contains(QLatin1Char('|')));
    } catch (const CatalogueConversionError &error) {
        FUZZ_CHECK(!error.message().isEmpty());
    }
}

void CheckSection(const PrivateProfile &profile, QStringView section) {
    const int number = profile.readInt(section, u"Number");
    FUZZ_CHECK(number >= 0);
    FUZZ_CHECK(number == PrivateProfile::toInt(profile.readString(section, u"Number")));

    const QVector<PrivateProfile::Entry> *entries = profile.sectionEntries(section);
    if (!entries) {
        FUZZ_CHECK(profile.readString(section, u"Number").isEmpty());
        return;
    }
    // Names match without regard to the case of ASCII letters.
    FUZZ_CHECK(profile.sectionEntries(AsciiUpper(section)) == entries);

    const qsizetype checked = qMin<qsizetype>(entries->size(), 64);
    for (qsizetype i = 0; i < checked; ++i) {
        const PrivateProfile::Entry &entry = entries->at(i);
        for (QStringView text : {entry.key, entry.value}) {
            FUZZ_CHECK(!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')));
        }
        FUZZ_CHECK(!entry.key.contains(QLatin1Char('=')));
        qsizetype first = 0;
        while (!PrivateProfile::sameName(entries->at(first).key, entry.key))
            ++first;
        const QString value = profile.readString(section, entry.key);
        CheckCut(value, entries->at(first).value);
        FUZZ_CHECK(profile.readString(section, AsciiUpper(entry.key)) == value);
        CheckAccessors(value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const PrivateProfile profile = PrivateProfile::fromBytes(bytes);

    for (QStringView section : {u"Good", u"Personal", u"Time", u"Menu", u"", u"a"})
        CheckSection(profile, section);
    FUZZ_CHECK(profile.readString(u"no such section", u"Number").isEmpty());

    for (int c = 0; c < EffectCategoryCount; ++c) {
        const auto category = static_cast<EffectCategory>(c);
        for (int index : {0, 1, 2, 9, 10, 100, 1000}) {
            const QString value = ReadCatalogueEntry(profile, category, index);
            FUZZ_CHECK(platform::toGb(value).size() <= PrivateProfile::MaxValueBytes);
            CheckAccessors(value);
        }
    }
    return 0;
}
