#include "app/TForm_Main.h"

#include "app/Pictures.h"
#include "app/ProgramHelp.h"
#include "app/QuillaryApplication.h"
#include "app/TForm_About.h"
#include "catalogue/CategoryBrowser.h"
#include "catalogue/EffectListModel.h"
#include "host/EffectHost.h"
#include "output/EffectOutput.h"
#include "platform/DesktopShell.h"
#include "platform/MakerLinks.h"

#include <QAction>
#include <QButtonGroup>
#include <QColorDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kPanelColor(0xDD, 0xDD, 0xDD);

// The flat look of the window's menus and buttons: system colours, a light
// frame that appears under the mouse, highlighted menu rows.
const char *kStyleSheet = R"(
QToolButton { border: 1px solid transparent; padding: 0px; background: transparent; }
QToolButton:hover { border: 1px solid #6F8FC8; background: #E4EBF7; }
QToolButton:pressed, QToolButton:checked { border: 1px solid #4D6FAE; background: #C9D7F0; }
QToolButton:disabled { color: #8C8C8C; }
QToolButton::menu-indicator { image: none; }
QToolButton#Image_Tarvo, QToolButton#Image_Minimize, QToolButton#Image_Close,
QToolButton#Image_Tarvo:hover, QToolButton#Image_Minimize:hover, QToolButton#Image_Close:hover,
QToolButton#Image_Tarvo:pressed, QToolButton#Image_Minimize:pressed, QToolButton#Image_Close:pressed
  { border: none; background: transparent; }
QMenu { background: palette(button); border: 1px solid #8C8C8C; padding: 1px; }
QMenu::item { padding: 3px 18px 3px 6px; border: 1px solid transparent; }
QMenu::item:selected { background: palette(highlight); color: palette(window-text); border: 1px solid #4D6FAE; }
QMenu::item:disabled { color: #8C8C8C; }
QMenu::icon { padding-left: 4px; }
QMenu::separator { height: 1px; background: #A0A0A0; margin: 3px 2px 3px 28px; }
)";

} // namespace

TForm_Main::TForm_Main(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QStringLiteral("妙码工坊v4.0"));
    setWindowIcon(PictureIcon(QStringLiteral("quillary")));
    setFont(QuillaryApplication::SongFont(12));
    setFixedSize(700, 507);
    setStyleSheet(QString::fromLatin1(kStyleSheet));

    BuildLayout();
    BuildMenus();
    FormCreate();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm_Main::~TForm_Main() {
    // The plug-in's form lives in Panel_Code: unload it before the panel goes.
    m_host->FormDestroy();
}

QFrame *TForm_Main::Panel(const char *name, QWidget *parent, const QColor &color) {
    auto *panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    if (color.isValid()) {
        QPalette p = panel->palette();
        p.setColor(QPalette::Window, color);
        panel->setPalette(p);
        panel->setAutoFillBackground(true);
    }
    return panel;
}

QToolButton *TForm_Main::SpeedButton(const char *name, QWidget *parent, const QRect &geometry,
                                     const QString &caption, const QString &glyph) {
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    if (!glyph.isEmpty()) {
        const QPixmap picture = Picture(glyph);
        button->setIcon(QIcon(picture));
        button->setIconSize(picture.deviceIndependentSize().toSize());
    }
    if (!caption.isEmpty()) {
        button->setText(caption);
        button->setToolButtonStyle(glyph.isEmpty() ? Qt::ToolButtonTextOnly
                                                   : Qt::ToolButtonTextBesideIcon);
    }
    return button;
}

QToolButton *TForm_Main::ClickArea(const char *name, QWidget *parent, const QRect &geometry,
                                   const QString &tip) {
    QToolButton *area = SpeedButton(name, parent, geometry, QString(), QString());
    area->setCursor(Qt::PointingHandCursor);
    area->setToolTip(tip);
    return area;
}

QAction *TForm_Main::MenuItem(QMenu *menu, const char *name, const QString &caption,
                              const QString &icon) {
    QAction *action =
        caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (icon.isEmpty())
        return action;
    // The icons are drawn when the menu first opens, not at start-up.
    connect(menu, &QMenu::aboutToShow, action, [action, icon] {
        if (action->icon().isNull())
            action->setIcon(PictureIcon(icon));
    });
    return action;
}

void TForm_Main::BuildLayout() {
    // Title bar and frame.
    QFrame *top = Panel("Panel_Top", this);
    top->setGeometry(0, 0, 700, 41);
    m_imageTop = new QLabel(top);
    m_imageTop->setObjectName(QStringLiteral("Image_Top"));
    m_imageTop->setGeometry(0, 0, 700, 41);
    m_imageTop->setPixmap(Picture(QStringLiteral("title")));
    m_imageTop->setCursor(Qt::SizeAllCursor);
    m_imageTop->installEventFilter(this);
    QToolButton *tarvo =
        ClickArea("Image_Tarvo", top, {625, 4, 20, 19}, QStringLiteral("禾川主页"));
    QToolButton *minimize =
        ClickArea("Image_Minimize", top, {649, 4, 20, 19}, QStringLiteral("最小化"));
    QToolButton *close = ClickArea("Image_Close", top, {673, 4, 20, 19}, QStringLiteral("关闭"));
    connect(tarvo, &QToolButton::clicked, this, &TForm_Main::Image_TarvoClick);
    connect(minimize, &QToolButton::clicked, this, &TForm_Main::Image_MinimizeClick);
    connect(close, &QToolButton::clicked, this, &TForm_Main::Image_CloseClick);

    QFrame *bottom = Panel("Panel_Bottom", this);
    bottom->setGeometry(0, 492, 700, 15);
    auto *imageBottom = new QLabel(bottom);
    imageBottom->setObjectName(QStringLiteral("Image_Bottom"));
    imageBottom->setGeometry(0, 0, 700, 15);
    imageBottom->setPixmap(Picture(QStringLiteral("frame-bottom")));
    for (const auto &[panelName, imageName, picture, x] :
         {std::tuple{"Panel_Left", "Image_Left", "frame-left", 0},
          std::tuple{"Panel_Right", "Image_Right", "frame-right", 689}}) {
        QFrame *edge = Panel(panelName, this);
        edge->setGeometry(x, 41, 11, 451);
        auto *image = new QLabel(edge);
        image->setObjectName(QString::fromLatin1(imageName));
        image->setGeometry(0, 0, 11, 451); // the 600-pixel picture is cut to the visible height
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setPixmap(Picture(QString::fromLatin1(picture)));
    }

    QFrame *mid = Panel("Panel_Mid", this, kPanelColor);
    mid->setGeometry(11, 41, 678, 451);
    auto *midLayout = new QVBoxLayout(mid);
    midLayout->setContentsMargins(0, 0, 0, 0);
    midLayout->setSpacing(0);

    // The two tool bars.
    QFrame *midTop = Panel("Panel_Mid_Top", mid, kPanelColor);
    midTop->setFixedHeight(52);
    midLayout->addWidget(midTop);
    QFrame *coolBar = Panel("CoolBar1", midTop, kPanelColor);
    coolBar->setGeometry(0, 0, 678, 52);
    auto *coolLayout = new QVBoxLayout(coolBar);
    coolLayout->setContentsMargins(0, 1, 0, 1);
    coolLayout->setSpacing(0);
    // Plain rows of buttons: the bars never move, float or overflow, and a
    // QToolBar would load every image-format plug-in at start-up for the
    // icon of its overflow button.
    const auto toolBar = [&](const char *name) {
        QFrame *bar = Panel(name, coolBar, kPanelColor);
        bar->setFixedHeight(25);
        auto *row = new QHBoxLayout(bar);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        coolLayout->addWidget(bar);
        return row;
    };
    QHBoxLayout *toolBar1 = toolBar("ToolBar1");
    QHBoxLayout *toolBar2 = toolBar("ToolBar2");

    m_menuSet = new QMenu(this);
    m_menuSet->setObjectName(QStringLiteral("PopupMenu_Set"));
    m_menuCode = new QMenu(this);
    m_menuCode->setObjectName(QStringLiteral("PopupMenu_Code"));
    m_menuTools = new QMenu(this);
    m_menuTools->setObjectName(QStringLiteral("PopupMenu_Tools"));
    m_menuHelp = new QMenu(this);
    m_menuHelp->setObjectName(QStringLiteral("PopupMenu_Help"));
    const std::tuple<const char *, const char16_t *, QMenu *> menuButtons[] = {
        {"ToolButton_Set", u"软件设置(&F)", m_menuSet},
        {"ToolButton_Code", u"特效代码(&C)", m_menuCode},
        {"ToolButton_Tools", u"网页工具(&Y)", m_menuTools},
        {"ToolButton_Help", u"软件帮助(&H)", m_menuHelp},
    };
    for (const auto &[name, caption, menu] : menuButtons) {
        auto *button = new QToolButton(toolBar1->parentWidget());
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QString::fromUtf16(caption));
        button->setFixedSize(79, 20);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        toolBar1->addWidget(button);
    }

    m_categoryButtons = new QButtonGroup(this);
    m_categoryButtons->setExclusive(true);
    for (int c = 0; c < EffectCategoryCount; ++c) {
        const CategoryInfo &info = CategoryInfoOf(static_cast<EffectCategory>(c));
        auto *button = new QToolButton(toolBar2->parentWidget());
        button->setObjectName(QString::fromLatin1(info.buttonName));
        button->setText(QString::fromUtf16(info.caption));
        button->setFixedSize(55, 20);
        button->setCheckable(true);
        button->setChecked(c == 0);
        m_categoryButtons->addButton(button, c);
        toolBar2->addWidget(button);
    }
    toolBar1->addStretch();
    toolBar2->addStretch();

    // List pane, splitter and code side.
    m_splitter = new QSplitter(Qt::Horizontal, mid);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(5);
    m_splitter->setChildrenCollapsible(false);
    midLayout->addWidget(m_splitter, 1);

    m_listPane = Panel("Panel_Mid_Left", m_splitter, kPanelColor);
    m_listPane->setMinimumWidth(30);
    auto *leftLayout = new QVBoxLayout(m_listPane);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    QFrame *leftTop = Panel("Panel_Mid_Left_Top", m_listPane, kPanelColor);
    leftTop->setFixedHeight(25);
    leftTop->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_countLabel = new QLabel(QStringLiteral("妙码特效：0个"), leftTop);
    m_countLabel->setObjectName(QStringLiteral("Label_EfxNumber"));
    m_countLabel->move(6, 6);
    m_countLabel->setFixedWidth(128);
    QPalette labelPalette = m_countLabel->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0x80, 0x40, 0x40));
    m_countLabel->setPalette(labelPalette);
    QToolButton *down = SpeedButton("SpeedButton_Down", leftTop, {136, 4, 20, 17}, QString(),
                                    QStringLiteral("arrow-down"));
    down->setToolTip(QStringLiteral("下一个"));
    QToolButton *up = SpeedButton("SpeedButton_Up", leftTop, {160, 4, 20, 17}, QString(),
                                  QStringLiteral("arrow-up"));
    up->setToolTip(QStringLiteral("上一个"));
    leftLayout->addWidget(leftTop);

    m_list = new QListView(m_listPane);
    m_list->setObjectName(QStringLiteral("ListView_EfxName"));
    m_list->setViewMode(QListView::ListMode);
    m_list->setIconSize(QSize(16, 16));
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFont(font());
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setFocusPolicy(Qt::StrongFocus);
    QPalette listPalette = m_list->palette();
    // The selection stays visible while the list has no focus.
    listPalette.setColor(QPalette::Inactive, QPalette::Highlight,
                         listPalette.color(QPalette::Active, QPalette::Highlight));
    listPalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         listPalette.color(QPalette::Active, QPalette::HighlightedText));
    m_list->setPalette(listPalette);
    leftLayout->addWidget(m_list, 1);

    QFrame *leftBottom = Panel("Panel_Mid_Bottom", m_listPane, kPanelColor);
    leftBottom->setFixedHeight(24);
    QToolButton *email = SpeedButton("SpeedButton_Email", leftBottom, {3, 4, 85, 20},
                                     QStringLiteral("咨询信箱"), QStringLiteral("email"));
    QToolButton *homePage = SpeedButton("SpeedButton_HomePage", leftBottom, {96, 4, 85, 20},
                                        QStringLiteral("禾川主页"), QStringLiteral("home"));
    leftLayout->addWidget(leftBottom);

    QFrame *right = Panel("Panel_Mid_Right", m_splitter, kPanelColor);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    m_panelCode = Panel("Panel_Code", right, kPanelColor);
    m_panelCode->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panelCode->setLineWidth(1);
    m_panelCode->installEventFilter(this);
    rightLayout->addWidget(m_panelCode, 1);
    m_code = new QPlainTextEdit(m_panelCode);
    m_code->setObjectName(QStringLiteral("RichEdit_Code"));
    m_code->setFont(font());
    m_code->setFrameShape(QFrame::NoFrame);
    m_code->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_code->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_code->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette codePalette = m_code->palette();
    codePalette.setColor(QPalette::Base, QColor(0xE6, 0xE6, 0xFF));
    codePalette.setColor(QPalette::Text, QColor(0xAB, 0x54, 0x54));
    m_code->setPalette(codePalette);
    m_code->setPlainText(QStringLiteral("\n欢迎使用妙码工坊v4.0！最新版本请到禾川主页 %1 下载。")
                             .arg(QString::fromLatin1(platform::MakerHomePage)));
    m_code->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_code, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menuCode->popup(m_code->mapToGlobal(pos)); });

    QFrame *codeButtons = Panel("Panel_CodeBtn", right, kPanelColor);
    codeButtons->setFixedHeight(30);
    rightLayout->addWidget(codeButtons);
    QToolButton *change = SpeedButton("SpeedButton_Change", codeButtons, {2, 4, 23, 23}, QString(),
                                      QStringLiteral("change"));
    QToolButton *preview = SpeedButton("SpeedButton_Preview", codeButtons, {30, 4, 88, 23},
                                       QStringLiteral("预览特效"), QStringLiteral("preview"));
    QToolButton *copy = SpeedButton("SpeedButton_Copy", codeButtons, {118, 4, 88, 23},
                                    QStringLiteral("复制特效"), QStringLiteral("copy"));
    QToolButton *save = SpeedButton("SpeedButton_Save", codeButtons, {206, 4, 88, 23},
                                    QStringLiteral("保存特效"), QStringLiteral("save"));
    QToolButton *help = SpeedButton("SpeedButton_Help", codeButtons, {393, 4, 88, 23},
                                    QStringLiteral("使用帮助"), QStringLiteral("help"));
    for (QToolButton *b : {preview, copy, save, help})
        b->setCursor(Qt::PointingHandCursor);

    m_splitter->addWidget(m_listPane);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({185, 678 - 185 - 5});

    // The objects behind the commands.
    m_browser = new CategoryBrowser(m_list, m_countLabel, m_categoryButtons, this);
    m_browser->model()->setIcons(PictureIcon(QStringLiteral("list-plain")),
                                 PictureIcon(QStringLiteral("list-plugin")));
    connect(down, &QToolButton::clicked, m_browser, &CategoryBrowser::SpeedButton_DownClick);
    connect(up, &QToolButton::clicked, m_browser, &CategoryBrowser::SpeedButton_UpClick);
    connect(email, &QToolButton::clicked, this, &TForm_Main::SpeedButton_EmailClick);
    connect(homePage, &QToolButton::clicked, this, &TForm_Main::SpeedButton_HomePageClick);
    connect(change, &QToolButton::clicked, this, &TForm_Main::SpeedButton_ChangeClick);
    connect(help, &QToolButton::clicked, this, &TForm_Main::SpeedButton_HelpClick);

    m_host = new EffectHost(m_browser, m_panelCode, m_code, {preview, copy, save}, this);
    m_output = new EffectOutput(m_host, m_browser, m_code, this, this);
    connect(preview, &QToolButton::clicked, m_output, &EffectOutput::SpeedButton_PreviewClick);
    connect(copy, &QToolButton::clicked, m_output, &EffectOutput::SpeedButton_CopyClick);
    connect(save, &QToolButton::clicked, m_output, &EffectOutput::SpeedButton_SaveClick);
    // Every change of the selection, and the refill of the list (which drops
    // it), reaches the host's change handler.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, m_host,
            &EffectHost::ListView_EfxNameChange);
    connect(m_browser->model(), &QAbstractItemModel::modelReset, m_host,
            &EffectHost::ListView_EfxNameChange);
}

