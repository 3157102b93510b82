// The main window: layout, the category browser on real catalogue files,
// the title-bar drag, the split reset and the code pane's clipboard commands.
#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"
#include "catalogue/EffectListModel.h"
#include "host/EffectHost.h"
#include "support/ProgramFolderFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>
#include <QtTest>

namespace {

const char *kCatalogue = "[Good]\n"
                         "Number=3\n"
                         "Good001=1|多级滑动菜单|0|tierglide.tvo|\n"
                         "Good003=0|第三个|0|\n"
                         "[Time]\n"
                         "Number=2\n"
                         "Time001=0|数字时钟|0|\n"
                         "Time002= 0|空格开头|0|\n"
                         "[Text]\n"
                         "Number=0\n"
                         "Text001=0|不列出|0|\n";

template <typename T> T *child(QWidget *window, const char *name) {
    T *widget = window->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no child %s", name);
    return widget;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layoutAndStartState();
    void everyCommandHasItsControl();
    void categoriesFillListAndLabel();
    void missingAndEmptyCatalogues();
    void absurdNumberIsBounded();
    void upAndDownStopAtTheEnds();
    void toolTipNamesTheSelectedEntry();
    void titleDragFollowsTheMouse();
    void rightButtonStartsNoDrag();
    void splitResetRestoresTheListPane();
    void clipboardCommandsActOnTheSelection();

private:
    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<TForm_Main> m_form;
    QListView *list() { return child<QListView>(m_form.get(), "ListView_EfxName"); }
    QString label() { return child<QLabel>(m_form.get(), "Label_EfxNumber")->text(); }
    void click(const char *name) {
        QTest::mouseClick(child<QToolButton>(m_form.get(), name), Qt::LeftButton);
    }
    int selectedRow() { return m_form->browser()->ItemIndex(); }
};

void TestMainWindow::init() {
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_folder->writeGb("system/efx.tvo", QString::fromUtf8(kCatalogue));
    m_form = std::make_unique<TForm_Main>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestMainWindow::cleanup() {
    m_form.reset();
    m_folder.reset();
}

void TestMainWindow::layoutAndStartState() {
    QCOMPARE(m_form->objectName(), QStringLiteral("Form_Main"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("妙码工坊v4.0"));
    QVERIFY(m_form->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_form->size(), QSize(700, 507));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!child<QLabel>(m_form.get(), "Image_Top")->pixmap().isNull());
    for (const auto &[name, x, tip] :
         {std::tuple{"Image_Tarvo", 625, "禾川主页"}, std::tuple{"Image_Minimize", 649, "最小化"},
          std::tuple{"Image_Close", 673, "关闭"}}) {
        QToolButton *area = child<QToolButton>(m_form.get(), name);
        QCOMPARE(area->geometry(), QRect(x, 4, 20, 19));
        QCOMPARE(area->toolTip(), QString::fromUtf8(tip));
    }
    QCOMPARE(child<QWidget>(m_form.get(), "Panel_Mid")->geometry(), QRect(11, 41, 678, 451));
    QCOMPARE(child<QWidget>(m_form.get(), "Panel_Mid_Left")->width(), 185);
    QCOMPARE(child<QWidget>(m_form.get(), "Panel_Mid_Right")->size(), QSize(488, 399));
    QCOMPARE(child<QToolButton>(m_form.get(), "SpeedButton_Save")->geometry(),
             QRect(206, 4, 88, 23));
    auto *code = child<QPlainTextEdit>(m_form.get(), "RichEdit_Code");
    QVERIFY(code->toPlainText().startsWith(QLatin1Char('\n')));
    QCOMPARE(code->palette().color(QPalette::Base), QColor(0xE6, 0xE6, 0xFF));
    QCOMPARE(QFontInfo(code->font()).pixelSize(), 12);
    QCOMPARE(QFontInfo(code->font()).family(), QFontInfo(QFont(QStringLiteral("宋体"))).family());
    QVERIFY(child<QToolButton>(m_form.get(), "ToolButton_Good")->isChecked());
    QCOMPARE(selectedRow(), -1);
    QCOMPARE(m_form->host()->LastEffectIndex, -1);
    QVERIFY(!m_form->host()->PluginActive);
}

void TestMainWindow::everyCommandHasItsControl() {
    for (const char *name :
         {"ToolButton_Set",     "ToolButton_Code",      "ToolButton_Tools",   "ToolButton_Help",
          "ToolButton_Good",    "ToolButton_Time",      "ToolButton_Text",    "ToolButton_Mouse",
          "ToolButton_Windows", "ToolButton_Picture",   "ToolButton_Play",    "ToolButton_Menu",
          "ToolButton_Other",   "ToolButton_Personal",  "SpeedButton_Down",   "SpeedButton_Up",
          "SpeedButton_Email",  "SpeedButton_HomePage", "SpeedButton_Change", "SpeedButton_Preview",
          "SpeedButton_Copy",   "SpeedButton_Help"})
        QVERIFY2(m_form->findChild<QAbstractButton *>(QString::fromLatin1(name)), name);
    const std::pair<const char *, const char *> items[] = {
        {"Set_Font", "代码字体(&F)..."},    {"Set_Color", "背景颜色(&C)..."},
        {"menu_Exit", "退出程序(&X)"},      {"Code_Copy", "复制(&C)"},
        {"Code_Paste", "粘贴(&V)"},         {"Code_Cut", "剪切(&X)"},
        {"Code_Preview", "预览特效"},       {"Code_CopyAll", "复制特效(&L)"},
        {"Code_Save", "保存特效(&S)"},      {"Personal_Efx", "个人特效箱(&P)..."},
        {"Soft_Help", "使用方法(&H)"},      {"Write_Mail", "咨询信箱(&E)"},
        {"Tarvo_Homepage", "禾川主页(&H)"}, {"About_Me", "关于本软件(&A)..."}};
    for (const auto &[name, caption] : items) {
        QAction *action = m_form->findChild<QAction *>(QString::fromLatin1(name));
        QVERIFY2(action, name);
        QCOMPARE(action->text(), QString::fromUtf8(caption));
    }
}

void TestMainWindow::categoriesFillListAndLabel() {
    QCOMPARE(label(), QStringLiteral("妙码特效：3个"));
    EffectListModel *model = m_form->browser()->model();
    QCOMPARE(model->rowCount(), 3);
    // A missing key still yields an item: empty caption, blank page.
    const QList<std::pair<QString, int>> expected = {
        {QStringLiteral("多级滑动菜单"), 1}, {QString(), 0}, {QStringLiteral("第三个"), 0}};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(model->index(row).data(Qt::DisplayRole).toString(), expected[row].first);
        QCOMPARE(model->index(row).data(Qt::UserRole).toInt(), expected[row].second);
    }

    click("ToolButton_Time");
    QCOMPARE(label(), QStringLiteral("时间特效：2个"));
    QCOMPARE(model->index(1).data(Qt::UserRole).toInt(),
             0); // a value starting with a blank... trimmed to "0"

    click("ToolButton_Text");
    QCOMPARE(label(), QStringLiteral("文字特效：0个"));
    QCOMPARE(model->rowCount(), 0);

    // The Personal button reads the personal catalogue.
    m_folder->writeGb("system/personal.tvo",
                      "[Personal]\nNumber=1\nPersonal001=0|我的特效|0|/x.htm|\n");
    click("ToolButton_Personal");
    QCOMPARE(label(), QStringLiteral("个人特效：1个"));
    QCOMPARE(model->index(0).data().toString(), QStringLiteral("我的特效"));

    // Clicking the shown category again refills and drops the selection.
    m_form->browser()->SelectItem(0);
    QCOMPARE(selectedRow(), 0);
    click("ToolButton_Personal");
    QCOMPARE(selectedRow(), -1);
    QCOMPARE(m_form->host()->LastEffectIndex, 0);
}

void TestMainWindow::missingAndEmptyCatalogues() {
    struct Case {
        const char *name;
        QByteArray bytes;
        int expected;
    };
    QByteArray longLine =
        "[Time]\nNumber=1\nTime001=0|" + QByteArray(10 * 1024 * 1024, 'x') + "|0|\n";
    const QList<Case> cases = {
        {"empty", QByteArray(), 0},
        {"garbage", QByteArray("\x01\xFF\xFE\x00\x80[[[==\n\r\x81", 13), 0},
        {"ten-megabyte line", longLine, 1},
        {"section without bracket", QByteArray("[Time\nNumber=2\n"), 2},
    };
    for (const Case &c : cases) {
        m_folder->writeBytes("system/efx.tvo", c.bytes);
        click("ToolButton_Time");
        QVERIFY2(label() == QStringLiteral("时间特效：%1个").arg(c.expected), c.name);
        QCOMPARE(m_form->browser()->model()->rowCount(), c.expected);
    }
    // The 10 MB value is cut to 399 bytes, so its caption (no bar) is those.
    m_folder->writeBytes("system/efx.tvo", longLine);
    click("ToolButton_Time");
    QCOMPARE(m_form->browser()->model()->index(0).data().toString().size(), 399);
    QFile::remove(m_folder->file("system/efx.tvo"));
    click("ToolButton_Good");
    QCOMPARE(label(), QStringLiteral("妙码特效：0个"));
}

void TestMainWindow::absurdNumberIsBounded() {
    m_folder->writeGb("system/efx.tvo",
                      "[Time]\nNumber=2000000000\nTime001=0|一|0|\nTime002=0|二|0|\n"
                      "Time003=0|三|0|\n");
    click("ToolButton_Time");
    const int n = CategoryBrowser::MaxListedEntries;
    QCOMPARE(label(), QStringLiteral("时间特效：%1个").arg(n));
    QCOMPARE(m_form->browser()->model()->rowCount(), n);
    QCOMPARE(m_form->browser()->model()->index(2).data().toString(), QStringLiteral("三"));
}

void TestMainWindow::upAndDownStopAtTheEnds() {
    click("ToolButton_Time");
    click("SpeedButton_Down"); // nothing selected: the first
    QCOMPARE(selectedRow(), 0);
    click("SpeedButton_Down");
    QCOMPARE(selectedRow(), 1);
    click("SpeedButton_Down"); // the last stays
    QCOMPARE(selectedRow(), 1);
    click("SpeedButton_Up");
    QCOMPARE(selectedRow(), 0);
    click("SpeedButton_Up"); // the first stays
    QCOMPARE(selectedRow(), 0);
    click("ToolButton_Time");
    click("SpeedButton_Up"); // nothing selected: the first
    QCOMPARE(selectedRow(), 0);
    click("ToolButton_Text"); // an empty list: nothing happens
    click("SpeedButton_Down");
    click("SpeedButton_Up");
    QCOMPARE(selectedRow(), -1);
}

void TestMainWindow::toolTipNamesTheSelectedEntry() {
    QListView *view = list();
    const QRect third = view->visualRect(m_form->browser()->model()->index(2));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(selectedRow(), 2);
    QCOMPARE(view->toolTip(), QStringLiteral("第3个特效"));
    // A click on empty space drops the selection and empties the tip.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(5, view->viewport()->height() - 5));
    QCOMPARE(selectedRow(), -1);
    QCOMPARE(view->toolTip(), QString());
}

void TestMainWindow::titleDragFollowsTheMouse() {
    QWidget *title = child<QLabel>(m_form.get(), "Image_Top");
    m_form->move(100, 80);
    const QPoint start = m_form->pos();
    QPoint mouse(50, 20);
    QTest::mousePress(title, Qt::LeftButton, {}, mouse);
    QVERIFY(m_form->titleDrag().Dragging);
    // Many small moves: each event point is relative to the window at its
    // current position, which has moved with the mouse.
    QPoint total(0, 0);
    for (int step = 0; step < 20; ++step) {
        const QPoint delta(3, step % 2 ? -2 : 1);
        total += delta;
        QTest::mouseMove(title, mouse + delta);
        QCOMPARE(m_form->pos(), start + total);
    }
    QTest::mouseRelease(title, Qt::LeftButton, {}, mouse);
    QVERIFY(!m_form->titleDrag().Dragging);
    const QPoint end = m_form->pos();
    QTest::mouseMove(title, mouse + QPoint(40, 40)); // no press: no move
    QCOMPARE(m_form->pos(), end);
}

void TestMainWindow::rightButtonStartsNoDrag() {
    QWidget *title = child<QLabel>(m_form.get(), "Image_Top");
    m_form->move(100, 80);
    QTest::mousePress(title, Qt::RightButton, {}, QPoint(30, 10));
    QVERIFY(!m_form->titleDrag().Dragging);
    QTest::mouseMove(title, QPoint(60, 30));
    QCOMPARE(m_form->pos(), QPoint(100, 80));
    QTest::mouseRelease(title, Qt::RightButton, {}, QPoint(60, 30));

    // A right press during a left drag takes the press point anew; the drag
    // goes on from there.
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseMove(title, QPoint(40, 10));
    QCOMPARE(m_form->pos(), QPoint(110, 80));
    QTest::mousePress(title, Qt::RightButton, {}, QPoint(20, 10));
    QCOMPARE(m_form->titleDrag().PressFormLeft, 110);
    QVERIFY(m_form->titleDrag().Dragging);
    QTest::mouseMove(title, QPoint(25, 15));
    QCOMPARE(m_form->pos(), QPoint(115, 85));
    QTest::mouseRelease(title, Qt::RightButton, {}, QPoint(25, 15)); // any release ends it
    QVERIFY(!m_form->titleDrag().Dragging);
}

void TestMainWindow::splitResetRestoresTheListPane() {
    auto *splitter = child<QSplitter>(m_form.get(), "Splitter1");
    QWidget *pane = child<QWidget>(m_form.get(), "Panel_Mid_Left");
    QWidget *handle = splitter->handle(1);
    QCOMPARE(handle->geometry().x(), 185);
    QCOMPARE(handle->width(), 5);
    for (int dx : {120, -100}) {
        const QPoint grip(2, handle->height() / 2);
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(dx, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(dx, 0));
        QVERIFY(pane->width() != 185);
        click("SpeedButton_Change");
        QCOMPARE(pane->x(), 0);
        QCOMPARE(pane->width(), 185);
        QCOMPARE(handle->geometry().x(), 185);
        QCOMPARE(child<QWidget>(m_form.get(), "Panel_Mid_Right")->geometry().right(), 677);
    }
}

void TestMainWindow::clipboardCommandsActOnTheSelection() {
    auto *code = child<QPlainTextEdit>(m_form.get(), "RichEdit_Code");
    auto trigger = [this](const char *name) {
        m_form->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    };
    code->setPlainText(QStringLiteral("前面 选中 后面"));
    QApplication::clipboard()->setText(QStringLiteral("原来"));
    // No selection: copy and cut change nothing, paste inserts at the caret.
    QTextCursor cursor = code->textCursor();
    cursor.setPosition(2);
    code->setTextCursor(cursor);
    trigger("Code_Copy");
    trigger("Code_Cut");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("原来"));
    QCOMPARE(code->toPlainText(), QStringLiteral("前面 选中 后面"));
    trigger("Code_Paste");
    QCOMPARE(code->toPlainText(), QStringLiteral("前面原来 选中 后面"));
    // With a selection.
    cursor.setPosition(5);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    code->setTextCursor(cursor);
    trigger("Code_Copy");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("选中"));
    QCOMPARE(code->toPlainText(), QStringLiteral("前面原来 选中 后面"));
    trigger("Code_Cut");
    QCOMPARE(code->toPlainText(), QStringLiteral("前面原来  后面"));
    QApplication::clipboard()->setText(QStringLiteral("新"));
    cursor = code->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    code->setTextCursor(cursor);
    trigger("Code_Paste");
    QCOMPARE(code->toPlainText(), QStringLiteral("新原来  后面"));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
