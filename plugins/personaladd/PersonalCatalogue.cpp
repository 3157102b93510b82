#include "PersonalCatalogue.h"

#include "platform/AtomicFile.h"

#include "catalogue/CatalogueEntry.h"
#include "platform/Gb2312.h"
#include "platform/PrivateProfile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString txt(const char *utf8) {
    return QString::fromUtf8(utf8);
}

QString SectionName() {
    return txt("Personal");
}

} // namespace

PersonalCatalogue::PersonalCatalogue(const QString &programFolder)
    : m_path(programFolder + txt("system/personal.tvo")) {}

QVector<PersonalEntry> PersonalCatalogue::read() {
    const QFileInfo info(m_path);
    m_unreadable = info.exists() && (!info.isFile() || !info.isReadable() ||
                                     info.size() > platform::PrivateProfile::MaxFileBytes);
    QVector<PersonalEntry> entries;
    if (m_unreadable)
        return entries;
    const platform::PrivateProfile profile = platform::PrivateProfile::fromFile(m_path);
    const QString section = SectionName();
    const int number = std::min(profile.readInt(section, txt("Number")), MaxEntries);
    entries.reserve(number);
    for (int i = 1; i <= number; ++i)
        entries.append(PersonalEntry(profile.readString(section, section + PadEntryIndex(i))));
    return entries;
}

QByteArray PersonalCatalogue::Format(const QVector<PersonalEntry> &entries) {
    const QString section = SectionName();
    QString text =
        u'[' + section + txt("]\r\nNumber=") + QString::number(entries.size()) + txt("\r\n");
    for (qsizetype i = 0; i < entries.size(); ++i)
        text += section + PadEntryIndex(int(i + 1)) + u'=' + entries.at(i).value() + txt("\r\n");
    return platform::toGb(text);
}

bool PersonalCatalogue::write(const QVector<PersonalEntry> &entries, QString *error) const {
    if (m_unreadable) {
        if (error)
            *error = txt("这个文件无法读取，特效箱不会改写它，以免其中的内容丢失。");
        return false;
    }
    return platform::WriteFileAtomically(m_path, Format(entries), error);
}
