#include "TForm_MultilayerSlipmMenu.h"

#include "ColorSwatch.h"
#include "GenerateMenuPage.h"
#include "GridLineDelegate.h"
#include "MenuItem.h"
#include "MenuPageColors.h"
#include "MenuPageTemplate.h"

#include "platform/AppMessageBox.h"

#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSvgRenderer>
#include <QToolButton>
#include <QTreeWidget>

// The form's pictures live in the library's resources; registering them
// here also links them in from the static library.
static void registerPictures() {
    Q_INIT_RESOURCE(tierglide);
}

namespace tierglide {

namespace {

// Every text the form shows or hands on is built at run time: nothing of the
// library's own memory may be referenced once it is unloaded.
QString txt(const char *utf8) {
    return QString::fromUtf8(utf8);
}

QString defaultUrl() {
    return txt("http://");
}

// Positions of the type choice.
enum MenuTypeChoice { MainMenuWithoutLink = 0, MainMenuWithLink = 1, SubMenuChoice = 2 };

enum Column { KindColumn = 0, NameColumn = 1, UrlColumn = 2, TargetColumn = 3 };

QIcon svgIcon(const char *resource, QSize size) {
    QSvgRenderer renderer(txt(resource));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

TForm_MultilayerSlipmMenu::TForm_MultilayerSlipmMenu(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint) {
    registerPictures();
    setObjectName(txt("Form_MultilayerSlipmMenu"));
    resize(486, 374);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xDD, 0xDD, 0xDD));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f;
    f.setFamily(txt("宋体"));
    f.setPixelSize(12);
    setFont(f);

    buildLayout();
    connectHandlers();

    Shape_MenuBarBkColor->setColor(QColor(0xCC, 0xCC, 0xCC));
    Shape_MenuBarBorderColor->setColor(QColor(0x99, 0x99, 0x99));
    Shape_MenuBarFontColor->setColor(QColor(0x00, 0x00, 0x00));
    Shape_MenuBkColor->setColor(QColor(0xF4, 0xF4, 0xF4));
    Shape_MenuOverBorderColor->setColor(QColor(0x99, 0x99, 0x99));
    Shape_MenuOverBkColor->setColor(QColor(0xCC, 0xCC, 0xCC));
    Shape_MenuFontColor->setColor(QColor(0x00, 0x00, 0x00));

