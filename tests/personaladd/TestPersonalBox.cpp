// The personal effects box as the host uses it: the built library copied
// into a temporary program folder's system/ folder, opened with dlopen, its
// form shown in a real panel and driven through its widgets, and what it
// writes read back with the main program's own catalogue reader.
#include "ModalAnswerer.h"

#include "catalogue/CatalogueEntry.h"
#include "platform/Gb2312.h"
#include "support/ProgramFolderFixture.h"

#include <quillary/PluginApi.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

#include <dlfcn.h>

#include <memory>

namespace {

QString u8(const char *s) {
    return QString::fromUtf8(s);
}

// The bytes a catalogue with these values has, as the format lays it out:
// the section, Number, then one key per value, all GB2312 with CR LF.
QByteArray catalogueBytes(const QStringList &values) {
    QString text = u8("[Personal]\r\nNumber=") + QString::number(values.size()) + u8("\r\n");
    for (int i = 0; i < values.size(); ++i)
        text += u8("Personal%1=").arg(i + 1, 3, 10, QLatin1Char('0')) + values.at(i) + u8("\r\n");
    return platform::toGb(text);
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Types the file's name into an open file dialog, in its folder, as a user
// would, and accepts it.
void chooseFile(QFileDialog *dialog, const QString &path) {
    const QFileInfo info(path);
    dialog->setDirectory(info.path());
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(info.fileName());
    QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
}

QString canonical(const QString &path) {
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

class TestPersonalBox : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formFillsThePanelAndFollowsIt();
    void addingWritesTheCatalogueAndTheCodeFile();
    void keysPastNinetyNineAreWrittenInFull();
    void editingChangesCaptionImagesAndCode();
    void foreignCodeFilesAreNeverWritten();
    void deletingAsksAndRemovesOnlyTheBoxsOwnFiles();
    void reorderingRenumbersTheKeysAndKeepsTheValues();
    void entriesThatWouldBreakTheFormatAreRefused_data();
    void entriesThatWouldBreakTheFormatAreRefused();
    void valueLimitIs399GbBytes_data();
    void valueLimitIs399GbBytes();
    void failedWritesAreReportedAndLoseNothing();
    void importTakesTheCodeFromAFile();
    void imagesMissingFromTheFolderAreKept();

private:
    void load();
    void unload();
    bool isLoaded() const;
    QWidget *form() const {
        return m_panel->findChild<QWidget *>(u8("Form_PersonalAdd"), Qt::FindDirectChildrenOnly);
    }
    template <typename T> T *control(const char *name) const {
        QWidget *f = form();
        T *w = f ? f->findChild<T *>(u8(name)) : nullptr;
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void click(const char *button) const {
        QTest::mouseClick(control<QToolButton>(button), Qt::LeftButton);
    }
    void selectEntry(int row) const;
    QStringList listedCaptions() const;
    void tick(const QString &image) const;
    QStringList personalFiles() const {
        return QDir(m_f->file(u8("personal"))).entryList(QDir::Files);
    }
    QByteArray catalogue() const { return m_f->readBytes(u8("system/personal.tvo")); }
    void seed(const QStringList &values) const {
        m_f->writeBytes(u8("system/personal.tvo"), catalogueBytes(values));
    }
    // Makes a file or folder impossible to change, even for root; false when
    // the file system offers no such attribute.
    bool makeImmutable(const QString &relative);

    std::unique_ptr<ProgramFolderFixture> m_f;
    std::unique_ptr<QWidget> m_panel;
    ModalAnswerer *m_modal = nullptr;
    QString m_libraryPath;
    void *m_library = nullptr;
    quillary::ShowFormFn m_showForm = nullptr;
    quillary::CloseFormFn m_closeForm = nullptr;
    QStringList m_immutable;
};

void TestPersonalBox::init() {
    m_f = std::make_unique<ProgramFolderFixture>();
    m_libraryPath = m_f->file(u8("system/personaladd.tvo"));
    m_f->installLibrary(QStringLiteral(PERSONALADD_LIBRARY), u8("personaladd.tvo"));
    QVERIFY(QFileInfo(m_libraryPath).isFile());
    m_f->writeBytes(u8("images/a.gif"), "GIF89a");
    m_f->writeBytes(u8("images/b.jpg"), "jpg");
    m_f->writeBytes(u8("images/花.png"), "png");
    m_f->writeBytes(u8("images/example.htm"), "preview page");
    m_f->writeBytes(u8("images/bad|name.gif"), "a name the catalogue cannot hold");
    m_panel = std::make_unique<QWidget>();
    m_panel->resize(640, 480);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    m_modal = new ModalAnswerer(this);
    load();
}

void TestPersonalBox::cleanup() {
    for (const QString &path : std::as_const(m_immutable))
        QProcess::execute(u8("chattr"), {u8("-i"), path});
    m_immutable.clear();
    if (m_library)
        unload();
    delete m_modal;
    m_modal = nullptr;
    m_panel.reset();
    m_f.reset();
}

void TestPersonalBox::load() {
    QVERIFY(!isLoaded());
    m_library = dlopen(QFile::encodeName(m_libraryPath).constData(), RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(m_library, dlerror());
    m_showForm = reinterpret_cast<quillary::ShowFormFn>(dlsym(m_library, "ShowForm"));
    m_closeForm = reinterpret_cast<quillary::CloseFormFn>(dlsym(m_library, "CloseForm"));
    QVERIFY(m_showForm && m_closeForm);
    m_showForm(m_panel.get());
    QVERIFY(form());
}

void TestPersonalBox::unload() {
    m_closeForm();
    QCOMPARE(dlclose(m_library), 0);
    m_library = nullptr;
    QVERIFY(!isLoaded());
    QCoreApplication::sendPostedEvents();
}

bool TestPersonalBox::isLoaded() const {
    void *h = dlopen(QFile::encodeName(m_libraryPath).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

void TestPersonalBox::selectEntry(int row) const {
    auto *list = control<QListWidget>("ListBox_Efx");
    QVERIFY(row < list->count());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    QCOMPARE(list->currentRow(), row);
}

QStringList TestPersonalBox::listedCaptions() const {
    auto *list = control<QListWidget>("ListBox_Efx");
    QStringList captions;
    for (int i = 0; i < list->count(); ++i)
        captions.append(list->item(i)->text());
    return captions;
}

void TestPersonalBox::tick(const QString &image) const {
    const QList<QListWidgetItem *> items =
        control<QListWidget>("ListBox_Images")->findItems(image, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    items.first()->setCheckState(Qt::Checked);
}

bool TestPersonalBox::makeImmutable(const QString &relative) {
    const QString path = m_f->file(relative);
    if (QProcess::execute(u8("chattr"), {u8("+i"), path}) != 0)
        return false;
    m_immutable.append(path);
    QFile probe(path + u8("/probe"));
    return !probe.open(QIODevice::WriteOnly);
}

void TestPersonalBox::formFillsThePanelAndFollowsIt() {
    QPointer<QWidget> f = form();
    QVERIFY(f->isVisible());
    QVERIFY(!f->isWindow());
    QCOMPARE(f->geometry(), m_panel->rect());
    QCOMPARE(f->font().family(), u8("宋体"));
    QCOMPARE(f->font().pixelSize(), 12);
    QCOMPARE(f->palette().color(QPalette::Window), QColor(0xDD, 0xDD, 0xDD));
    QVERIFY(!m_panel->layout()); // the host's panel keeps no layout of its own
    for (const char *name : {"SpeedButton_NewEfx", "SpeedButton_SaveEfx", "SpeedButton_DelEfx",
                             "SpeedButton_MoveUp", "SpeedButton_MoveDown", "SpeedButton_Import"}) {
        auto *button = control<QToolButton>(name);
        QVERIFY(button->autoRaise());
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }

    m_panel->resize(700, 520);
    QCOMPARE(f->geometry(), QRect(0, 0, 700, 520));

    // Closed, it is hidden and no longer follows the panel; unloaded, it is
    // gone.
    m_closeForm();
    QVERIFY(!f->isVisible());
    m_panel->resize(660, 500);
    QCOMPARE(f->geometry(), QRect(0, 0, 700, 520));
    QCOMPARE(dlclose(m_library), 0);
    m_library = nullptr;
    QVERIFY(!f);
    QVERIFY(!isLoaded());
}

void TestPersonalBox::addingWritesTheCatalogueAndTheCodeFile() {
    // The images folder is offered, without the preview page and without a
    // name the catalogue could not hold.
    auto *images = control<QListWidget>("ListBox_Images");
    QStringList offered;
    for (int i = 0; i < images->count(); ++i) {
        offered.append(images->item(i)->text());
        QCOMPARE(images->item(i)->checkState(), Qt::Unchecked);
    }
    QCOMPARE(offered, (QStringList{u8("a.gif"), u8("b.jpg"), u8("花.png")}));

    // Typed in pieces: Latin letters key by key, the Chinese as an input
    // method commits it.
    QTest::keyClicks(control<QLineEdit>("Edit_Caption"), "My ");
    control<QLineEdit>("Edit_Caption")->insert(u8("我的时钟"));
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("<b>钟</b>\n第二行"));
    tick(u8("花.png"));
    tick(u8("a.gif"));
    click("SpeedButton_SaveEfx");
    QVERIFY(m_modal->take().isEmpty());

    const QStringList files = personalFiles();
    QCOMPARE(files.size(), 1);
    const QString code = m_f->file(u8("personal/") + files.first());
    QCOMPARE(m_f->readBytes(u8("personal/") + files.first()),
             platform::toGb(u8("<b>钟</b>\r\n第二行")));

    const QString value = u8("0|My 我的时钟|2|a.gif|花.png|") + code + u8("|");
    QCOMPARE(catalogue(), catalogueBytes({value}));
    // The main program's reader sees the same entry.
    QCOMPARE(ReadCatalogueEntry(EffectCategory::Personal, 1), value);
    QCOMPARE(EntryCaption(ReadCatalogueEntry(EffectCategory::Personal, 1)), u8("My 我的时钟"));
    QCOMPARE(PersonalEntryPath(1), code);
    QVERIFY(QFileInfo(PersonalEntryPath(1)).isAbsolute());
    QCOMPARE(EntryResourceList(EffectCategory::Personal, 1),
             (QStringList{u8("2"), u8("a.gif"), u8("花.png")}));
    QCOMPARE(listedCaptions(), QStringList{u8("My 我的时钟")});
    QCOMPARE(control<QListWidget>("ListBox_Efx")->currentRow(), 0);

    // New empties the editor; the next save appends a second entry with a
    // file of its own.
    click("SpeedButton_NewEfx");
    QCOMPARE(control<QLineEdit>("Edit_Caption")->text(), QString());
    QCOMPARE(control<QPlainTextEdit>("Memo_Code")->toPlainText(), QString());
    QCOMPARE(control<QListWidget>("ListBox_Efx")->selectedItems().size(), 0);
    control<QLineEdit>("Edit_Caption")->setText(u8("second"));
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("<i>2</i>"));
    click("SpeedButton_SaveEfx");
    QCOMPARE(personalFiles().size(), 2);
    const QString second = PersonalEntryPath(2);
    QVERIFY(second != code);
    QCOMPARE(catalogue(), catalogueBytes({value, u8("0|second|0|") + second + u8("|")}));
    QCOMPARE(listedCaptions(), (QStringList{u8("My 我的时钟"), u8("second")}));
}

void TestPersonalBox::keysPastNinetyNineAreWrittenInFull() {
    QStringList values;
    for (int i = 1; i <= 99; ++i)
        values.append(u8("0|效果%1|0|/elsewhere/%1.htm|").arg(i));
    seed(values);
    unload();
    load();
    QCOMPARE(listedCaptions().size(), 99);

    control<QLineEdit>("Edit_Caption")->setText(u8("第一百"));
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("100"));
    click("SpeedButton_SaveEfx");
    values.append(u8("0|第一百|0|") + PersonalEntryPath(100) + u8("|"));
    const QByteArray bytes = catalogue();
    QCOMPARE(bytes, catalogueBytes(values));
    QVERIFY(bytes.contains("\r\nPersonal099=0|"));
    QVERIFY(bytes.contains("\r\nPersonal100=0|"));
    QCOMPARE(EntryCaption(ReadCatalogueEntry(EffectCategory::Personal, 100)), u8("第一百"));
    QCOMPARE(ReadCatalogueEntry(EffectCategory::Personal, 99), values.at(98));
}

void TestPersonalBox::editingChangesCaptionImagesAndCode() {
    control<QLineEdit>("Edit_Caption")->setText(u8("旧名"));
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("旧代码"));
    tick(u8("b.jpg"));
    click("SpeedButton_SaveEfx");
    const QString first = PersonalEntryPath(1);

    // A fresh load lists what was saved and shows it in the editor.
    unload();
    load();
    QCOMPARE(listedCaptions(), QStringList{u8("旧名")});
    selectEntry(0);
    QCOMPARE(control<QLineEdit>("Edit_Caption")->text(), u8("旧名"));
    QCOMPARE(control<QPlainTextEdit>("Memo_Code")->toPlainText(), u8("旧代码"));
    QCOMPARE(control<QListWidget>("ListBox_Images")
                 ->findItems(u8("b.jpg"), Qt::MatchExactly)
                 .first()
                 ->checkState(),
             Qt::Checked);

    // Caption and images only: the code file stays where it is.
    control<QLineEdit>("Edit_Caption")->setText(u8("新名"));
    control<QListWidget>("ListBox_Images")
        ->findItems(u8("b.jpg"), Qt::MatchExactly)
        .first()
        ->setCheckState(Qt::Unchecked);
    tick(u8("a.gif"));
    click("SpeedButton_SaveEfx");
    QCOMPARE(catalogue(), catalogueBytes({u8("0|新名|1|a.gif|") + first + u8("|")}));
    QCOMPARE(readFile(first), platform::toGb(u8("旧代码")));

    // New code goes to a new file; the old one is removed once the
    // catalogue no longer names it.
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("新代码\n两行"));
    click("SpeedButton_SaveEfx");
    const QString second = PersonalEntryPath(1);
    QVERIFY(second != first);
    QVERIFY(!QFileInfo::exists(first));
    QCOMPARE(personalFiles(), QStringList{QFileInfo(second).fileName()});
    QCOMPARE(catalogue(), catalogueBytes({u8("0|新名|1|a.gif|") + second + u8("|")}));
    QCOMPARE(readFile(second), platform::toGb(u8("新代码\r\n两行")));
    QCOMPARE(listedCaptions(), QStringList{u8("新名")});
    QVERIFY(m_modal->take().isEmpty());
}

void TestPersonalBox::foreignCodeFilesAreNeverWritten() {
    const QString mine = m_f->file(u8("elsewhere/我的.htm"));
    const QByteArray mineBytes = platform::toGb(u8("<p>我自己的</p>\r\n"));
    m_f->writeBytes(u8("elsewhere/我的.htm"), mineBytes);
    seed({u8("0|我的|0|") + mine + u8("|")});
    unload();
    load();
    selectEntry(0);
    QCOMPARE(control<QPlainTextEdit>("Memo_Code")->toPlainText(), u8("<p>我自己的</p>\n"));
    QVERIFY(control<QLabel>("Label_File")->text().contains(mine));

    // Renaming keeps pointing at the user's file, without a question.
    control<QLineEdit>("Edit_Caption")->setText(u8("改名"));
    click("SpeedButton_SaveEfx");
    QVERIFY(m_modal->take().isEmpty());
    QCOMPARE(catalogue(), catalogueBytes({u8("0|改名|0|") + mine + u8("|")}));

    // Changed code is never written there: the box asks to keep a copy.
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("<p>改过的</p>"));
    const QByteArray before = catalogue();
    m_modal->queue(ModalAnswerer::Answer::No);
    click("SpeedButton_SaveEfx");
    QList<ModalAnswerer::Box> boxes = m_modal->take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, u8("个人特效箱"));
    QCOMPARE(boxes[0].icon, QMessageBox::Question);
    QCOMPARE(boxes[0].buttons.size(), 2);
    QVERIFY(boxes[0].text.contains(mine));
    QCOMPARE(catalogue(), before);
    QCOMPARE(m_f->readBytes(u8("elsewhere/我的.htm")), mineBytes);
    QVERIFY(personalFiles().isEmpty());

