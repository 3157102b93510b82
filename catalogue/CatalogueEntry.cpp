#include "catalogue/CatalogueEntry.h"

#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"

#include <climits>

QString PadEntryIndex(int index) {
    if (index >= 0 && index <= 9)
        return QStringLiteral("00") + QString::number(index);
    if (index >= 10 && index <= 99)
        return QStringLiteral("0") + QString::number(index);
    return QString::number(index);
}

QString CataloguePath(EffectCategory category) {
    return platform::ProgramFolder() + QString::fromLatin1(CategoryInfoOf(category).catalogue);
}

QString EntryKey(EffectCategory category, int index) {
    return CategorySection(category) + PadEntryIndex(index);
}

QString ReadCatalogueEntry(const platform::PrivateProfile &profile, EffectCategory category,
                           int index) {
    return profile.readString(CategorySection(category), EntryKey(category, index));
}

QString ReadCatalogueEntry(EffectCategory category, int index) {
    return ReadCatalogueEntry(platform::PrivateProfile::fromFile(CataloguePath(category)), category,
                              index);
}

QStringView EntryCaption(QStringView value) {
    const qsizetype bar = value.size() > 2 ? value.indexOf(u'|', 2) : -1;
    if (bar < 0)
        return value;
    return value.mid(2, bar - 2);
}

QString EntryCaption(const QString &value) {
    return EntryCaption(QStringView(value)).toString();
}

bool IsPluginEntry(EffectCategory category, int index) {
    return ReadCatalogueEntry(category, index).startsWith(QLatin1Char('1'));
}

QString EntryTargetField(const QString &value) {
    const qsizetype length = value.size();
    if (length <= 1)
        return value;
    // The last character is the field's closing bar and never part of it.
    const qsizetype bar = value.lastIndexOf(QLatin1Char('|'), length - 2);
    if (bar < 0)
        return value;
    return value.mid(bar + 1, length - bar - 2);
}

QString EntryTargetName(EffectCategory category, int index) {
    return EntryTargetField(ReadCatalogueEntry(category, index));
}

QString PersonalEntryPath(int index) {
    return EntryTargetName(EffectCategory::Personal, index);
}

CatalogueConversionError::CatalogueConversionError(const QString &message)
    : std::runtime_error(message.toStdString()) {}

QString CatalogueConversionError::message() const {
    return QString::fromStdString(what());
}

namespace {

// A decimal integer with an optional sign, as the count field is written.
bool parseCount(const QString &text, int *result) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size())
        return false;
    qint64 n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
        n = n * 10 + (text[i].unicode() - u'0');
        if (n > qint64(INT_MAX) + 1)
            return false;
    }
    n = negative ? -n : n;
    if (n > INT_MAX || n < INT_MIN)
        return false;
    *result = int(n);
    return true;
}

} // namespace

QStringList EntryResourceListOf(const QString &value) {
    const qsizetype captionEnd = value.indexOf(QLatin1Char('|'), 2);
    if (captionEnd < 0)
        return {QStringLiteral("0")};
    const qsizetype countEnd = value.indexOf(QLatin1Char('|'), captionEnd + 1);
    if (countEnd < 0)
        return {QStringLiteral("0")};
    const QString countText = value.mid(captionEnd + 1, countEnd - captionEnd - 1);
    int count = 0;
    if (!parseCount(countText, &count))
        throw CatalogueConversionError(QStringLiteral("'%1' 不是有效的整数值").arg(countText));

    QStringList list{QString::number(count)};
    qsizetype start = countEnd + 1;
    while (list.size() <= count) {
        const qsizetype bar = value.indexOf(QLatin1Char('|'), start);
        if (bar < 0)
            break;
        list.append(value.mid(start, bar - start));
        start = bar + 1;
    }
    return list;
}

QStringList EntryResourceList(EffectCategory category, int index) {
    return EntryResourceListOf(ReadCatalogueEntry(category, index));
}
