#include "catalogue/CategoryBrowser.h"

#include "catalogue/CatalogueEntry.h"
#include "catalogue/EffectListModel.h"
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
    m_list->viewport()->installEventFilter(this);

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

void CategoryBrowser::LoadCategoryList(EffectCategory category) {
    // The catalogue is read once per refill, afresh each time.
    const platform::PrivateProfile profile =
        platform::PrivateProfile::fromFile(CataloguePath(category));
    const int n = std::min(profile.readInt(CategorySection(category), QStringLiteral("Number")),
                           MaxListedEntries);

    m_countLabel->setText(CategoryCaption(category) + QStringLiteral("：") + QString::number(n) +
                          QStringLiteral("个"));

    QVector<EffectListModel::Item> items;
    items.reserve(n);
    for (int i = 1; i <= n; ++i) {
        const QString value = ReadCatalogueEntry(profile, category, i);
        items.append({EntryCaption(value), value.startsWith(QLatin1Char('1'))});
    }
    m_model->setItems(std::move(items));
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
    if (watched == m_list->viewport()) {
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
