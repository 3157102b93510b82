// The menu item editor through its real widgets: buttons clicked, text typed,
// combo choices made with the keyboard, rows clicked in the list, and the
// message box, file dialog and colour dialog answered as a user would.
#include "ModalWatcher.h"
#include "TForm_MultilayerSlipmMenu.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

QString u8(const char *s) {
    return QString::fromUtf8(s);
}

const char *const MainKind = "主菜单 +";
const char *const SubKind = "子菜单 -";

} // namespace

class TestEditor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsAreNamedAndPlaced_data();
    void controlsAreNamedAndPlaced();
    void listIsAReportOfFourColumns();
    void startsWithTheDemonstrationMenu();

    void addWritesTheRowTheTypeChoiceSays_data();
    void addWritesTheRowTheTypeChoiceSays();
    void addResetsTheEntryFields();
    void addWithEmptyNameIsRefused();

    void modifyOverwritesTheSelectedRow();
    void modifyWithoutSelectionDoesNothing();
    void modifyWithEmptyNameIsRefused();

    void clickCopiesTheRowIntoTheFields_data();
    void clickCopiesTheRowIntoTheFields();
    void clickThenModifyKeepsTheDashAddress();

    void upAndDownExchangeRows();
    void upOnFirstAndDownOnLastDoNothing();
    void deleteRemovesTheSelectedRowOnly();
    void clearRemovesEverything();

    void fileButtonPicksAPage();
    void fileButtonIsIdleForMainMenuWithoutLink();
    void cancelledFileDialogChangesNothing();

    void swatchTakesTheChosenColour_data();
    void swatchTakesTheChosenColour();
    void colourDialogOpensOnTheLastChoice();

private:
    template <typename T> T *child(const char *name) const {
        T *w = m_form->findChild<T *>(u8(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QTreeWidget *list() const { return child<QTreeWidget>("ListView1"); }
    QLineEdit *nameEdit() const { return child<QLineEdit>("Edit_MenuText"); }
    QLineEdit *urlEdit() const { return child<QLineEdit>("Edit_MenuURL"); }
    QComboBox *typeCombo() const { return child<QComboBox>("ComboBox_MenuType"); }
    QComboBox *targetCombo() const { return child<QComboBox>("ComboBox_URLType"); }

    QStringList row(int i) const;
    QList<QStringList> rows() const;
    int selectedRow() const;
    void click(const char *button);
    void typeInto(QLineEdit *edit, const QString &text);
    void choose(QComboBox *combo, int index);
    void clickRow(int i);
    void addRow(int type, const QString &name, const QString &url, int target);

    std::unique_ptr<QWidget> m_panel;
    tierglide::TForm_MultilayerSlipmMenu *m_form = nullptr;
};

void TestEditor::init() {
    m_panel = std::make_unique<QWidget>();
    m_panel->resize(520, 400);
    m_form = new tierglide::TForm_MultilayerSlipmMenu;
    m_form->ShowIn(m_panel.get());
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    m_panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_panel.get()));
}

void TestEditor::cleanup() {
    m_panel.reset(); // takes the form with it
    m_form = nullptr;
}

QStringList TestEditor::row(int i) const {
    const QTreeWidgetItem *item = list()->topLevelItem(i);
    if (!item)
        return {};
    return {item->text(0), item->text(1), item->text(2), item->text(3)};
}

QList<QStringList> TestEditor::rows() const {
    QList<QStringList> all;
    for (int i = 0; i < list()->topLevelItemCount(); ++i)
        all.append(row(i));
    return all;
}

int TestEditor::selectedRow() const {
    const QList<QTreeWidgetItem *> selected = list()->selectedItems();
    if (selected.size() != 1)
        return selected.isEmpty() ? -1 : -2;
    return list()->indexOfTopLevelItem(selected.first());
}

void TestEditor::click(const char *button) {
    QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton);
}

void TestEditor::typeInto(QLineEdit *edit, const QString &text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    // Latin letters come as key presses; Chinese text as the input method
    // commits it.
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(edit, char(ch.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(ch));
            QApplication::sendEvent(edit, &commit);
        }
    }
    QCOMPARE(edit->text(), text);
}

void TestEditor::choose(QComboBox *combo, int index) {
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), index);
}

