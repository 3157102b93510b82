#include "PersonalEntry.h"

#include "catalogue/CatalogueEntry.h"
#include "platform/Gb2312.h"

namespace {

QString txt(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// A field may hold neither the bar that ends it nor anything that ends the
// catalogue's line.
bool BreaksTheFormat(const QString &field) {
    for (const QChar c : field) {
        switch (c.unicode()) {
        case u'|':
        case u'\n':
        case u'\r':
        case u'\v':
        case u'\f':
        case 0x0085: // next line
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
        case 0:
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace

PersonalEntry PersonalEntry::Compose(const QString &caption, const QStringList &resources,
                                     const QString &target) {
    QString value = txt("0|") + caption + u'|' + QString::number(resources.size()) + u'|';
    for (const QString &name : resources)
        value += name + u'|';
    value += target + u'|';
    return PersonalEntry(value);
}

QString PersonalEntry::Refusal(const QString &caption, const QStringList &resources,
                               const QString &target) {
    if (caption.trimmed().isEmpty())
        return txt("请先填写特效名称。");
    if (BreaksTheFormat(caption))
        return txt("特效名称里不能有“|”或换行，请改一改再保存。");
    for (const QString &name : resources) {
        if (name.isEmpty() || BreaksTheFormat(name))
            return txt("图片文件名“%1”里有“|”或换行，无法记入个人特效。").arg(name);
    }
    if (BreaksTheFormat(target))
        return txt("代码文件的路径“%1”里有“|”或换行，无法记入个人特效。").arg(target);
    const qsizetype bytes = platform::toGb(Compose(caption, resources, target).value()).size();
    if (bytes > MaxValueBytes)
        return txt("这条特效的记录有 %1 字节，超过了 %2 字节的上限。请缩短名称或少选几张图片。")
            .arg(bytes)
            .arg(MaxValueBytes);
    return QString();
}

QString PersonalEntry::caption() const {
    return EntryCaption(m_value);
}

QString PersonalEntry::target() const {
    return EntryTargetField(m_value);
}

QStringList PersonalEntry::resources() const {
    QStringList list;
    try {
        list = EntryResourceListOf(m_value);
    } catch (const CatalogueConversionError &) {
        return {};
    }
    list.removeFirst();
    return list;
}