    FormCreate();
}

QLabel *TForm_MultilayerSlipmMenu::addLabel(QWidget *parent, const char *name, const char *text,
                                            int x, int y) {
    auto *label = new QLabel(txt(text), parent);
    label->setObjectName(txt(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

ColorSwatch *TForm_MultilayerSlipmMenu::addSwatch(QWidget *parent, const char *name, int x, int y) {
    auto *swatch = new ColorSwatch(parent);
    swatch->setObjectName(txt(name));
    swatch->setGeometry(x, y, 18, 18);
    return swatch;
}

QToolButton *TForm_MultilayerSlipmMenu::addSpeedButton(QWidget *parent, const char *name,
                                                       const char *text, const QRect &geometry) {
    auto *button = new QToolButton(parent);
    button->setObjectName(txt(name));
    button->setText(txt(text));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(geometry);
    return button;
}

void TForm_MultilayerSlipmMenu::buildLayout() {
    buildDescription();
    buildBasicSettings();
    buildMenuSettings();

    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(txt("RichEdit1"));
    RichEdit1->setGeometry(8, 800, 337, 65);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setPlainText(MenuPageTemplateLines().join(QChar(u'\n')) + QChar(u'\n'));
    // It lies below the client area; keep it out of sight also when the
    // form is stretched over a taller panel.
    RichEdit1->hide();

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(txt("ColorDialog1"));
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
    ColorDialog1->setCurrentColor(m_lastChosenColor);

    setTabOrder(ListView1, Edit_MenuText);
    setTabOrder(Edit_MenuText, Edit_MenuURL);
}

void TForm_MultilayerSlipmMenu::buildDescription() {
    GroupBox1 = new QGroupBox(txt("多级滑动菜单"), this);
    GroupBox1->setObjectName(txt("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 473, 63);
    QPalette pal = GroupBox1->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    GroupBox1->setPalette(pal);

    QLabel *label1 =
        addLabel(GroupBox1, "Label1",
                 "菜单是网页中必备的元素，一个好样式的菜单既增加页面的美观程度，又会给浏", 40, 20);
    label1->setGeometry(40, 20, 420, 12); // a label paints no background of its own
    QLabel *label2 =
        addLabel(GroupBox1, "Label2",
                 "览者带去很多方便，多级滑动菜单就是其中的一种样式，堪称菜单中的精品。", 16, 39);
    label2->setGeometry(16, 39, 408, 12);
}

void TForm_MultilayerSlipmMenu::buildBasicSettings() {
    GroupBox2 = new QGroupBox(txt("基本设置"), this);
    GroupBox2->setObjectName(txt("GroupBox2"));
    GroupBox2->setGeometry(8, 80, 473, 65);

    addLabel(GroupBox2, "Label14", "菜单设置：背景颜色", 13, 18);
    Shape_MenuBkColor = addSwatch(GroupBox2, "Shape_MenuBkColor", 126, 15);
    addLabel(GroupBox2, "Label13", "字体颜色", 149, 18);
    Shape_MenuFontColor = addSwatch(GroupBox2, "Shape_MenuFontColor", 200, 15);
    addLabel(GroupBox2, "Label11", "激活菜单设置：背景颜色", 226, 18);
    Shape_MenuOverBkColor = addSwatch(GroupBox2, "Shape_MenuOverBkColor", 364, 15);
    addLabel(GroupBox2, "Label12", "边框颜色", 389, 18);
    Shape_MenuOverBorderColor = addSwatch(GroupBox2, "Shape_MenuOverBorderColor", 444, 15);

    addLabel(GroupBox2, "Label10", "导航菜单设置：文字", 13, 42);
    Edit_MenuBarText = new QLineEdit(txt("多级滑动菜单"), GroupBox2);
    Edit_MenuBarText->setObjectName(txt("Edit_MenuBarText"));
    Edit_MenuBarText->setGeometry(126, 39, 92, 20);
    Edit_MenuBarText->setFocusPolicy(Qt::ClickFocus);
    addLabel(GroupBox2, "Label6", "背景颜色", 226, 42);
    Shape_MenuBarBkColor = addSwatch(GroupBox2, "Shape_MenuBarBkColor", 284, 39);
    addLabel(GroupBox2, "Label5", "边框颜色", 309, 42);
    Shape_MenuBarBorderColor = addSwatch(GroupBox2, "Shape_MenuBarBorderColor", 364, 39);
    addLabel(GroupBox2, "Label7", "字体颜色", 389, 42);
    Shape_MenuBarFontColor = addSwatch(GroupBox2, "Shape_MenuBarFontColor", 444, 39);
}

void TForm_MultilayerSlipmMenu::buildMenuSettings() {
    GroupBox3 = new QGroupBox(txt("菜单设置"), this);
    GroupBox3->setObjectName(txt("GroupBox3"));
    GroupBox3->setGeometry(8, 152, 473, 209);

    addLabel(GroupBox3, "Label9", "菜单名称：", 13, 20);
    Edit_MenuText = new QLineEdit(GroupBox3);
    Edit_MenuText->setObjectName(txt("Edit_MenuText"));
    Edit_MenuText->setGeometry(75, 16, 206, 20);

    addLabel(GroupBox3, "Label8", "页面打开方式：", 292, 20);
    ComboBox_URLType = new QComboBox(GroupBox3);
    ComboBox_URLType->setObjectName(txt("ComboBox_URLType"));
    ComboBox_URLType->setEditable(false);
    ComboBox_URLType->addItems({txt("_blank"), txt("_top"), txt("_self"), txt("_parent")});
    ComboBox_URLType->setCurrentIndex(0);
    ComboBox_URLType->setGeometry(384, 17, 80, 20);
    ComboBox_URLType->setFocusPolicy(Qt::ClickFocus);
    ComboBox_URLType->setCursor(Qt::PointingHandCursor);

    addLabel(GroupBox3, "Label4", "链接地址：", 13, 46);
    Edit_MenuURL = new QLineEdit(defaultUrl(), GroupBox3);
    Edit_MenuURL->setObjectName(txt("Edit_MenuURL"));
    Edit_MenuURL->setGeometry(75, 43, 302, 20);

    SpeedButton_Html =
        addSpeedButton(GroupBox3, "SpeedButton_Html", "选择文件", QRect(384, 43, 78, 20));
    SpeedButton_Html->setIcon(svgIcon(":/tierglide/magnifier.svg", QSize(16, 16)));
    SpeedButton_Html->setIconSize(QSize(16, 16));
    SpeedButton_Html->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    addLabel(GroupBox3, "Label3", "类型：", 13, 71);
    ComboBox_MenuType = new QComboBox(GroupBox3);
    ComboBox_MenuType->setObjectName(txt("ComboBox_MenuType"));
    ComboBox_MenuType->setEditable(false);
    ComboBox_MenuType->addItems({txt("主菜单(不带链接)"), txt("主菜单(带有链接)"), txt("子菜单")});
    ComboBox_MenuType->setCurrentIndex(MainMenuWithoutLink);
    ComboBox_MenuType->setGeometry(49, 68, 128, 20);
    ComboBox_MenuType->setFocusPolicy(Qt::ClickFocus);
    ComboBox_MenuType->setCursor(Qt::PointingHandCursor);

    SpeedButton_Add =
        addSpeedButton(GroupBox3, "SpeedButton_Add", "【添加】", QRect(184, 68, 52, 22));
    SpeedButton_Modify =
        addSpeedButton(GroupBox3, "SpeedButton_Modify", "【修改】", QRect(240, 68, 52, 22));
    SpeedButton_Del =
        addSpeedButton(GroupBox3, "SpeedButton_Del", "【删除】", QRect(296, 68, 52, 22));
    SpeedButton_Clear =
        addSpeedButton(GroupBox3, "SpeedButton_Clear", "【清除】", QRect(352, 68, 52, 22));
    SpeedButton_Down = addSpeedButton(GroupBox3, "SpeedButton_Down", "", QRect(415, 68, 22, 22));
    SpeedButton_Down->setIcon(svgIcon(":/tierglide/down.svg", QSize(16, 14)));
    SpeedButton_Down->setIconSize(QSize(16, 14));
    SpeedButton_Down->setToolTip(txt("向下移动菜单"));
    SpeedButton_Up = addSpeedButton(GroupBox3, "SpeedButton_Up", "", QRect(440, 68, 22, 22));
    SpeedButton_Up->setIcon(svgIcon(":/tierglide/up.svg", QSize(16, 14)));
    SpeedButton_Up->setIconSize(QSize(16, 14));
    SpeedButton_Up->setToolTip(txt("向上移动菜单"));

    // The outline around the list, drawn in the frame's foreground colour.
    Shape1 = new QFrame(GroupBox3);
    Shape1->setObjectName(txt("Shape1"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(1);
    QPalette framePalette = Shape1->palette();
    framePalette.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0xFF));
    Shape1->setPalette(framePalette);
    Shape1->setGeometry(8, 95, 457, 105);

    ListView1 = new QTreeWidget(GroupBox3);
    ListView1->setObjectName(txt("ListView1"));
    ListView1->setGeometry(9, 96, 455, 103);
    ListView1->setColumnCount(4);
    ListView1->setHeaderLabels({txt("类型"), txt("菜单名称"), txt("链接地址"), txt("打开方式")});
    const int widths[] = {60, 110, 200, 60};
    for (int c = 0; c < 4; ++c)
        ListView1->header()->resizeSection(c, widths[c]);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsClickable(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setFrameShape(QFrame::NoFrame);
    ListView1->setItemDelegate(new GridLineDelegate(ListView1));
    QPalette listPalette = ListView1->palette();
    listPalette.setColor(QPalette::Base, Qt::white);
    // The selected row stays marked while the list has no focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        listPalette.setColor(QPalette::Inactive, role, listPalette.color(QPalette::Active, role));
    ListView1->setPalette(listPalette);
}

void TForm_MultilayerSlipmMenu::connectHandlers() {
    using F = TForm_MultilayerSlipmMenu;
    connect(SpeedButton_Add, &QToolButton::clicked, this, &F::SpeedButton_AddClick);
    connect(SpeedButton_Modify, &QToolButton::clicked, this, &F::SpeedButton_ModifyClick);
    connect(SpeedButton_Del, &QToolButton::clicked, this, &F::SpeedButton_DelClick);
    connect(SpeedButton_Clear, &QToolButton::clicked, this, &F::SpeedButton_ClearClick);
    connect(SpeedButton_Up, &QToolButton::clicked, this, &F::SpeedButton_UpClick);
    connect(SpeedButton_Down, &QToolButton::clicked, this, &F::SpeedButton_DownClick);
    connect(SpeedButton_Html, &QToolButton::clicked, this, &F::SpeedButton_HtmlClick);
    connect(ListView1, &QTreeWidget::itemClicked, this, &F::ListView1Click);
    connect(Shape_MenuBkColor, &ColorSwatch::mousePressed, this, &F::Shape_MenuBkColorMouseDown);
    connect(Shape_MenuFontColor, &ColorSwatch::mousePressed, this,
            &F::Shape_MenuFontColorMouseDown);
    connect(Shape_MenuOverBkColor, &ColorSwatch::mousePressed, this,
            &F::Shape_MenuOverBkColorMouseDown);
    connect(Shape_MenuOverBorderColor, &ColorSwatch::mousePressed, this,
            &F::Shape_MenuOverBorderColorMouseDown);
    connect(Shape_MenuBarBkColor, &ColorSwatch::mousePressed, this,
            &F::Shape_MenuBarBkColorMouseDown);
    connect(Shape_MenuBarBorderColor, &ColorSwatch::mousePressed, this,
            &F::Shape_MenuBarBorderColorMouseDown);
    connect(Shape_MenuBarFontColor, &ColorSwatch::mousePressed, this,
            &F::Shape_MenuBarFontColorMouseDown);
}

void TForm_MultilayerSlipmMenu::ShowIn(QWidget *parent) {
    QWidget *previous = parentWidget();
    if (previous && previous != parent)
        previous->removeEventFilter(this);
    if (previous != parent)
        setParent(parent);
    if (parent) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    }
    raise();
    show();
}

bool TForm_MultilayerSlipmMenu::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Resize && watched == parentWidget())
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

QString TForm_MultilayerSlipmMenu::GenerateCode() {
    const int count = ListView1->topLevelItemCount();
    QList<MenuItem> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem *item = ListView1->topLevelItem(i);
        rows.append(MenuItem{item->text(KindColumn), item->text(NameColumn), item->text(UrlColumn),
                             item->text(TargetColumn)});
    }
    MenuPageColors colors;
    colors.MenuBarBkColor = Shape_MenuBarBkColor->color();
    colors.MenuBarBorderColor = Shape_MenuBarBorderColor->color();
    colors.MenuBarFontColor = Shape_MenuBarFontColor->color();
    colors.MenuBkColor = Shape_MenuBkColor->color();
    colors.MenuOverBorderColor = Shape_MenuOverBorderColor->color();
    colors.MenuOverBkColor = Shape_MenuOverBkColor->color();
    colors.MenuFontColor = Shape_MenuFontColor->color();
    // The template control gives its lines separated by "\n"; the page uses
    // CR LF throughout.
    QString templateText = RichEdit1->toPlainText();
    templateText.replace(QChar(u'\n'), QLatin1String("\r\n"));

    const QString page = GenerateMenuPage(Edit_MenuBarText->text(), colors, rows, templateText);

    // The rows were walked by selecting each in turn: a refused first row
    // stays selected, a finished page leaves the last row selected.
    if (count > 0) {
        if (rows.first().Kind != QStringView(MainMenuKind))
            selectRow(ListView1->topLevelItem(0));
        else
            selectRow(ListView1->topLevelItem(count - 1));
    }
    return page;
}

void TForm_MultilayerSlipmMenu::FormCreate() {
    const QString main = QStringView(MainMenuKind).toString();
    const QString sub = QStringView(SubMenuKind).toString();
    const QString none = QStringView(NoLink).toString();
    const QString blank = txt("_blank");
    const QString top = txt("_top");
    const QString mail = txt("mailto:support@hechuan.example");

    AddMenuItem(main, txt("禾川软件"), none, none);
    AddMenuItem(sub, txt("妙笔网页助手"), txt("http://www.hechuan.example/products/miaobi.htm"),
                blank);
    AddMenuItem(sub, txt("禾川图片管家"), txt("http://www.hechuan.example/products/tupian.htm"),
                blank);
    AddMenuItem(sub, txt("禾川记事本"), txt("http://www.hechuan.example/products/jishi.htm"),
                blank);
    AddMenuItem(sub, txt("联系我们"), mail, top);

    AddMenuItem(main, txt("光影电影网"), none, none);
    AddMenuItem(sub, txt("动作片"), txt("http://www.guangying.example/dongzuo/"), blank);
    AddMenuItem(sub, txt("喜剧片"), txt("http://www.guangying.example/xiju/"), blank);
    AddMenuItem(sub, txt("爱情片"), txt("http://www.guangying.example/aiqing/"), blank);
    AddMenuItem(sub, txt("科幻片"), txt("http://www.guangying.example/kehuan/"), blank);
    AddMenuItem(sub, txt("恐怖片"), txt("http://www.guangying.example/kongbu/"), blank);
    AddMenuItem(sub, txt("战争片"), txt("http://www.guangying.example/zhanzheng/"), blank);
    AddMenuItem(sub, txt("动画片"), txt("http://www.guangying.example/donghua/"), blank);

    AddMenuItem(main, txt("常去的网站"), none, none);
    AddMenuItem(sub, txt("星河门户"), txt("http://www.xinghe.example/"), blank);
    AddMenuItem(sub, txt("云帆门户"), txt("http://www.yunfan.example/"), blank);
    AddMenuItem(sub, txt("飞速下载"), txt("http://www.feisu-download.example/"), blank);
    AddMenuItem(sub, txt("华夏软件园"), txt("http://www.huaxia-soft.example/"), blank);
    AddMenuItem(sub, txt("光影论坛"), txt("http://bbs.guangying.example/"), blank);

    AddMenuItem(main, txt("联系我们"), mail, top);
}

void TForm_MultilayerSlipmMenu::AddMenuItem(const QString &kind, const QString &name,
                                            const QString &url, const QString &target) {
    auto *item = new QTreeWidgetItem(QStringList{kind, name, url, target});
    ListView1->addTopLevelItem(item);
}

void TForm_MultilayerSlipmMenu::writeEditFields(QTreeWidgetItem *item) {
    const int choice = ComboBox_MenuType->currentIndex();
    const bool sub = choice == SubMenuChoice;
    item->setText(KindColumn, QStringView(sub ? SubMenuKind : MainMenuKind).toString());
    item->setText(NameColumn, Edit_MenuText->text());
    if (choice == MainMenuWithoutLink) {
        item->setText(UrlColumn, QStringView(NoLink).toString());
        item->setText(TargetColumn, QStringView(NoLink).toString());
    } else {
        item->setText(UrlColumn, Edit_MenuURL->text());
        item->setText(TargetColumn, ComboBox_URLType->currentText());
    }
}

void TForm_MultilayerSlipmMenu::resetEditFields() {
    Edit_MenuText->clear();
    Edit_MenuURL->setText(defaultUrl());
    Edit_MenuText->setFocus(Qt::OtherFocusReason);
}

QTreeWidgetItem *TForm_MultilayerSlipmMenu::singleSelectedRow() const {
    const QList<QTreeWidgetItem *> selected = ListView1->selectedItems();
    return selected.size() == 1 ? selected.first() : nullptr;
}

void TForm_MultilayerSlipmMenu::selectRow(QTreeWidgetItem *item) {
    ListView1->setCurrentItem(item, 0,
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TForm_MultilayerSlipmMenu::swapRows(QTreeWidgetItem *a, QTreeWidgetItem *b) {
    for (int c = KindColumn; c <= TargetColumn; ++c) {
        const QString text = a->text(c);
        a->setText(c, b->text(c));
        b->setText(c, text);
    }
}

void TForm_MultilayerSlipmMenu::SpeedButton_AddClick() {
    if (Edit_MenuText->text().isEmpty()) {
        platform::AppMessageBox(txt("特效信息不完整"), txt("错误"), platform::MB_ICONSTOP_OK);
        return;
    }
    auto *item = new QTreeWidgetItem;
    writeEditFields(item);
    ListView1->addTopLevelItem(item);
    resetEditFields();
}

void TForm_MultilayerSlipmMenu::SpeedButton_ModifyClick() {
    QTreeWidgetItem *item = singleSelectedRow();
    if (!item)
        return;
    if (Edit_MenuText->text().isEmpty()) {
        platform::AppMessageBox(txt("特效信息不完整"), txt("错误"), platform::MB_ICONSTOP_OK);
        return;
    }
    writeEditFields(item);
}

void TForm_MultilayerSlipmMenu::SpeedButton_DelClick() {
    QTreeWidgetItem *item = singleSelectedRow();
    if (!item)
        return;
    delete item;
    ListView1->clearSelection();
    resetEditFields();
}

void TForm_MultilayerSlipmMenu::SpeedButton_ClearClick() {
    ListView1->clear();
    resetEditFields();
}

void TForm_MultilayerSlipmMenu::SpeedButton_UpClick() {
    QTreeWidgetItem *item = singleSelectedRow();
    if (!item)
        return;
    const int p = ListView1->indexOfTopLevelItem(item);
    if (p <= 0)
        return;
    QTreeWidgetItem *above = ListView1->topLevelItem(p - 1);
    swapRows(item, above);
    selectRow(above);
}

void TForm_MultilayerSlipmMenu::SpeedButton_DownClick() {
    QTreeWidgetItem *item = singleSelectedRow();
    if (!item)
        return;
    const int p = ListView1->indexOfTopLevelItem(item);
    if (p < 0 || p >= ListView1->topLevelItemCount() - 1)
        return;
    QTreeWidgetItem *below = ListView1->topLevelItem(p + 1);
    swapRows(item, below);
    selectRow(below);
}

void TForm_MultilayerSlipmMenu::SpeedButton_HtmlClick() {
    if (ComboBox_MenuType->currentIndex() == MainMenuWithoutLink)
        return;
    const QString filter = txt("网页文件(*.htm;*.html)");
    QFileDialog OpenDialog1(this, txt("选择网页文件"));
    OpenDialog1.setObjectName(txt("OpenDialog1"));
    OpenDialog1.setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1.setFileMode(QFileDialog::ExistingFile);
    OpenDialog1.setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1.setNameFilter(filter);
    // Qt reads the patterns of a filter as a blank-separated list; this one
    // separates them with ";", so give the patterns to the listing itself.
    if (auto *model = OpenDialog1.findChild<QFileSystemModel *>())
        model->setNameFilters({txt("*.htm"), txt("*.html")});
    if (OpenDialog1.exec() != QDialog::Accepted)
        return;
    const QStringList files = OpenDialog1.selectedFiles();
    if (!files.isEmpty())
        Edit_MenuURL->setText(files.first());
}

void TForm_MultilayerSlipmMenu::ListView1Click() {
    const QTreeWidgetItem *item = singleSelectedRow();
    if (!item)
        return;
    const QString kind = item->text(KindColumn);
    const QString target = item->text(TargetColumn);
    Edit_MenuText->setText(item->text(NameColumn));
    Edit_MenuURL->setText(item->text(UrlColumn));
    const int targetIndex =
        ComboBox_URLType->findText(target, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (targetIndex >= 0)
        ComboBox_URLType->setCurrentIndex(targetIndex);
    if (kind == QStringView(SubMenuKind))
        ComboBox_MenuType->setCurrentIndex(SubMenuChoice);
    else if (target == QStringView(NoLink))
        ComboBox_MenuType->setCurrentIndex(MainMenuWithoutLink);
    else
        ComboBox_MenuType->setCurrentIndex(MainMenuWithLink);
}

void TForm_MultilayerSlipmMenu::chooseColor(ColorSwatch *swatch) {
    ColorDialog1->setCurrentColor(m_lastChosenColor);
    if (ColorDialog1->exec() != QDialog::Accepted)
        return;
    m_lastChosenColor = ColorDialog1->selectedColor();
    swatch->setColor(m_lastChosenColor);
}

void TForm_MultilayerSlipmMenu::Shape_MenuBkColorMouseDown() {
    chooseColor(Shape_MenuBkColor);
}

void TForm_MultilayerSlipmMenu::Shape_MenuFontColorMouseDown() {
    chooseColor(Shape_MenuFontColor);
}

void TForm_MultilayerSlipmMenu::Shape_MenuOverBkColorMouseDown() {
    chooseColor(Shape_MenuOverBkColor);
}

void TForm_MultilayerSlipmMenu::Shape_MenuOverBorderColorMouseDown() {
    chooseColor(Shape_MenuOverBorderColor);
}

void TForm_MultilayerSlipmMenu::Shape_MenuBarBkColorMouseDown() {
    chooseColor(Shape_MenuBarBkColor);
}

void TForm_MultilayerSlipmMenu::Shape_MenuBarBorderColorMouseDown() {
    chooseColor(Shape_MenuBarBorderColor);
}

void TForm_MultilayerSlipmMenu::Shape_MenuBarFontColorMouseDown() {
    chooseColor(Shape_MenuBarFontColor);
}

} // namespace tierglide