void TestEditor::clickRow(int i) {
    QTreeWidgetItem *item = list()->topLevelItem(i);
    QVERIFY(item);
    list()->scrollToItem(item);
    const QRect r = list()->visualItemRect(item);
    QVERIFY(r.isValid());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, r.center());
}

void TestEditor::addRow(int type, const QString &name, const QString &url, int target) {
    choose(typeCombo(), type);
    choose(targetCombo(), target);
    typeInto(nameEdit(), name);
    typeInto(urlEdit(), url);
    click("SpeedButton_Add");
}

void TestEditor::controlsAreNamedAndPlaced_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry"); // an empty size: only the position is fixed
    QTest::addColumn<QString>("text");

    auto add = [](const char *name, const char *cls, QRect g, const char *text = "") {
        QTest::newRow(name) << u8(name) << u8(cls) << g << u8(text);
    };
    add("GroupBox1", "QGroupBox", {8, 8, 473, 63}, "多级滑动菜单");
    add("GroupBox2", "QGroupBox", {8, 80, 473, 65}, "基本设置");
    add("GroupBox3", "QGroupBox", {8, 152, 473, 209}, "菜单设置");
    add("Label1", "QLabel", {40, 20, 420, 12},
        "菜单是网页中必备的元素，一个好样式的菜单既增加页面的美观程度，又会给浏");
    add("Label2", "QLabel", {16, 39, 408, 12},
        "览者带去很多方便，多级滑动菜单就是其中的一种样式，堪称菜单中的精品。");
    add("Label14", "QLabel", {13, 18, 0, 0}, "菜单设置：背景颜色");
    add("Label13", "QLabel", {149, 18, 0, 0}, "字体颜色");
    add("Label11", "QLabel", {226, 18, 0, 0}, "激活菜单设置：背景颜色");
    add("Label12", "QLabel", {389, 18, 0, 0}, "边框颜色");
    add("Label10", "QLabel", {13, 42, 0, 0}, "导航菜单设置：文字");
    add("Label6", "QLabel", {226, 42, 0, 0}, "背景颜色");
    add("Label5", "QLabel", {309, 42, 0, 0}, "边框颜色");
    add("Label7", "QLabel", {389, 42, 0, 0}, "字体颜色");
    add("Label9", "QLabel", {13, 20, 0, 0}, "菜单名称：");
    add("Label8", "QLabel", {292, 20, 0, 0}, "页面打开方式：");
    add("Label4", "QLabel", {13, 46, 0, 0}, "链接地址：");
    add("Label3", "QLabel", {13, 71, 0, 0}, "类型：");
    add("Shape_MenuBkColor", "tierglide::ColorSwatch", {126, 15, 18, 18});
    add("Shape_MenuFontColor", "tierglide::ColorSwatch", {200, 15, 18, 18});
    add("Shape_MenuOverBkColor", "tierglide::ColorSwatch", {364, 15, 18, 18});
    add("Shape_MenuOverBorderColor", "tierglide::ColorSwatch", {444, 15, 18, 18});
    add("Shape_MenuBarBkColor", "tierglide::ColorSwatch", {284, 39, 18, 18});
    add("Shape_MenuBarBorderColor", "tierglide::ColorSwatch", {364, 39, 18, 18});
    add("Shape_MenuBarFontColor", "tierglide::ColorSwatch", {444, 39, 18, 18});
    add("Edit_MenuBarText", "QLineEdit", {126, 39, 92, 20}, "多级滑动菜单");
    add("Edit_MenuText", "QLineEdit", {75, 16, 206, 20});
    add("ComboBox_URLType", "QComboBox", {384, 17, 80, 20}, "_blank");
    add("Edit_MenuURL", "QLineEdit", {75, 43, 302, 20}, "http://");
    add("SpeedButton_Html", "QToolButton", {384, 43, 78, 20}, "选择文件");
    add("ComboBox_MenuType", "QComboBox", {49, 68, 128, 20}, "主菜单(不带链接)");
    add("SpeedButton_Add", "QToolButton", {184, 68, 52, 22}, "【添加】");
    add("SpeedButton_Modify", "QToolButton", {240, 68, 52, 22}, "【修改】");
    add("SpeedButton_Del", "QToolButton", {296, 68, 52, 22}, "【删除】");
    add("SpeedButton_Clear", "QToolButton", {352, 68, 52, 22}, "【清除】");
    add("SpeedButton_Down", "QToolButton", {415, 68, 22, 22});
    add("SpeedButton_Up", "QToolButton", {440, 68, 22, 22});
    add("Shape1", "QFrame", {8, 95, 457, 105});
    add("ListView1", "QTreeWidget", {9, 96, 455, 103});
    add("RichEdit1", "QPlainTextEdit", {8, 800, 337, 65});
}