    m_modal->queue(ModalAnswerer::Answer::Yes);
    click("SpeedButton_SaveEfx");
    QCOMPARE(m_modal->take().size(), 1);
    QCOMPARE(m_f->readBytes(u8("elsewhere/我的.htm")), mineBytes);
    const QString copy = PersonalEntryPath(1);
    QCOMPARE(canonical(QFileInfo(copy).path()), canonical(m_f->file(u8("personal"))));
    QCOMPARE(catalogue(), catalogueBytes({u8("0|改名|0|") + copy + u8("|")}));
    QCOMPARE(readFile(copy), platform::toGb(u8("<p>改过的</p>")));
}

void TestPersonalBox::deletingAsksAndRemovesOnlyTheBoxsOwnFiles() {
    const QString mine = m_f->file(u8("elsewhere/mine.htm"));
    m_f->writeBytes(u8("elsewhere/mine.htm"), "mine");
    m_f->writeBytes(u8("personal/a.htm"), "a");
    m_f->writeBytes(u8("personal/c.htm"), "c");
    const QString a = u8("0|甲|0|") + m_f->file(u8("personal/a.htm")) + u8("|");
    const QString b = u8("0|乙|0|") + mine + u8("|");
    // A relative target is the program folder's, as the main program reads it.
    const QString c = u8("0|丙|0|personal/c.htm|");
    seed({a, b, c});
    unload();
    load();

    QVERIFY(!control<QToolButton>("SpeedButton_DelEfx")->isEnabled()); // nothing selected
    selectEntry(0);
    m_modal->queue(ModalAnswerer::Answer::No);
    click("SpeedButton_DelEfx");
    QList<ModalAnswerer::Box> boxes = m_modal->take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, u8("个人特效箱"));
    QCOMPARE(boxes[0].icon, QMessageBox::Question);
    QVERIFY(boxes[0].text.contains(u8("甲")));
    QCOMPARE(catalogue(), catalogueBytes({a, b, c}));
    QVERIFY(QFileInfo::exists(m_f->file(u8("personal/a.htm"))));

    m_modal->queue(ModalAnswerer::Answer::Yes);
    click("SpeedButton_DelEfx");
    QCOMPARE(catalogue(), catalogueBytes({b, c}));
    QVERIFY(!QFileInfo::exists(m_f->file(u8("personal/a.htm"))));
    QCOMPARE(listedCaptions(), (QStringList{u8("乙"), u8("丙")}));
    QCOMPARE(EntryCaption(ReadCatalogueEntry(EffectCategory::Personal, 1)), u8("乙"));

    // The user's own file stays where it is.
    selectEntry(0);
    m_modal->queue(ModalAnswerer::Answer::Yes);
    click("SpeedButton_DelEfx");
    QCOMPARE(catalogue(), catalogueBytes({c}));
    QCOMPARE(m_f->readBytes(u8("elsewhere/mine.htm")), QByteArray("mine"));

    selectEntry(0);
    m_modal->queue(ModalAnswerer::Answer::Yes);
    click("SpeedButton_DelEfx");
    QCOMPARE(catalogue(), catalogueBytes({}));
    QVERIFY(!QFileInfo::exists(m_f->file(u8("personal/c.htm"))));
    QCOMPARE(ReadCatalogueEntry(EffectCategory::Personal, 1), QString());
    QCOMPARE(m_modal->take().size(), 3);
}

