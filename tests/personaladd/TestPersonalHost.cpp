// The personal effects box in the real main window: opened from the tools
// menu into the code panel, closed by the next selection, and the Personal
// category listing, loading and saving what the box wrote.
#include "ModalAnswerer.h"

#include "app/TForm_Main.h"
#include "platform/AppMessageBox.h"
#include "platform/Gb2312.h"
#include "support/ProgramFolderFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>
#include <QtTest>

#include <dlfcn.h>

#include <memory>

namespace {

QString u8(const char *s) {
    return QString::fromUtf8(s);
}

const char *const kOutputButtons[] = {"SpeedButton_Preview", "SpeedButton_Copy",
                                      "SpeedButton_Save"};
const char *const kOutputActions[] = {"Code_Preview", "Code_CopyAll", "Code_Save"};

} // namespace

class TestPersonalHost : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void boxOpensInTheCodePanelAndDisablesTheOutput();
    void personalCategoryListsLoadsAndSavesWhatTheBoxSaved();
    void selectingTheEntryStillSelectedKeepsTheBox();
    void openingTwiceLoadsTheBoxAfresh();
    void missingLibraryGivesTheLoadError();

private:
    QWidget *panel() const { return m_form->findChild<QWidget *>(u8("Panel_Code")); }
    QWidget *box() const {
        return panel()->findChild<QWidget *>(u8("Form_PersonalAdd"), Qt::FindDirectChildrenOnly);
    }
    template <typename T> T *boxControl(const char *name) const {
        QWidget *b = box();
        T *w = b ? b->findChild<T *>(u8(name)) : nullptr;
        if (!w)
            qFatal("no control %s in the box", name);
        return w;
    }
    QAction *action(const char *name) const { return m_form->findChild<QAction *>(u8(name)); }
    // A control of the main window itself, never one of the box's.
    QAbstractButton *button(const char *name) const {
        for (QAbstractButton *b : m_form->findChildren<QAbstractButton *>(u8(name)))
            if (!box() || !box()->isAncestorOf(b))
                return b;
        qFatal("no button %s", name);
    }
    QListView *list() const { return m_form->findChild<QListView *>(u8("ListView_EfxName")); }
    QPlainTextEdit *code() const {
        return m_form->findChild<QPlainTextEdit *>(u8("RichEdit_Code"));
    }
    void openBox() const { action("Personal_Efx")->trigger(); }
    void select(int row) const {
        const QModelIndex index = list()->model()->index(row, 0);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(index).center());
    }
    // The enabled state of the six output controls, buttons then actions.
    QList<bool> outputEnabled() const;
    QStringList listed() const;
    bool libraryLoaded() const;
    void addInBox(const QString &caption, const QString &text, const QString &image) const;

    std::unique_ptr<ProgramFolderFixture> m_f;
    std::unique_ptr<TForm_Main> m_form;
    ModalAnswerer *m_modal = nullptr;
};

void TestPersonalHost::init() {
    m_f = std::make_unique<ProgramFolderFixture>();
    m_f->installLibrary(QStringLiteral(PERSONALADD_LIBRARY), u8("personaladd.tvo"));
    m_f->writeBytes(u8("images/a.gif"), "GIF89a-a");
    m_form = std::make_unique<TForm_Main>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_modal = new ModalAnswerer(this);
}

void TestPersonalHost::cleanup() {
    m_form.reset();
    QVERIFY(!libraryLoaded());
    delete m_modal;
    m_modal = nullptr;
    m_f.reset();
}

QList<bool> TestPersonalHost::outputEnabled() const {
    QList<bool> states;
    for (const char *name : kOutputButtons)
        states.append(button(name)->isEnabled());
    for (const char *name : kOutputActions)
        states.append(action(name)->isEnabled());
    return states;
}

QStringList TestPersonalHost::listed() const {
    QStringList captions;
    for (int row = 0; row < list()->model()->rowCount(); ++row)
        captions.append(list()->model()->index(row, 0).data().toString());
    return captions;
}