void TForm_Main::BuildMenus() {
    QAction *font = MenuItem(m_menuSet, "Set_Font", QStringLiteral("代码字体(&F)..."),
                             QStringLiteral("menu-font"));
    QAction *color = MenuItem(m_menuSet, "Set_Color", QStringLiteral("背景颜色(&C)..."),
                              QStringLiteral("menu-color"));
    MenuItem(m_menuSet, "N1", QStringLiteral("-"), QString());
    QAction *exit = MenuItem(m_menuSet, "menu_Exit", QStringLiteral("退出程序(&X)"),
                             QStringLiteral("menu-exit"));
    connect(font, &QAction::triggered, this, &TForm_Main::Set_FontClick);
    connect(color, &QAction::triggered, this, &TForm_Main::Set_ColorClick);
    connect(exit, &QAction::triggered, this, &TForm_Main::Image_CloseClick);

    QAction *copy =
        MenuItem(m_menuCode, "Code_Copy", QStringLiteral("复制(&C)"), QStringLiteral("menu-copy"));
    QAction *paste = MenuItem(m_menuCode, "Code_Paste", QStringLiteral("粘贴(&V)"),
                              QStringLiteral("menu-paste"));
    QAction *cut =
        MenuItem(m_menuCode, "Code_Cut", QStringLiteral("剪切(&X)"), QStringLiteral("menu-cut"));
    MenuItem(m_menuCode, "N3", QStringLiteral("-"), QString());
    QAction *preview = MenuItem(m_menuCode, "Code_Preview", QStringLiteral("预览特效"),
                                QStringLiteral("menu-preview"));
    QAction *copyAll = MenuItem(m_menuCode, "Code_CopyAll", QStringLiteral("复制特效(&L)"),
                                QStringLiteral("menu-copy"));
    QAction *save = MenuItem(m_menuCode, "Code_Save", QStringLiteral("保存特效(&S)"),
                             QStringLiteral("menu-save"));
    connect(copy, &QAction::triggered, this, &TForm_Main::Code_CopyClick);
    connect(paste, &QAction::triggered, this, &TForm_Main::Code_PasteClick);
    connect(cut, &QAction::triggered, this, &TForm_Main::Code_CutClick);
    connect(preview, &QAction::triggered, m_output, &EffectOutput::SpeedButton_PreviewClick);
    connect(copyAll, &QAction::triggered, m_output, &EffectOutput::SpeedButton_CopyClick);
    connect(save, &QAction::triggered, m_output, &EffectOutput::SpeedButton_SaveClick);
    m_host->AddOutputControls({preview, copyAll, save});

    QAction *personal = MenuItem(m_menuTools, "Personal_Efx", QStringLiteral("个人特效箱(&P)..."),
                                 QStringLiteral("menu-toolbox"));
    connect(personal, &QAction::triggered, m_host, &EffectHost::Personal_EfxClick);

    QAction *softHelp = MenuItem(m_menuHelp, "Soft_Help", QStringLiteral("使用方法(&H)"),
                                 QStringLiteral("menu-book"));
    QAction *mail = MenuItem(m_menuHelp, "Write_Mail", QStringLiteral("咨询信箱(&E)"),
                             QStringLiteral("menu-mail"));
    QAction *homePage = MenuItem(m_menuHelp, "Tarvo_Homepage", QStringLiteral("禾川主页(&H)"),
                                 QStringLiteral("menu-home"));
    MenuItem(m_menuHelp, "N2", QStringLiteral("-"), QString());
    QAction *about = MenuItem(m_menuHelp, "About_Me", QStringLiteral("关于本软件(&A)..."),
                              QStringLiteral("menu-face"));
    connect(softHelp, &QAction::triggered, this, &TForm_Main::SpeedButton_HelpClick);
    connect(mail, &QAction::triggered, this, &TForm_Main::SpeedButton_EmailClick);
    connect(homePage, &QAction::triggered, this, &TForm_Main::SpeedButton_HomePageClick);
    connect(about, &QAction::triggered, this, &TForm_Main::About_MeClick);
}