void TestPersonalBox::reorderingRenumbersTheKeysAndKeepsTheValues() {
    // Values the box did not write itself go back exactly as they were read,
    // a count that is no number included.
    const QString a = u8("0|甲|1|a.gif|/elsewhere/a.htm|");
    const QString b = u8("0|乙|x|/elsewhere/b.htm|");
    const QString c = u8("1|丙|0|/elsewhere/c.htm|");
    seed({a, b, c});
    unload();
    load();

    selectEntry(2);
    click("SpeedButton_MoveUp");
    QCOMPARE(catalogue(), catalogueBytes({a, c, b}));
    QCOMPARE(listedCaptions(), (QStringList{u8("甲"), u8("丙"), u8("乙")}));
    QCOMPARE(control<QListWidget>("ListBox_Efx")->currentRow(), 1);
    click("SpeedButton_MoveUp");
    QCOMPARE(catalogue(), catalogueBytes({c, a, b}));
    // At the top there is nowhere to go.
    QVERIFY(!control<QToolButton>("SpeedButton_MoveUp")->isEnabled());
    click("SpeedButton_MoveUp");
    QCOMPARE(catalogue(), catalogueBytes({c, a, b}));

    // An unsaved edit moves along with its entry and is saved to it.
    control<QLineEdit>("Edit_Caption")->setText(u8("丙二"));
    click("SpeedButton_MoveDown");
    click("SpeedButton_MoveDown");
    QCOMPARE(catalogue(), catalogueBytes({a, b, c}));
    QVERIFY(!control<QToolButton>("SpeedButton_MoveDown")->isEnabled());
    QCOMPARE(control<QLineEdit>("Edit_Caption")->text(), u8("丙二"));
    click("SpeedButton_SaveEfx");
    QCOMPARE(catalogue(), catalogueBytes({a, b, u8("0|丙二|0|/elsewhere/c.htm|")}));
    QCOMPARE(PersonalEntryPath(2), u8("/elsewhere/b.htm"));
    QCOMPARE(EntryResourceList(EffectCategory::Personal, 1), (QStringList{u8("1"), u8("a.gif")}));
    QVERIFY(m_modal->take().isEmpty());
}