bool TestPersonalHost::libraryLoaded() const {
    const QByteArray path = QFile::encodeName(m_f->file(u8("system/personaladd.tvo")));
    void *h = dlopen(path.constData(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

void TestPersonalHost::addInBox(const QString &caption, const QString &text,
                                const QString &image) const {
    QTest::mouseClick(boxControl<QToolButton>("SpeedButton_NewEfx"), Qt::LeftButton);
    boxControl<QLineEdit>("Edit_Caption")->setText(caption);
    boxControl<QPlainTextEdit>("Memo_Code")->setPlainText(text);
    if (!image.isEmpty()) {
        const auto items =
            boxControl<QListWidget>("ListBox_Images")->findItems(image, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        items.first()->setCheckState(Qt::Checked);
    }
    QTest::mouseClick(boxControl<QToolButton>("SpeedButton_SaveEfx"), Qt::LeftButton);
}

void TestPersonalHost::boxOpensInTheCodePanelAndDisablesTheOutput() {
    const QString before = code()->toPlainText();
    QCOMPARE(outputEnabled(), QList<bool>(6, true));
    openBox();
    QVERIFY(libraryLoaded());
    QWidget *b = box();
    QVERIFY(b);
    QVERIFY(b->isVisible());
    QCOMPARE(b->geometry(), panel()->rect());
    QCOMPARE(outputEnabled(), QList<bool>(6, false));
    QCOMPARE(code()->toPlainText(), before); // the pane lies beneath, untouched
    QVERIFY(m_f->takeMessages().isEmpty());

    // It follows the panel when the window grows.
    m_form->resize(m_form->width() + 60, m_form->height() + 40);
    QTRY_COMPARE(b->geometry(), panel()->rect());
}

void TestPersonalHost::personalCategoryListsLoadsAndSavesWhatTheBoxSaved() {
    openBox();
    addInBox(u8("我的时钟"), u8("<b>钟</b>\n第二行"), u8("a.gif"));
    addInBox(u8("第二个"), u8("<i>2</i>"), QString());
    QVERIFY(m_modal->take().isEmpty());

    // Choosing the category refills the list and leaves the box shown.
    QTest::mouseClick(button("ToolButton_Personal"), Qt::LeftButton);
    QCOMPARE(listed(), (QStringList{u8("我的时钟"), u8("第二个")}));
    QVERIFY(box());
    QCOMPARE(outputEnabled(), QList<bool>(6, false));

    // Selecting an entry closes the box and loads the entry like any other.
    QPointer<QWidget> shown = box();
    select(0);
    QVERIFY(!shown);
    QVERIFY(!libraryLoaded());
    QCOMPARE(outputEnabled(), QList<bool>(6, true));
    QCOMPARE(code()->toPlainText(), u8("<b>钟</b>\n第二行"));
    QVERIFY(m_f->takeMessages().isEmpty());

    // Saving writes the page and copies the entry's image beside it.
    QTemporaryDir out;
    QVERIFY(out.isValid());
    m_modal->onFileDialog([&](QFileDialog *dialog) {
        dialog->setDirectory(out.path());
        dialog->findChild<QLineEdit *>(u8("fileNameEdit"))->setText(u8("page"));
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    });
    QTest::mouseClick(button("SpeedButton_Save"), Qt::LeftButton);
    QCOMPARE(m_modal->fileDialogs(), 1);
    QFile page(out.filePath(u8("page.htm")));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), platform::toGb(u8("<b>钟</b>\r\n第二行")));
    QFile image(out.filePath(u8("a.gif")));
    QVERIFY(image.open(QIODevice::ReadOnly));
    QCOMPARE(image.readAll(), QByteArray("GIF89a-a"));

    // Copying puts the effect's code on the clipboard.
    select(1);
    QCOMPARE(code()->toPlainText(), u8("<i>2</i>"));
    QApplication::clipboard()->clear();
    QTest::mouseClick(button("SpeedButton_Copy"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), u8("<i>2</i>"));
}

void TestPersonalHost::selectingTheEntryStillSelectedKeepsTheBox() {
    m_f->writeGb(u8("elsewhere/x.htm"), u8("x"));
    m_f->writeGb(u8("system/personal.tvo"), u8("[Personal]\nNumber=1\nPersonal001=0|旧的|0|%1|\n")
                                                .arg(m_f->file(u8("elsewhere/x.htm"))));
    QTest::mouseClick(button("ToolButton_Personal"), Qt::LeftButton);
    select(0);
    QCOMPARE(code()->toPlainText(), u8("x"));
    openBox();
    QVERIFY(box());
    select(0);
    QVERIFY(box());
    QVERIFY(box()->isVisible());
    QVERIFY(libraryLoaded());
    QCOMPARE(outputEnabled(), QList<bool>(6, false));
}

void TestPersonalHost::openingTwiceLoadsTheBoxAfresh() {
    openBox();
    QPointer<QWidget> first = box();
    addInBox(u8("留下的"), u8("kept"), QString());
    boxControl<QLineEdit>("Edit_Caption")->setText(u8("没保存的"));

    openBox();
    QVERIFY(!first); // the first instance went with its library
    QVERIFY(box());
    QVERIFY(box()->isVisible());
    QVERIFY(libraryLoaded());
    QCOMPARE(boxControl<QLineEdit>("Edit_Caption")->text(), QString());
    auto *entries = boxControl<QListWidget>("ListBox_Efx");
    QCOMPARE(entries->count(), 1);
    QCOMPARE(entries->item(0)->text(), u8("留下的"));
    QCOMPARE(outputEnabled(), QList<bool>(6, false));
    QVERIFY(m_f->takeMessages().isEmpty());
}

void TestPersonalHost::missingLibraryGivesTheLoadError() {
    QVERIFY(QFile::remove(m_f->file(u8("system/personaladd.tvo"))));
    const QString before = code()->toPlainText();
    openBox();
    const QList<ProgramFolderFixture::Message> messages = m_f->takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].caption, u8("警告"));
    QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);
    QVERIFY2(messages[0].text.contains(u8("加载")), qPrintable(messages[0].text));
    QVERIFY(!box());
    QCOMPARE(outputEnabled(), QList<bool>(6, true));
    QCOMPARE(code()->toPlainText(), before);
}

QTEST_MAIN(TestPersonalHost)
#include "TestPersonalHost.moc"
