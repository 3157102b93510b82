#pragma once

#include "catalogue/EffectCategory.h"

#include <QObject>

class EffectListModel;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QListView;
class QWidget;

// Fills the effect list and the count label with the entries of the category
// whose button is down, and steps through the list. Loading the selected
// effect is the effect host's business: it listens to the list's selection.
class CategoryBrowser : public QObject {
    Q_OBJECT
public:
    // A catalogue's Number is trusted up to this many entries; a larger one
    // (a damaged file) is listed as this many, so the label and the list
    // still agree and the window never stalls.
    static constexpr int MaxListedEntries = 100000;

    CategoryBrowser(QListView *list, QLabel *countLabel, QButtonGroup *categoryButtons,
                    QObject *parent = nullptr);

    EffectListModel *model() const { return m_model; }

    // The category whose toolbar button is down.
    EffectCategory CurrentCategory() const;

    // 0-based position of the selected item, -1 for none; and the count of
    // selected items.
    int ItemIndex() const;
    int SelCount() const;
    void SelectItem(int row);

    void LoadCategoryList(EffectCategory category);

    void ToolButton_GoodClick() { LoadCategoryList(EffectCategory::Good); }
    void ToolButton_TimeClick() { LoadCategoryList(EffectCategory::Time); }
    void ToolButton_TextClick() { LoadCategoryList(EffectCategory::Text); }
    void ToolButton_MouseClick() { LoadCategoryList(EffectCategory::Mouse); }
    void ToolButton_WindowsClick() { LoadCategoryList(EffectCategory::Windows); }
    void ToolButton_PictureClick() { LoadCategoryList(EffectCategory::Picture); }
    void ToolButton_PlayClick() { LoadCategoryList(EffectCategory::Play); }
    void ToolButton_MenuClick() { LoadCategoryList(EffectCategory::Menu); }
    void ToolButton_OtherClick() { LoadCategoryList(EffectCategory::Other); }
    void ToolButton_PersonalClick() { LoadCategoryList(EffectCategory::Personal); }

    void SpeedButton_DownClick();
    void SpeedButton_UpClick();
    void ListView_EfxNameClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QListView *m_list;
    QWidget *m_viewport;
    QLabel *m_countLabel;
    QButtonGroup *m_buttons;
    EffectListModel *m_model;
};
