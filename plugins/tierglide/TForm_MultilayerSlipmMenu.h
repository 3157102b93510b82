#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QColorDialog;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tierglide {

class ColorSwatch;

// The form of the sliding-menu generator: the basic settings (bar text and
// seven colours) and the editor of the menu list, whose rows feed the page
// generator. One instance lives as long as the plug-in library is loaded.
class TForm_MultilayerSlipmMenu : public QWidget {
    Q_OBJECT

public:
    explicit TForm_MultilayerSlipmMenu(QWidget *parent = nullptr);

    // Makes `parent` the form's parent, keeps the form filling it and shows
    // it. A later call with another widget moves the form there.
    void ShowIn(QWidget *parent);

    // Reads the settings and rows, generates the page (or a message in its
    // place) and leaves the list's selection as the generation left it: the
    // last row after a page, the first row when it is not a main menu.
    QString GenerateCode();

    // Event handlers of the form's controls.
    void FormCreate();
    void SpeedButton_AddClick();
    void SpeedButton_ModifyClick();
    void SpeedButton_DelClick();
    void SpeedButton_ClearClick();
    void SpeedButton_UpClick();
    void SpeedButton_DownClick();
    void SpeedButton_HtmlClick();
    void ListView1Click();
    void Shape_MenuBkColorMouseDown();
    void Shape_MenuFontColorMouseDown();
    void Shape_MenuOverBkColorMouseDown();
    void Shape_MenuOverBorderColorMouseDown();
    void Shape_MenuBarBkColorMouseDown();
    void Shape_MenuBarBorderColorMouseDown();
    void Shape_MenuBarFontColorMouseDown();

    // Appends a row with the four texts at the end of the list.
    void AddMenuItem(const QString &kind, const QString &name, const QString &url,
                     const QString &target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void buildDescription();
    void buildBasicSettings();
    void buildMenuSettings();
    void connectHandlers();

    // Writes kind, name, address and target into `item` as the type choice
    // says.
    void writeEditFields(QTreeWidgetItem *item);
    void resetEditFields();
    QTreeWidgetItem *singleSelectedRow() const;
    void selectRow(QTreeWidgetItem *item);
    void swapRows(QTreeWidgetItem *a, QTreeWidgetItem *b);
    void chooseColor(ColorSwatch *swatch);

    QLabel *addLabel(QWidget *parent, const char *name, const char *text, int x, int y);
    ColorSwatch *addSwatch(QWidget *parent, const char *name, int x, int y);
    QToolButton *addSpeedButton(QWidget *parent, const char *name, const char *text,
                                const QRect &geometry);

    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QGroupBox *GroupBox3 = nullptr;

    ColorSwatch *Shape_MenuBkColor = nullptr;
    ColorSwatch *Shape_MenuFontColor = nullptr;
    ColorSwatch *Shape_MenuOverBkColor = nullptr;
    ColorSwatch *Shape_MenuOverBorderColor = nullptr;
    ColorSwatch *Shape_MenuBarBkColor = nullptr;
    ColorSwatch *Shape_MenuBarBorderColor = nullptr;
    ColorSwatch *Shape_MenuBarFontColor = nullptr;
    QLineEdit *Edit_MenuBarText = nullptr;

    QLineEdit *Edit_MenuText = nullptr;
    QComboBox *ComboBox_URLType = nullptr;
    QLineEdit *Edit_MenuURL = nullptr;
    QToolButton *SpeedButton_Html = nullptr;
    QComboBox *ComboBox_MenuType = nullptr;
    QToolButton *SpeedButton_Add = nullptr;
    QToolButton *SpeedButton_Modify = nullptr;
    QToolButton *SpeedButton_Del = nullptr;
    QToolButton *SpeedButton_Clear = nullptr;
    QToolButton *SpeedButton_Down = nullptr;
    QToolButton *SpeedButton_Up = nullptr;
    QFrame *Shape1 = nullptr;
    QTreeWidget *ListView1 = nullptr;
    QPlainTextEdit *RichEdit1 = nullptr;

    QColorDialog *ColorDialog1 = nullptr;
    // The colour chosen last in ColorDialog1; it opens on it again.
    QColor m_lastChosenColor = Qt::black;
};

} // namespace tierglide
