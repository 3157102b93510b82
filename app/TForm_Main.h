#pragma once

#include "app/TitleDrag.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class CategoryBrowser;
class EffectHost;
class EffectOutput;
class QAbstractButton;
class QAction;
class QButtonGroup;
class QColorDialog;
class QFontDialog;
class QFrame;
class QLabel;
class QListView;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class TForm_About;

// The program's one working window: a frameless, fixed-size window with a
// title bar drawn from a picture, two toolbars, the effect list and the code
// pane. Commands of the catalogue, the effect host and the output are bound
// here to the objects that carry them out.
class TForm_Main : public QWidget {
    Q_OBJECT
public:
    explicit TForm_Main(QWidget *parent = nullptr);
    ~TForm_Main() override;

    void SetAboutBox(TForm_About *about) { m_about = about; }

    CategoryBrowser *browser() const { return m_browser; }
    EffectHost *host() const { return m_host; }
    EffectOutput *output() const { return m_output; }
    TitleDrag &titleDrag() { return m_drag; }

    void FormCreate();
    void Image_TopMouseDown(Qt::MouseButton button, QPoint pos);
    void Image_TopMouseMove(QPoint pos);
    void Image_TopMouseUp();
    void Image_MinimizeClick();
    void Image_CloseClick();
    void SpeedButton_ChangeClick();
    void Code_CopyClick();
    void Code_PasteClick();
    void Code_CutClick();

    void Set_FontClick();
    void Set_ColorClick();
    void SpeedButton_HelpClick();
    void About_MeClick();
    void Image_TarvoClick();
    void SpeedButton_HomePageClick();
    void SpeedButton_EmailClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void BuildMenus();
    QFrame *Panel(const char *name, QWidget *parent, const QColor &color = QColor());
    QToolButton *SpeedButton(const char *name, QWidget *parent, const QRect &geometry,
                             const QString &caption, const QString &glyph);
    QToolButton *ClickArea(const char *name, QWidget *parent, const QRect &geometry,
                           const QString &tip);
    QAction *MenuItem(QMenu *menu, const char *name, const QString &caption, const QString &icon);

    TitleDrag m_drag;
    TForm_About *m_about = nullptr;

    QLabel *m_imageTop = nullptr;
    QSplitter *m_splitter = nullptr;
    QFrame *m_listPane = nullptr;
    QListView *m_list = nullptr;
    QLabel *m_countLabel = nullptr;
    QFrame *m_panelCode = nullptr;
    QPlainTextEdit *m_code = nullptr;
    QButtonGroup *m_categoryButtons = nullptr;
    QMenu *m_menuSet = nullptr;
    QMenu *m_menuCode = nullptr;
    QMenu *m_menuTools = nullptr;
    QMenu *m_menuHelp = nullptr;
    QColorDialog *m_colorDialog = nullptr;
    QFontDialog *m_fontDialog = nullptr;
    // What the dialogs open with: their own defaults at first (black, and
    // MS Sans Serif at 8 points rather than the code pane's font), then the
    // colour and font chosen last.
    QColor m_lastColor = Qt::black;
    QFont m_lastFont{QStringLiteral("MS Sans Serif"), 8};

    CategoryBrowser *m_browser = nullptr;
    EffectHost *m_host = nullptr;
    EffectOutput *m_output = nullptr;
};
