#include "catalogue/CategoryBrowser.h"

#include "catalogue/CatalogueEntry.h"
#include "catalogue/EffectListModel.h"
#include "platform/Gb2312.h"
#include "platform/PrivateProfile.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>

#include <algorithm>

CategoryBrowser::CategoryBrowser(QListView *list, QLabel *countLabel, QButtonGroup *categoryButtons,
                                 QObject *parent)
    : QObject(parent), m_list(list), m_countLabel(countLabel), m_buttons(categoryButtons),
      m_model(new EffectListModel(this)) {
    m_list->setModel(m_model);
    m_viewport = m_list->viewport();
    m_viewport->installEventFilter(this);

    using Handler = void (CategoryBrowser::*)();
    static const Handler handlers[EffectCategoryCount] = {
        &CategoryBrowser::ToolButton_GoodClick,    &CategoryBrowser::ToolButton_TimeClick,
        &CategoryBrowser::ToolButton_TextClick,    &CategoryBrowser::ToolButton_MouseClick,
        &CategoryBrowser::ToolButton_WindowsClick, &CategoryBrowser::ToolButton_PictureClick,
        &CategoryBrowser::ToolButton_PlayClick,    &CategoryBrowser::ToolButton_MenuClick,
        &CategoryBrowser::ToolButton_OtherClick,   &CategoryBrowser::ToolButton_PersonalClick,
    };
    for (int c = 0; c < EffectCategoryCount; ++c) {
        if (QAbstractButton *button = m_buttons->button(c))
            connect(button, &QAbstractButton::clicked, this, handlers[c]);
    }
}

EffectCategory CategoryBrowser::CurrentCategory() const {
    const int id = m_buttons->checkedId();
    return id >= 0 && id < EffectCategoryCount ? static_cast<EffectCategory>(id)
                                               : EffectCategory::Good;
}

int CategoryBrowser::ItemIndex() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int CategoryBrowser::SelCount() const {
    return int(m_list->selectionModel()->selectedRows().size());
}

void CategoryBrowser::SelectItem(int row) {
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_list->scrollTo(index);
}

namespace {

// The entry index a key names in its section (section name, then the index
// as PadEntryIndex writes it), or -1 for any other key.
int KeyIndex(QStringView key, QStringView section) {
    if (key.size() <= section.size() ||
        !platform::PrivateProfile::sameName(key.left(section.size()), section))
        return -1;
    const QStringView digits = key.mid(section.size());
    if (digits.size() > 9)
        return -1;
    int index = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        index = index * 10 + (c.unicode() - u'0');
    }
    // Only the form PadEntryIndex writes: three digits below 100, no leading
    // zero from 100 on.
    const bool canonical = index < 100 ? digits.size() == 3 : digits.front() != u'0';
    return canonical ? index : -1;
}

} // namespace

void CategoryBrowser::LoadCategoryList(EffectCategory category) {
    // The catalogue is read afresh at every refill, once, in one pass over
    // the category's section.
    const platform::PrivateProfile profile =
        platform::PrivateProfile::fromFile(CataloguePath(category));
    const QString section = CategorySection(category);
    const QVector<platform::PrivateProfile::Entry> *entries = profile.sectionEntries(section);

    int number = 0;
    bool numberSeen = false;
    QVector<QStringView> values; // by entry index; the first of duplicates wins
    QVector<bool> seen;
    if (entries) {
        for (const platform::PrivateProfile::Entry &entry : *entries) {
            if (platform::PrivateProfile::sameName(entry.key, u"Number")) {
                if (!numberSeen)
                    number = platform::PrivateProfile::toInt(platform::truncateToGbBytes(
                        entry.value.toString(), platform::PrivateProfile::MaxValueBytes));
                numberSeen = true;
                continue;
            }
            const int index = KeyIndex(entry.key, section);
            if (index < 1 || index > MaxListedEntries)
                continue;
            if (index >= values.size()) {
                values.resize(index + 1);
                seen.resize(index + 1);
            }
            if (!seen[index]) {
                values[index] = entry.value;
                seen[index] = true;
            }
        }
    }
    const int n = std::min(number, MaxListedEntries);

    m_countLabel->setText(CategoryCaption(category) + QStringLiteral("：") + QString::number(n) +
                          QStringLiteral("个"));

    // Captions stay views into the decoded file, which the model keeps; only
    // values cut to 399 bytes get characters of their own.
    QStringList texts{profile.text()};
    QVector<EffectListModel::Item> items;
    items.reserve(n);
    for (int i = 1; i <= n; ++i) {
        QStringView value = i < values.size() ? values[i] : QStringView();
        if (value.size() * 4 > platform::PrivateProfile::MaxValueBytes) {
            texts.append(platform::truncateToGbBytes(value.toString(),
                                                     platform::PrivateProfile::MaxValueBytes));
            value = texts.constLast();
        }
        items.append({EntryCaption(value), value.startsWith(u'1')});
    }
    m_model->setItems(std::move(items), std::move(texts));
}

void CategoryBrowser::SpeedButton_DownClick() {
    const int count = m_model->rowCount();
    if (count == 0)
        return;
    const int i = ItemIndex();
    SelectItem(i < 0 ? 0 : std::min(i + 1, count - 1));
}

void CategoryBrowser::SpeedButton_UpClick() {
    if (m_model->rowCount() == 0)
        return;
    const int i = ItemIndex();
    SelectItem(i <= 0 ? 0 : i - 1);
}

void CategoryBrowser::ListView_EfxNameClick() {
    const int i = ItemIndex();
    m_list->setToolTip(i < 0 ? QString()
                             : QStringLiteral("第") + QString::number(i + 1) +
                                   QStringLiteral("个特效"));
}

bool CategoryBrowser::eventFilter(QObject *watched, QEvent *event) {
    // Compare pointers only: the viewport still sends events while the list
    // is being destroyed.
    if (watched == m_viewport) {
        if (event->type() == QEvent::MouseButtonPress) {
            // A press on empty space drops the selection, as in the list
            // control the window was designed around.
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (!m_list->indexAt(mouse->position().toPoint()).isValid())
                m_list->selectionModel()->clearSelection();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            ListView_EfxNameClick();
        }
    }
    return QObject::eventFilter(watched, event);
}