void TestPersonalBox::entriesThatWouldBreakTheFormatAreRefused_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("says");
    QTest::newRow("bar") << u8("左|右") << u8("|");
    QTest::newRow("line feed") << u8("上\n下") << u8("换行");
    QTest::newRow("carriage return") << u8("上\r下") << u8("换行");
    QTest::newRow("line separator") << (u8("上") + QChar(0x2028) + u8("下")) << u8("换行");
    QTest::newRow("empty") << QString() << u8("名称");
    QTest::newRow("blank") << u8("   ") << u8("名称");
    QTest::newRow("too long") << QString(200, QChar(u'长')) << u8("399");
}

void TestPersonalBox::entriesThatWouldBreakTheFormatAreRefused() {
    QFETCH(QString, caption);
    QFETCH(QString, says);
    const QString kept = u8("0|原有|0|/elsewhere/x.htm|");
    seed({kept});
    unload();
    load();

    // A new entry, and the same caption on an existing one.
    for (int row : {-1, 0}) {
        if (row >= 0)
            selectEntry(row);
        control<QLineEdit>("Edit_Caption")->setText(caption);
        control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("code"));
        click("SpeedButton_SaveEfx");
        // Refused before anything else is asked.
        const QList<ModalAnswerer::Box> boxes = m_modal->take();
        QCOMPARE(boxes.size(), 1);
        const ModalAnswerer::Box &refusal = boxes.first();
        QCOMPARE(refusal.title, u8("个人特效箱"));
        QCOMPARE(refusal.icon, QMessageBox::Critical);
        QCOMPARE(refusal.buttons.size(), 1);
        QVERIFY2(refusal.text.contains(says), qPrintable(refusal.text));
        QCOMPARE(catalogue(), catalogueBytes({kept}));
        QVERIFY(personalFiles().isEmpty());
        QCOMPARE(listedCaptions(), QStringList{u8("原有")});
    }
}