void TestEditor::controlsAreNamedAndPlaced() {
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    const QList<QWidget *> found = m_form->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *w = found.first();
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
    QCOMPARE(w->pos(), geometry.topLeft());
    if (!geometry.size().isEmpty())
        QCOMPARE(w->size(), geometry.size());
    QString shown;
    if (auto *g = qobject_cast<QGroupBox *>(w))
        shown = g->title();
    else if (auto *l = qobject_cast<QLabel *>(w))
        shown = l->text();
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        shown = e->text();
    else if (auto *c = qobject_cast<QComboBox *>(w))
        shown = c->currentText();
    else if (auto *b = qobject_cast<QToolButton *>(w))
        shown = b->text();
    QCOMPARE(shown, text);
    if (auto *b = qobject_cast<QToolButton *>(w)) {
        QVERIFY(b->autoRaise());
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        QVERIFY(!c->isEditable());
        QCOMPARE(c->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!(c->focusPolicy() & Qt::TabFocus));
    }
    if (className.endsWith(u8("ColorSwatch")))
        QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
}

void TestEditor::listIsAReportOfFourColumns() {
    QTreeWidget *l = list();
    QCOMPARE(l->columnCount(), 4);
    const QStringList captions{u8("类型"), u8("菜单名称"), u8("链接地址"), u8("打开方式")};
    const int widths[] = {60, 110, 200, 60};
    for (int c = 0; c < 4; ++c) {
        QCOMPARE(l->headerItem()->text(c), captions[c]);
        QCOMPARE(l->header()->sectionSize(c), widths[c]);
    }
    QVERIFY(!l->header()->sectionsClickable());
    QVERIFY(!l->rootIsDecorated());
    QCOMPARE(l->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(l->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(l->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(child<QComboBox>("ComboBox_URLType")->count(), 4);
    QCOMPARE(child<QToolButton>("SpeedButton_Down")->toolTip(), u8("向下移动菜单"));
    QCOMPARE(child<QToolButton>("SpeedButton_Up")->toolTip(), u8("向上移动菜单"));
    QVERIFY(!child<QToolButton>("SpeedButton_Up")->icon().isNull());
    QVERIFY(!child<QToolButton>("SpeedButton_Html")->icon().isNull());
    // The form fills its parent and keeps the form's colour and font.
    QCOMPARE(m_form->geometry(), m_panel->rect());
    QCOMPARE(m_form->palette().color(QPalette::Window), QColor(0xDD, 0xDD, 0xDD));
    QCOMPARE(m_form->font().pixelSize(), 12);
    QCOMPARE(m_form->font().family(), u8("宋体"));
    // The template: 53 lines, the maker's credit an HTML comment of its own.
    const QStringList lines = child<QPlainTextEdit>("RichEdit1")->toPlainText().split(QChar(u'\n'));
    QCOMPARE(lines.size(), 54);
    QCOMPARE(lines[52], u8("<body>"));
    QVERIFY(lines[39].startsWith(u8("<!--")) && lines[39].endsWith(u8("-->")));
    QVERIFY(lines[39].contains(u8("禾川软件")));
}

void TestEditor::startsWithTheDemonstrationMenu() {
    const QList<QStringList> all = rows();
    QCOMPARE(all.size(), 20);
    QCOMPARE(selectedRow(), -1);
    const QList<int> mains{0, 5, 13, 19};
    for (int i = 0; i < 20; ++i) {
        const QStringList &r = all[i];
        QVERIFY2(!r[1].isEmpty(), qPrintable(QString::number(i)));
        if (mains.contains(i)) {
            QCOMPARE(r[0], u8(MainKind));
        } else {
            QCOMPARE(r[0], u8(SubKind));
        }
    }
    for (int i : {0, 5, 13}) {
        QCOMPARE(all[i][2], u8("-"));
        QCOMPARE(all[i][3], u8("-"));
    }
    for (int i : {1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18}) {
        QVERIFY(all[i][2].startsWith(u8("http://")));
        QVERIFY(all[i][2].contains(u8(".example/")));
        QCOMPARE(all[i][3], u8("_blank"));
    }
    QVERIFY(all[4][2].startsWith(u8("mailto:")));
    QVERIFY(all[4][2].endsWith(u8(".example")));
    QCOMPARE(all[4][3], u8("_top"));
    QCOMPARE(all[19][2], all[4][2]);
    QCOMPARE(all[19][3], u8("_top"));
    QCOMPARE(all[0][1], u8("禾川软件"));

    QCOMPARE(nameEdit()->text(), QString());
    QCOMPARE(urlEdit()->text(), u8("http://"));
    QCOMPARE(typeCombo()->currentIndex(), 0);
    QCOMPARE(targetCombo()->currentIndex(), 0);
    const std::pair<const char *, QColor> swatches[] = {
        {"Shape_MenuBkColor", QColor(0xF4, 0xF4, 0xF4)},
        {"Shape_MenuFontColor", QColor(0, 0, 0)},
        {"Shape_MenuOverBkColor", QColor(0xCC, 0xCC, 0xCC)},
        {"Shape_MenuOverBorderColor", QColor(0x99, 0x99, 0x99)},
        {"Shape_MenuBarBkColor", QColor(0xCC, 0xCC, 0xCC)},
        {"Shape_MenuBarBorderColor", QColor(0x99, 0x99, 0x99)},
        {"Shape_MenuBarFontColor", QColor(0, 0, 0)},
    };
    for (const auto &[name, colour] : swatches)
        QCOMPARE(child<QWidget>(name)->property("color").value<QColor>(), colour);
}

void TestEditor::addWritesTheRowTheTypeChoiceSays_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("main menu without link ignores the address")
        << 0 << u8("主页") << u8("http://x.example/") << 2
        << QStringList{u8(MainKind), u8("主页"), u8("-"), u8("-")};
    QTest::newRow("main menu with link")
        << 1 << u8("论坛") << u8("http://bbs.example/") << 3
        << QStringList{u8(MainKind), u8("论坛"), u8("http://bbs.example/"), u8("_parent")};
    QTest::newRow("sub-menu keeps the untouched address")
        << 2 << u8("子项") << u8("http://") << 1
        << QStringList{u8(SubKind), u8("子项"), u8("http://"), u8("_top")};
    QTest::newRow("a blank is a name")
        << 2 << u8(" ") << u8("") << 2 << QStringList{u8(SubKind), u8(" "), u8(""), u8("_self")};
    QTest::newRow("local path kept as typed")
        << 2 << u8("本地") << u8(R"(C:\web\a.htm)") << 0
        << QStringList{u8(SubKind), u8("本地"), u8(R"(C:\web\a.htm)"), u8("_blank")};
}

void TestEditor::addWritesTheRowTheTypeChoiceSays() {
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(int, target);
    QFETCH(QStringList, expected);
    const QList<QStringList> before = rows();
    addRow(type, name, url, target);
    QCOMPARE(list()->topLevelItemCount(), before.size() + 1);
    QCOMPARE(row(before.size()), expected);
    QCOMPARE(rows().mid(0, before.size()), before);
}

void TestEditor::addResetsTheEntryFields() {
    clickRow(2);
    QCOMPARE(selectedRow(), 2);
    addRow(2, u8("新菜单"), u8("http://n.example/"), 3);
    QCOMPARE(nameEdit()->text(), QString());
    QCOMPARE(urlEdit()->text(), u8("http://"));
    QCOMPARE(QApplication::focusWidget(), nameEdit());
    QCOMPARE(typeCombo()->currentIndex(), 2);
    QCOMPARE(targetCombo()->currentIndex(), 3);
    QVERIFY(!list()->topLevelItem(20)->isSelected());
    QCOMPARE(selectedRow(), 2);
}

void TestEditor::addWithEmptyNameIsRefused() {
    choose(typeCombo(), 1);
    typeInto(urlEdit(), u8("http://kept.example/"));
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ModalWatcher watcher([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
    });
    click("SpeedButton_Add");
    QVERIFY(watcher.answered());
    QCOMPARE(watcher.unexpectedWindows(), 0);
    QCOMPARE(text, u8("特效信息不完整"));
    QCOMPARE(title, u8("错误"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(list()->topLevelItemCount(), 20);
    QCOMPARE(urlEdit()->text(), u8("http://kept.example/"));
    QCOMPARE(typeCombo()->currentIndex(), 1);
}

void TestEditor::modifyOverwritesTheSelectedRow() {
    clickRow(3);
    choose(typeCombo(), 1);
    choose(targetCombo(), 2);
    typeInto(nameEdit(), u8("改过的"));
    typeInto(urlEdit(), u8("http://changed.example/"));
    click("SpeedButton_Modify");
    QCOMPARE(row(3),
             (QStringList{u8(MainKind), u8("改过的"), u8("http://changed.example/"), u8("_self")}));
    QCOMPARE(list()->topLevelItemCount(), 20);
    QCOMPARE(selectedRow(), 3);
    QCOMPARE(nameEdit()->text(), u8("改过的"));
    QCOMPARE(urlEdit()->text(), u8("http://changed.example/"));
}

void TestEditor::modifyWithoutSelectionDoesNothing() {
    const QList<QStringList> before = rows();
    ModalWatcher watcher([](QWidget *w) { w->close(); });
    click("SpeedButton_Modify"); // empty name, nothing selected: not even a message
    typeInto(nameEdit(), u8("x"));
    click("SpeedButton_Modify");
    QTest::qWait(50);
    QVERIFY(!watcher.answered());
    QCOMPARE(rows(), before);
}

void TestEditor::modifyWithEmptyNameIsRefused() {
    clickRow(1);
    const QStringList before = row(1);
    typeInto(nameEdit(), QString());
    QString text;
    ModalWatcher watcher([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        text = box->text();
        box->accept();
    });
    click("SpeedButton_Modify");
    QVERIFY(watcher.answered());
    QCOMPARE(watcher.unexpectedWindows(), 0);
    QCOMPARE(text, u8("特效信息不完整"));
    QCOMPARE(row(1), before);
}

void TestEditor::clickCopiesTheRowIntoTheFields_data() {
    QTest::addColumn<int>("rowIndex");
    QTest::addColumn<int>("targetBefore");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("target");
    QTest::newRow("main menu without link keeps the target choice") << 0 << 1 << u8("-") << 0 << 1;
    QTest::newRow("sub-menu") << 1 << 3 << QString() << 2 << 0;
    QTest::newRow("main menu with link") << 19 << 0 << QString() << 1 << 1;
}

void TestEditor::clickCopiesTheRowIntoTheFields() {
    QFETCH(int, rowIndex);
    QFETCH(int, targetBefore);
    QFETCH(QString, url);
    QFETCH(int, type);
    QFETCH(int, target);
    choose(targetCombo(), targetBefore);
    clickRow(rowIndex);
    QCOMPARE(selectedRow(), rowIndex);
    QCOMPARE(nameEdit()->text(), row(rowIndex)[1]);
    QCOMPARE(urlEdit()->text(), url.isNull() ? row(rowIndex)[2] : url);
    QCOMPARE(typeCombo()->currentIndex(), type);
    QCOMPARE(targetCombo()->currentIndex(), target);

    // A sub-menu opening with "_self" selects that target.
    addRow(2, u8("自身"), u8("http://self.example/"), 2);
    choose(targetCombo(), 0);
    choose(typeCombo(), 0);
    clickRow(20);
    QCOMPARE(typeCombo()->currentIndex(), 2);
    QCOMPARE(targetCombo()->currentIndex(), 2);
}

void TestEditor::clickThenModifyKeepsTheDashAddress() {
    clickRow(5); // a main menu without link: the address box shows "-"
    choose(typeCombo(), 1);
    choose(targetCombo(), 3);
    click("SpeedButton_Modify");
    QCOMPARE(row(5), (QStringList{u8(MainKind), row(5)[1], u8("-"), u8("_parent")}));
}

void TestEditor::upAndDownExchangeRows() {
    const QList<QStringList> before = rows();
    clickRow(2);
    typeInto(nameEdit(), u8("未改"));
    click("SpeedButton_Up");
    QCOMPARE(row(1), before[2]);
    QCOMPARE(row(2), before[1]);
    QCOMPARE(selectedRow(), 1);
    QCOMPARE(nameEdit()->text(), u8("未改"));
    click("SpeedButton_Down");
    click("SpeedButton_Down");
    QCOMPARE(row(1), before[1]);
    QCOMPARE(row(2), before[3]);
    QCOMPARE(row(3), before[2]);
    QCOMPARE(selectedRow(), 3);
    // Moving a main menu moves all four texts.
    clickRow(5);
    click("SpeedButton_Down");
    QCOMPARE(row(6), before[5]);
    QCOMPARE(row(5), before[6]);
}

void TestEditor::upOnFirstAndDownOnLastDoNothing() {
    const QList<QStringList> before = rows();
    click("SpeedButton_Up"); // nothing selected
    click("SpeedButton_Down");
    QCOMPARE(rows(), before);
    clickRow(0);
    click("SpeedButton_Up");
    QCOMPARE(rows(), before);
    QCOMPARE(selectedRow(), 0);
    clickRow(19);
    click("SpeedButton_Down");
    QCOMPARE(rows(), before);
    QCOMPARE(selectedRow(), 19);
}

void TestEditor::deleteRemovesTheSelectedRowOnly() {
    QList<QStringList> expected = rows();
    click("SpeedButton_Del"); // nothing selected
    QCOMPARE(rows(), expected);
    clickRow(4);
    click("SpeedButton_Del");
    expected.removeAt(4);
    QCOMPARE(rows(), expected);
    QCOMPARE(selectedRow(), -1);
    QCOMPARE(nameEdit()->text(), QString());
    QCOMPARE(urlEdit()->text(), u8("http://"));
    QCOMPARE(QApplication::focusWidget(), nameEdit());
}

void TestEditor::clearRemovesEverything() {
    typeInto(nameEdit(), u8("名字"));
    typeInto(urlEdit(), u8("http://u.example/"));
    click("SpeedButton_Clear");
    QCOMPARE(list()->topLevelItemCount(), 0);
    QCOMPARE(nameEdit()->text(), QString());
    QCOMPARE(urlEdit()->text(), u8("http://"));
    QCOMPARE(QApplication::focusWidget(), nameEdit());
}

void TestEditor::fileButtonPicksAPage() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"a.htm", "b.html", "c.txt"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString picked = dir.filePath(u8("a.htm"));
    choose(typeCombo(), 2);
    QString title, objectName;
    QStringList filters, patterns;
    ModalWatcher watcher([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        objectName = dialog->objectName();
        filters = dialog->nameFilters();
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        if (auto *model = dialog->findChild<QFileSystemModel *>())
            patterns = model->nameFilters();
        auto *nameBox = dialog->findChild<QLineEdit *>(u8("fileNameEdit"));
        QVERIFY(nameBox);
        // The user goes to the folder, types the file's name and presses Enter.
        dialog->setDirectory(dir.path());
        QTest::keyClicks(nameBox, u8("a.htm"));
        QTest::keyClick(nameBox, Qt::Key_Return);
    });
    click("SpeedButton_Html");
    QVERIFY(watcher.answered());
    QCOMPARE(watcher.unexpectedWindows(), 0);
    QCOMPARE(title, u8("选择网页文件"));
    QCOMPARE(objectName, u8("OpenDialog1"));
    QCOMPARE(filters, QStringList{u8("网页文件(*.htm;*.html)")});
    QCOMPARE(patterns, (QStringList{u8("*.htm"), u8("*.html")}));
    QCOMPARE(urlEdit()->text(), picked);
}

void TestEditor::fileButtonIsIdleForMainMenuWithoutLink() {
    choose(typeCombo(), 0);
    ModalWatcher watcher([](QWidget *w) { w->close(); });
    click("SpeedButton_Html");
    QTest::qWait(50);
    QVERIFY(!watcher.answered());
    QCOMPARE(urlEdit()->text(), u8("http://"));
}

void TestEditor::cancelledFileDialogChangesNothing() {
    choose(typeCombo(), 1);
    typeInto(urlEdit(), u8("http://before.example/"));
    ModalWatcher watcher([](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    click("SpeedButton_Html");
    QVERIFY(watcher.answered());
    QCOMPARE(watcher.unexpectedWindows(), 0);
    QCOMPARE(urlEdit()->text(), u8("http://before.example/"));
}

void TestEditor::swatchTakesTheChosenColour_data() {
    QTest::addColumn<QString>("swatch");
    for (const char *name : {"Shape_MenuBkColor", "Shape_MenuFontColor", "Shape_MenuOverBkColor",
                             "Shape_MenuOverBorderColor", "Shape_MenuBarBkColor",
                             "Shape_MenuBarBorderColor", "Shape_MenuBarFontColor"})
        QTest::newRow(name) << u8(name);
}

void TestEditor::swatchTakesTheChosenColour() {
    QFETCH(QString, swatch);
    QList<QWidget *> swatches;
    QList<QColor> before;
    for (QWidget *w : m_form->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(u8("Shape_"))) {
            swatches.append(w);
            before.append(w->property("color").value<QColor>());
        }
    }
    QCOMPARE(swatches.size(), 7);
    QWidget *target = child<QWidget>(qPrintable(swatch));
    const QColor chosen(0x12, 0x80, 0xEF);
    QString objectName;
    ModalWatcher watcher([&](QWidget *w) {
        auto *dialog = qobject_cast<QColorDialog *>(w);
        QVERIFY(dialog);
        objectName = dialog->objectName();
        QVERIFY(dialog->testOption(QColorDialog::DontUseNativeDialog));
        dialog->setCurrentColor(chosen);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    // Any button and any point of the swatch opens the dialog.
    QTest::mousePress(target, Qt::RightButton, {}, QPoint(2, 15));
    QVERIFY(watcher.answered());
    QCOMPARE(watcher.unexpectedWindows(), 0);
    QTest::mouseRelease(target, Qt::RightButton, {}, QPoint(2, 15));
    QCOMPARE(objectName, u8("ColorDialog1"));
    for (qsizetype i = 0; i < swatches.size(); ++i) {
        const QColor expected = swatches[i] == target ? chosen : before[i];
        QCOMPARE(swatches[i]->property("color").value<QColor>(), expected);
    }
}

void TestEditor::colourDialogOpensOnTheLastChoice() {
    QList<QColor> opened;
    auto answer = [&](const QColor &pick) {
        return [&opened, pick](QWidget *w) {
            auto *dialog = qobject_cast<QColorDialog *>(w);
            QVERIFY(dialog);
            opened.append(dialog->currentColor());
            if (pick.isValid()) {
                dialog->setCurrentColor(pick);
                dialog->accept();
            } else {
                dialog->setCurrentColor(Qt::green); // changed, then cancelled
                dialog->reject();
            }
        };
    };
    QWidget *menuBk = child<QWidget>("Shape_MenuBkColor");
    QWidget *barFont = child<QWidget>("Shape_MenuBarFontColor");
    {
        ModalWatcher w(answer(QColor(0x40, 0x80, 0xFF)));
        QTest::mouseClick(menuBk, Qt::LeftButton);
        QVERIFY(w.answered());
        QCOMPARE(w.unexpectedWindows(), 0);
    }
    {
        ModalWatcher w(answer(QColor())); // cancel
        QTest::mouseClick(barFont, Qt::LeftButton);
        QVERIFY(w.answered());
        QCOMPARE(w.unexpectedWindows(), 0);
    }
    {
        ModalWatcher w(answer(QColor())); // cancel again
        QTest::mouseClick(barFont, Qt::LeftButton);
        QVERIFY(w.answered());
        QCOMPARE(w.unexpectedWindows(), 0);
    }
    QCOMPARE(opened.size(), 3);
    QCOMPARE(opened[0], QColor(Qt::black));
    QCOMPARE(opened[1], QColor(0x40, 0x80, 0xFF));
    QCOMPARE(opened[2], QColor(0x40, 0x80, 0xFF));
    QCOMPARE(menuBk->property("color").value<QColor>(), QColor(0x40, 0x80, 0xFF));
    QCOMPARE(barFont->property("color").value<QColor>(), QColor(0, 0, 0));
}

QTEST_MAIN(TestEditor)
#include "TestEditor.moc"
