// The built library as the host uses it: copied into a program folder's
// system/ folder, opened with dlopen, its three entry points called on real
// panels, and closed with dlclose.
#include "Fixture.h"
#include "GenerateMenuPage.h"
#include "MenuPageTemplate.h"

#include "platform/Gb2312.h"

#include <quillary/PluginApi.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <dlfcn.h>

#include <memory>

namespace {

QString u8(const char *s) {
    return QString::fromUtf8(s);
}

} // namespace

class TestPluginLibrary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formIsBuiltHiddenWhenLoaded();
    void showFormFillsThePanel();
    void showFormInASecondPanelMovesTheForm();
    void closeFormHidesAndKeepsTheState();
    void outputCodeReplacesTheCallersText();
    void outputCodeGivesMessagesForRefusedLists_data();
    void outputCodeGivesMessagesForRefusedLists();
    void longPageArrivesWhole();
    void generatedTextOutlivesTheLibrary();
    void reloadStartsAfresh();
    void panelDestroyedBeforeUnload();

private:
    void load();
    void unload();
    bool isLoaded() const;
    QWidget *form(QWidget *panel) const {
        return panel->findChild<QWidget *>(u8("Form_MultilayerSlipmMenu"),
                                           Qt::FindDirectChildrenOnly);
    }
    template <typename T> T *control(QWidget *panel, const char *name) const {
        QWidget *f = form(panel);
        T *w = f ? f->findChild<T *>(u8(name)) : nullptr;
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    std::unique_ptr<QWidget> makePanel(QSize size);
    QByteArray outputCode();
    int selectedRow(QWidget *panel) const;

    QTemporaryDir m_programFolder;
    QString m_libraryPath;
    void *m_library = nullptr;
    quillary::ShowFormFn m_showForm = nullptr;
    quillary::OutputCodeFn m_outputCode = nullptr;
    quillary::CloseFormFn m_closeForm = nullptr;
    QString m_defaultPage;
};

void TestPluginLibrary::initTestCase() {
    QVERIFY(m_programFolder.isValid());
    QVERIFY(QDir(m_programFolder.path()).mkpath(u8("system")));
    m_libraryPath = m_programFolder.filePath(u8("system/tierglide.tvo"));
    QVERIFY(QFile::copy(QStringLiteral(TIERGLIDE_LIBRARY), m_libraryPath));
    m_defaultPage = readFixture("default_page.htm");
}

void TestPluginLibrary::init() {
    load();
}

void TestPluginLibrary::cleanup() {
    if (m_library)
        unload();
}