void TestPersonalBox::valueLimitIs399GbBytes_data() {
    QTest::addColumn<int>("excess");
    QTest::newRow("399 bytes") << 0;
    QTest::newRow("400 bytes") << 1;
}

void TestPersonalBox::valueLimitIs399GbBytes() {
    QFETCH(int, excess);
    const QString target = m_f->file(u8("elsewhere/x.htm"));
    seed({u8("0|x|0|") + target + u8("|")});
    unload();
    load();
    selectEntry(0);
    // "0|" caption "|0|" target "|": Chinese characters count two bytes each.
    const int captionBytes = 399 + excess - 6 - int(platform::toGb(target).size());
    QString caption(captionBytes / 2, QChar(u'汉'));
    if (captionBytes % 2)
        caption += u'a';
    const QString value = u8("0|") + caption + u8("|0|") + target + u8("|");
    QCOMPARE(platform::toGb(value).size(), 399 + excess);

    control<QLineEdit>("Edit_Caption")->setText(caption);
    click("SpeedButton_SaveEfx");
    const QList<ModalAnswerer::Box> boxes = m_modal->take();
    if (excess == 0) {
        QVERIFY(boxes.isEmpty());
        QCOMPARE(catalogue(), catalogueBytes({value}));
        QCOMPARE(ReadCatalogueEntry(EffectCategory::Personal, 1), value);
        QCOMPARE(PersonalEntryPath(1), target);
    } else {
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QVERIFY(boxes[0].text.contains(u8("399")));
        QCOMPARE(catalogue(), catalogueBytes({u8("0|x|0|") + target + u8("|")}));
    }
}

