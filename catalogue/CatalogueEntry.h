#pragma once

#include "catalogue/EffectCategory.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace platform {
class PrivateProfile;
}

// An entry index as text: "00" before 0 to 9, "0" before 10 to 99, nothing
// from 100 on. Forms the catalogue keys and the effect code file names.
QString PadEntryIndex(int index);

// Full path of the category's catalogue file.
QString CataloguePath(EffectCategory category);

// The key of entry `index` (1-based) of the category, e.g. "Good001".
QString EntryKey(EffectCategory category, int index);

// The entry's raw value, at most 399 GB2312 bytes; empty when the file, the
// section or the key is missing. Reads the catalogue afresh.
QString ReadCatalogueEntry(EffectCategory category, int index);
// The same, from a catalogue already read.
QString ReadCatalogueEntry(const platform::PrivateProfile &profile, EffectCategory category,
                           int index);

// The caption field of a value: from position 3 to the next bar; the whole
// value when there is no bar from position 3 on.
QString EntryCaption(const QString &value);
QStringView EntryCaption(QStringView value);

// True when the entry's value starts with "1": a plug-in generator.
bool IsPluginEntry(EffectCategory category, int index);

// The target field: the text between the last bar before the value's last
// character and that last character.
QString EntryTargetName(EffectCategory category, int index);
QString EntryTargetField(const QString &value);

// The code file path of a Personal entry.
QString PersonalEntryPath(int index);

// Thrown by EntryResourceList when the count field is not a decimal number.
class CatalogueConversionError : public std::runtime_error {
public:
    explicit CatalogueConversionError(const QString &message);
    QString message() const;
};

// Element 0: the resource count in decimal; elements 1..count: the image
// file names. Stops at the end of the value: with fewer names than counted,
// only the names found follow element 0.
QStringList EntryResourceList(EffectCategory category, int index);
QStringList EntryResourceListOf(const QString &value);