void TestPluginLibrary::load() {
    QVERIFY(!isLoaded());
    m_library = dlopen(QFile::encodeName(m_libraryPath).constData(), RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(m_library, dlerror());
    m_showForm = reinterpret_cast<quillary::ShowFormFn>(dlsym(m_library, "ShowForm"));
    m_outputCode = reinterpret_cast<quillary::OutputCodeFn>(dlsym(m_library, "OutputCode"));
    m_closeForm = reinterpret_cast<quillary::CloseFormFn>(dlsym(m_library, "CloseForm"));
    QVERIFY(m_showForm && m_outputCode && m_closeForm);
}

void TestPluginLibrary::unload() {
    QCOMPARE(dlclose(m_library), 0);
    m_library = nullptr;
    // The library is really gone, so the next load starts from scratch.
    QVERIFY(!isLoaded());
    // Nothing of it is left to run: timers, posted events.
    QCoreApplication::sendPostedEvents();
    QTest::qWait(30);
}

bool TestPluginLibrary::isLoaded() const {
    void *h = dlopen(QFile::encodeName(m_libraryPath).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

std::unique_ptr<QWidget> TestPluginLibrary::makePanel(QSize size) {
    auto panel = std::make_unique<QWidget>();
    panel->resize(size);
    // The host's code pane fills the panel; the form must cover it.
    auto *pane = new QPlainTextEdit(panel.get());
    pane->setObjectName(u8("RichEdit_Code"));
    pane->setGeometry(panel->rect());
    panel->show();
    if (!QTest::qWaitForWindowExposed(panel.get()))
        qWarning("panel not exposed");
    return panel;
}

QByteArray TestPluginLibrary::outputCode() {
    QByteArray text;
    QByteArray *result = m_outputCode(&text);
    if (result != &text)
        qWarning("OutputCode returned another address");
    return text;
}

int TestPluginLibrary::selectedRow(QWidget *panel) const {
    auto *list = control<QTreeWidget>(panel, "ListView1");
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.size() == 1 ? list->indexOfTopLevelItem(selected.first()) : -1;
}

void TestPluginLibrary::formIsBuiltHiddenWhenLoaded() {
    QWidget *found = nullptr;
    for (QWidget *w : QApplication::allWidgets())
        if (w->objectName() == u8("Form_MultilayerSlipmMenu"))
            found = w;
    QVERIFY(found);
    QVERIFY(!found->isVisible());
    QVERIFY(!found->parentWidget());
    QVERIFY(found->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(found->size(), QSize(486, 374));
}

void TestPluginLibrary::showFormFillsThePanel() {
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    QWidget *f = form(panel.get());
    QVERIFY(f);
    QVERIFY(f->isVisible());
    QVERIFY(!f->isWindow());
    QCOMPARE(f->geometry(), panel->rect());
    // It lies above the code pane.
    QWidget *atCentre = panel->childAt(panel->rect().center());
    QVERIFY(atCentre == f || f->isAncestorOf(atCentre));
    panel->resize(700, 520);
    QCOMPARE(f->geometry(), QRect(0, 0, 700, 520));
}

void TestPluginLibrary::showFormInASecondPanelMovesTheForm() {
    auto first = makePanel({600, 480});
    auto second = makePanel({520, 400});
    m_showForm(first.get());
    QPointer<QWidget> f = form(first.get());
    QVERIFY(f);
    m_showForm(second.get());
    QVERIFY(f);
    QVERIFY(!form(first.get()));
    QCOMPARE(form(second.get()), f.data());
    QCOMPARE(f->geometry(), second->rect());
    // Only the new parent's size is followed now.
    first->resize(300, 200);
    QCOMPARE(f->geometry(), second->rect());
    second->resize(640, 410);
    QCOMPARE(f->geometry(), QRect(0, 0, 640, 410));
    int forms = 0;
    for (QWidget *w : QApplication::allWidgets())
        forms += w->objectName() == u8("Form_MultilayerSlipmMenu");
    QCOMPARE(forms, 1);
}

void TestPluginLibrary::closeFormHidesAndKeepsTheState() {
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    QWidget *f = form(panel.get());
    auto *barText = control<QLineEdit>(panel.get(), "Edit_MenuBarText");
    barText->setFocus();
    QTest::keyClick(barText, Qt::Key_End);
    QTest::keyClicks(barText, "X1");
    QTest::mouseClick(control<QToolButton>(panel.get(), "SpeedButton_Clear"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>(panel.get(), "Edit_MenuText"), "Home");
    QTest::mouseClick(control<QToolButton>(panel.get(), "SpeedButton_Add"), Qt::LeftButton);
    const QByteArray before = outputCode();

    m_closeForm();
    QVERIFY(!f->isVisible());
    QCOMPARE(f->parentWidget(), panel.get());
    m_showForm(panel.get());
    QCOMPARE(form(panel.get()), f);
    QVERIFY(f->isVisible());
    QCOMPARE(control<QLineEdit>(panel.get(), "Edit_MenuBarText")->text(), u8("多级滑动菜单X1"));
    QCOMPARE(control<QTreeWidget>(panel.get(), "ListView1")->topLevelItemCount(), 1);
    QCOMPARE(outputCode(), before);
    QVERIFY(platform::fromGb(before).contains(u8("<font color=\"#000000\">多级滑动菜单X1</font>")));
    QVERIFY(platform::fromGb(before).contains(u8("<div align=\"center\">Home</div>")));
}

void TestPluginLibrary::outputCodeReplacesTheCallersText() {
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    auto *list = control<QTreeWidget>(panel.get(), "ListView1");
    const QRect third = list->visualItemRect(list->topLevelItem(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(selectedRow(panel.get()), 2);
    auto *templ = control<QPlainTextEdit>(panel.get(), "RichEdit1");
    const QString templateBefore = templ->toPlainText();

    QByteArray text("what the caller held before");
    QCOMPARE(m_outputCode(&text), &text);
    QCOMPARE(text, platform::toGb(m_defaultPage));
    QCOMPARE(platform::fromGb(text), m_defaultPage);
    QCOMPARE(selectedRow(panel.get()), 19);
    QCOMPARE(templ->toPlainText(), templateBefore);
    QCOMPARE(outputCode(), text); // the same inputs give the same page
}

void TestPluginLibrary::outputCodeGivesMessagesForRefusedLists_data() {
    QTest::addColumn<bool>("subMenuFirst");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("selected");
    QTest::newRow("no rows") << false << u8("你怎么什么也不设？") << -1;
    QTest::newRow("sub-menu first") << true << u8("第一个菜单必须为主菜单！") << 0;
}

void TestPluginLibrary::outputCodeGivesMessagesForRefusedLists() {
    QFETCH(bool, subMenuFirst);
    QFETCH(QString, message);
    QFETCH(int, selected);
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    auto *list = control<QTreeWidget>(panel.get(), "ListView1");
    QTest::mouseClick(control<QToolButton>(panel.get(), "SpeedButton_Clear"), Qt::LeftButton);
    if (subMenuFirst) {
        auto *type = control<QComboBox>(panel.get(), "ComboBox_MenuType");
        auto *name = control<QLineEdit>(panel.get(), "Edit_MenuText");
        auto *add = control<QToolButton>(panel.get(), "SpeedButton_Add");
        type->setFocus();
        QTest::keyClick(type, Qt::Key_End); // 子菜单
        QTest::keyClicks(name, "sub");
        QTest::mouseClick(add, Qt::LeftButton);
        QTest::keyClick(type, Qt::Key_Home); // 主菜单(不带链接)
        QTest::keyClicks(name, "main");
        QTest::mouseClick(add, Qt::LeftButton);
        QTest::keyClicks(name, "main2");
        QTest::mouseClick(add, Qt::LeftButton);
        const QRect last = list->visualItemRect(list->topLevelItem(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, last.center());
        QCOMPARE(selectedRow(panel.get()), 2);
    }
    const QString templateBefore = control<QPlainTextEdit>(panel.get(), "RichEdit1")->toPlainText();
    QByteArray text("old");
    m_outputCode(&text);
    QCOMPARE(text, platform::toGb(message));
    QCOMPARE(selectedRow(panel.get()), selected);
    QCOMPARE(control<QPlainTextEdit>(panel.get(), "RichEdit1")->toPlainText(), templateBefore);
}

void TestPluginLibrary::longPageArrivesWhole() {
    // Several hundred rows make a page far longer than one conversion piece;
    // names in Chinese and one character beyond GB2312 (four bytes in
    // GB18030) must come through every piece boundary unchanged.
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    auto *type = control<QComboBox>(panel.get(), "ComboBox_MenuType");
    auto *name = control<QLineEdit>(panel.get(), "Edit_MenuText");
    auto *url = control<QLineEdit>(panel.get(), "Edit_MenuURL");
    auto *add = control<QToolButton>(panel.get(), "SpeedButton_Add");
    QTest::mouseClick(control<QToolButton>(panel.get(), "SpeedButton_Clear"), Qt::LeftButton);
    QList<tierglide::MenuItem> rows;
    for (int i = 0; i < 400; ++i) {
        const bool sub = i % 3 != 0;
        type->setCurrentIndex(sub ? 2 : 1);
        name->setText(u8("菜单𠀀") + QString::number(i));
        url->setText(u8("http://www.example.com/页面/") + QString::number(i) + u8(".htm"));
        QTest::mouseClick(add, Qt::LeftButton);
        rows.append({u8(sub ? "子菜单 -" : "主菜单 +"), u8("菜单𠀀") + QString::number(i),
                     u8("http://www.example.com/页面/") + QString::number(i) + u8(".htm"),
                     u8("_blank")});
    }
    tierglide::MenuPageColors colors;
    colors.MenuBarBkColor = QColor(0xCC, 0xCC, 0xCC);
    colors.MenuBarBorderColor = QColor(0x99, 0x99, 0x99);
    colors.MenuBarFontColor = QColor(0, 0, 0);
    colors.MenuBkColor = QColor(0xF4, 0xF4, 0xF4);
    colors.MenuOverBorderColor = QColor(0x99, 0x99, 0x99);
    colors.MenuOverBkColor = QColor(0xCC, 0xCC, 0xCC);
    colors.MenuFontColor = QColor(0, 0, 0);
    const QString expected = tierglide::GenerateMenuPage(u8("多级滑动菜单"), colors, rows,
                                                         tierglide::MenuPageTemplate());
    QVERIFY(expected.size() > 100000);
    const QByteArray text = outputCode();
    QCOMPARE(text.size(), platform::toGb(expected).size());
    QVERIFY(text == platform::toGb(expected));
    QCOMPARE(platform::fromGb(text), expected);
}

void TestPluginLibrary::generatedTextOutlivesTheLibrary() {
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    const QByteArray text = outputCode();
    m_closeForm();
    unload();
    QVERIFY(!form(panel.get())); // destroyed with the library
    QCOMPARE(platform::fromGb(text), m_defaultPage);
}

void TestPluginLibrary::reloadStartsAfresh() {
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    QPointer<QWidget> first = form(panel.get());
    QTest::mouseClick(control<QToolButton>(panel.get(), "SpeedButton_Clear"), Qt::LeftButton);
    auto *barText = control<QLineEdit>(panel.get(), "Edit_MenuBarText");
    barText->setFocus();
    QTest::keyClicks(barText, "changed");
    QCOMPARE(control<QTreeWidget>(panel.get(), "ListView1")->topLevelItemCount(), 0);

    unload(); // without CloseForm: the form goes with the library
    QVERIFY(!first);
    QVERIFY(panel->findChildren<QWidget *>(u8("Form_MultilayerSlipmMenu")).isEmpty());

    load();
    m_showForm(panel.get());
    QVERIFY(form(panel.get()));
    QCOMPARE(control<QTreeWidget>(panel.get(), "ListView1")->topLevelItemCount(), 20);
    QCOMPARE(control<QLineEdit>(panel.get(), "Edit_MenuBarText")->text(), u8("多级滑动菜单"));
    QCOMPARE(platform::fromGb(outputCode()), m_defaultPage);
}

void TestPluginLibrary::panelDestroyedBeforeUnload() {
    auto panel = makePanel({600, 480});
    m_showForm(panel.get());
    QPointer<QWidget> f = form(panel.get());
    QVERIFY(f);
    panel.reset();
    QVERIFY(!f);
    unload(); // finds no form to destroy
    load();
    auto again = makePanel({500, 400});
    m_showForm(again.get());
    QCOMPARE(control<QTreeWidget>(again.get(), "ListView1")->topLevelItemCount(), 20);
}

QTEST_MAIN(TestPluginLibrary)
#include "TestPluginLibrary.moc"