void TestPersonalBox::failedWritesAreReportedAndLoseNothing() {
    const QString a = u8("0|甲|0|/elsewhere/a.htm|");
    const QString b = u8("0|乙|0|/elsewhere/b.htm|");
    seed({a, b});
    unload();
    load();
    const QByteArray before = catalogue();

    // The catalogue's folder cannot be written.
    if (!makeImmutable(u8("system")))
        QSKIP("this file system cannot make a folder immutable (chattr +i)");
    auto expectReport = [this](const char *what) {
        const QList<ModalAnswerer::Box> boxes = m_modal->take();
        QVERIFY2(boxes.size() == 1, what);
        QCOMPARE(boxes[0].title, u8("个人特效箱"));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QVERIFY2(boxes[0].text.contains(u8("personal.tvo")), qPrintable(boxes[0].text));
    };
    control<QLineEdit>("Edit_Caption")->setText(u8("新的"));
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("code"));
    click("SpeedButton_SaveEfx");
    expectReport("add");
    QCOMPARE(catalogue(), before);
    QVERIFY(personalFiles().isEmpty()); // the new code file went again
    QCOMPARE(listedCaptions(), (QStringList{u8("甲"), u8("乙")}));
    // What the user typed is still there to save later.
    QCOMPARE(control<QLineEdit>("Edit_Caption")->text(), u8("新的"));

    selectEntry(1);
    click("SpeedButton_MoveUp");
    expectReport("move");
    QCOMPARE(listedCaptions(), (QStringList{u8("甲"), u8("乙")}));

    m_modal->queue(ModalAnswerer::Answer::Yes);
    click("SpeedButton_DelEfx");
    QCOMPARE(m_modal->take().size(), 2); // the question, then the report
    QCOMPARE(catalogue(), before);
    QCOMPARE(listedCaptions(), (QStringList{u8("甲"), u8("乙")}));

    // The catalogue can be written again, but the code folder cannot.
    QCOMPARE(QProcess::execute(u8("chattr"), {u8("-i"), m_f->file(u8("system"))}), 0);
    m_immutable.removeAll(m_f->file(u8("system")));
    QVERIFY(QDir().mkpath(m_f->file(u8("personal"))));
    QVERIFY(makeImmutable(u8("personal")));
    click("SpeedButton_NewEfx");
    control<QLineEdit>("Edit_Caption")->setText(u8("新的"));
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("code"));
    click("SpeedButton_SaveEfx");
    const QList<ModalAnswerer::Box> boxes = m_modal->take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].icon, QMessageBox::Critical);
    QVERIFY2(boxes[0].text.contains(m_f->file(u8("personal/"))), qPrintable(boxes[0].text));
    QCOMPARE(catalogue(), before);
    QCOMPARE(ReadCatalogueEntry(EffectCategory::Personal, 3), QString());
}