void TForm_Main::FormCreate() {
    m_browser->LoadCategoryList(EffectCategory::Good);
    m_host->PluginActive = false;
    m_host->CurrentEffectIsPlugin = false;
    m_host->LastEffectIndex = -1;
}

bool TForm_Main::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_imageTop) {
        if (DispatchTitleMouse(this, m_imageTop, event))
            return true;
    } else if (watched == m_panelCode && event->type() == QEvent::Resize) {
        // The code pane fills the panel inside its bevel; a plug-in's form
        // lies on top of it.
        const int inset = m_panelCode->frameWidth();
        m_code->setGeometry(m_panelCode->rect().adjusted(inset, inset, -inset, -inset));
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_Main::Image_TopMouseDown(Qt::MouseButton button, QPoint pos) {
    m_drag.MouseDown(this, button == Qt::LeftButton, pos);
}

void TForm_Main::Image_TopMouseMove(QPoint pos) {
    m_drag.MouseMove(this, pos);
}

void TForm_Main::Image_TopMouseUp() {
    m_drag.MouseUp();
}

void TForm_Main::Image_MinimizeClick() {
    showMinimized();
}

void TForm_Main::Image_CloseClick() {
    m_host->UnloadPlugin();
    close();
}

void TForm_Main::SpeedButton_ChangeClick() {
    const int total = m_splitter->width() - m_splitter->handleWidth();
    m_splitter->setSizes({185, total - 185});
}

void TForm_Main::Code_CopyClick() {
    m_code->copy();
}

void TForm_Main::Code_PasteClick() {
    m_code->paste();
}

void TForm_Main::Code_CutClick() {
    m_code->cut();
}

void TForm_Main::Set_FontClick() {
    // The dialogs are made when first used: building them costs start-up time.
    if (!m_fontDialog) {
        m_fontDialog = new QFontDialog(this);
        m_fontDialog->setObjectName(QStringLiteral("FontDialog_SetFont"));
        m_fontDialog->setOption(QFontDialog::DontUseNativeDialog);
    }
    m_fontDialog->setCurrentFont(m_lastFont);
    if (m_fontDialog->exec() != QDialog::Accepted)
        return;
    m_lastFont = m_fontDialog->selectedFont();
    m_code->setFont(m_lastFont);
}

void TForm_Main::Set_ColorClick() {
    if (!m_colorDialog) {
        m_colorDialog = new QColorDialog(this);
        m_colorDialog->setObjectName(QStringLiteral("ColorDialog_SetColor"));
        m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);
    }
    m_colorDialog->setCurrentColor(m_lastColor);
    if (m_colorDialog->exec() != QDialog::Accepted)
        return;
    m_lastColor = m_colorDialog->selectedColor();
    QPalette p = m_code->palette();
    p.setColor(QPalette::Base, m_lastColor);
    m_code->setPalette(p);
}

void TForm_Main::SpeedButton_HelpClick() {
    ShowProgramHelp(this);
}

void TForm_Main::About_MeClick() {
    if (!m_about)
        return;
    m_about->move(frameGeometry().center() - m_about->rect().center());
    m_about->exec();
}

void TForm_Main::Image_TarvoClick() {
    platform::ShellOpenUrl(QUrl(QString::fromLatin1(platform::MakerHomePage)));
}

void TForm_Main::SpeedButton_HomePageClick() {
    Image_TarvoClick();
}

void TForm_Main::SpeedButton_EmailClick() {
    platform::ShellOpenUrl(
        QUrl(QStringLiteral("mailto:") + QString::fromLatin1(platform::MakerMailbox)));
}