void TestPersonalBox::importTakesTheCodeFromAFile() {
    m_f->writeBytes(u8("elsewhere/导入的特效.htm"),
                    platform::toGb(u8("<b>导入</b>\r\n第二行\r\n")));
    QString dialogName;
    bool nonNative = false;
    m_modal->onFileDialog([&](QFileDialog *dialog) {
        dialogName = dialog->objectName();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        chooseFile(dialog, m_f->file(u8("elsewhere/导入的特效.htm")));
    });
    click("SpeedButton_Import");
    QCOMPARE(m_modal->fileDialogs(), 1);
    QCOMPARE(dialogName, u8("OpenDialog_Code"));
    QVERIFY(nonNative);
    QCOMPARE(control<QPlainTextEdit>("Memo_Code")->toPlainText(), u8("<b>导入</b>\n第二行\n"));
    QCOMPARE(control<QLineEdit>("Edit_Caption")->text(), u8("导入的特效"));

    // A caption already typed stays; cancelling leaves the editor alone.
    control<QLineEdit>("Edit_Caption")->setText(u8("自己起的名"));
    click("SpeedButton_Import");
    QCOMPARE(control<QLineEdit>("Edit_Caption")->text(), u8("自己起的名"));
    m_modal->onFileDialog(nullptr);
    control<QPlainTextEdit>("Memo_Code")->setPlainText(u8("typed"));
    click("SpeedButton_Import");
    QCOMPARE(m_modal->fileDialogs(), 3);
    QCOMPARE(control<QPlainTextEdit>("Memo_Code")->toPlainText(), u8("typed"));

    // The imported code is saved as a copy in the box; the file is left.
    m_modal->onFileDialog([&](QFileDialog *dialog) {
        chooseFile(dialog, m_f->file(u8("elsewhere/导入的特效.htm")));
    });
    click("SpeedButton_Import");
    click("SpeedButton_SaveEfx");
    QVERIFY(m_modal->take().isEmpty());
    const QString code = PersonalEntryPath(1);
    QCOMPARE(canonical(QFileInfo(code).path()), canonical(m_f->file(u8("personal"))));
    QCOMPARE(readFile(code), platform::toGb(u8("<b>导入</b>\r\n第二行\r\n")));
    QCOMPARE(EntryCaption(ReadCatalogueEntry(EffectCategory::Personal, 1)), u8("自己起的名"));
}

void TestPersonalBox::imagesMissingFromTheFolderAreKept() {
    const QString value = u8("0|图|2|gone.gif|a.gif|/elsewhere/x.htm|");
    seed({value});
    unload();
    load();
    selectEntry(0);
    auto *images = control<QListWidget>("ListBox_Images");
    const QList<QListWidgetItem *> gone = images->findItems(u8("gone.gif"), Qt::MatchExactly);
    QCOMPARE(gone.size(), 1);
    QCOMPARE(gone.first()->checkState(), Qt::Checked);
    // Saved again, the entry keeps its images in their order.
    control<QLineEdit>("Edit_Caption")->setText(u8("图二"));
    click("SpeedButton_SaveEfx");
    QCOMPARE(catalogue(), catalogueBytes({u8("0|图二|2|gone.gif|a.gif|/elsewhere/x.htm|")}));
}

QTEST_MAIN(TestPersonalBox)
#include "TestPersonalBox.moc"
