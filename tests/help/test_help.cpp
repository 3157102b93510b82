// The program's help: the CHM reader, the help window and ShowProgramHelp,
// run on the shipped ghelp.chm in a temporary program folder.

#include "app/ChmFile.h"
#include "app/HelpBrowser.h"
#include "app/HelpWindow.h"
#include "app/ProgramHelp.h"
#include "app/QuillaryApplication.h"
#include "platform/AppMessageBox.h"
#include "platform/Gb2312.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString SourceDir = QStringLiteral(QUILLARY_SOURCE_DIR);
const QString ShippedChm = SourceDir + QStringLiteral("/content/ghelp.chm");
const QString HelpSources = SourceDir + QStringLiteral("/content/help/");

const QString HelpTitle = QStringLiteral("妙码工坊 使用帮助");

QByteArray FileBytes(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QList<HelpWindow *> HelpWindows() {
    QList<HelpWindow *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<HelpWindow *>(widget))
            windows.append(window);
    }
    return windows;
}

void CloseHelpWindows() {
    for (HelpWindow *window : HelpWindows())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A point inside the first character of the first link to `href` on the
// page, in viewport coordinates, after scrolling it into view.
QPoint LinkPoint(QTextBrowser *browser, const QString &href) {
    QTextDocument *document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor() || format.anchorHref() != href)
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position());
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            const QRect before = browser->cursorRect(cursor);
            cursor.setPosition(fragment.position() + 1);
            const QRect after = browser->cursorRect(cursor);
            return QPoint((before.left() + after.left()) / 2, before.center().y());
        }
    }
    return {-1, -1};
}

QTreeWidgetItem *ContentsItem(QTreeWidget *tree, const QString &caption) {
    const QList<QTreeWidgetItem *> found =
        tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void systemRecords_data();
    void systemRecords();
    void pageDecoding_data();
    void pageDecoding();

    void missingLibraryShowsNothing_data();
    void missingLibraryShowsNothing();
    void missingOrBadHelpFileShowsNothing_data();
    void missingOrBadHelpFileShowsNothing();

    void readsTheShippedHelpFile();
    void showsTheDefaultTopic();
    void pagesAreDrawnSmoothedInTheProgramFont();
    void linksPicturesAndStyleSheetLoadFromTheHelpFile();
    void contentsTreeFollowsAndOpensPages();
    void backAndHomeReturnToEarlierPages();
    void secondCallReusesTheWindowOnTheDefaultTopic();
    void closedWindowIsMadeAnew();

private:
    void installShippedHelp();

    std::unique_ptr<QTemporaryDir> m_folder;
    QStringList m_messages;
};

void TestHelp::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    platform::SetProgramFolder(m_folder->path());
    m_messages.clear();
    platform::SetMessageBoxHook([this](const QString &text, const QString &, int) {
        m_messages.append(text);
        return platform::ID_OK;
    });
    ChmFile::SetLibraryName({});
}

void TestHelp::cleanup() {
    CloseHelpWindows();
    ChmFile::SetLibraryName({});
    platform::SetMessageBoxHook(nullptr);
    platform::SetProgramFolder({});
    m_folder.reset();
}

void TestHelp::installShippedHelp() {
    QVERIFY2(QFile::exists(ShippedChm), qPrintable(ShippedChm));
    QVERIFY(QFile::copy(ShippedChm, m_folder->filePath(QStringLiteral("ghelp.chm"))));
}

// ---------------------------------------------------------------------------
// The "/#SYSTEM" records: a 4-byte version, then code, length and data.

namespace {

QByteArray Record(quint16 code, const QByteArray &data) {
    QByteArray record;
    record.append(char(code & 0xFF)).append(char(code >> 8));
    record.append(char(data.size() & 0xFF)).append(char(data.size() >> 8));
    return record + data;
}

const QByteArray Version("\x03\x00\x00\x00", 4);

} // namespace

void TestHelp::systemRecords_data() {
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("found");

    const QByteArray topic = Record(2, QByteArray("index.htm\0", 10));
    const QByteArray title = Record(3, QByteArray("Help\0", 5));
    QTest::newRow("first record") << Version + topic + title << 2 << QByteArray("index.htm")
                                  << true;
    QTest::newRow("after another record")
        << Version + Record(10, "abcd") + topic + title << 3 << QByteArray("Help") << true;
    QTest::newRow("absent code") << Version + topic << 3 << QByteArray() << false;
    QTest::newRow("first of two with the code")
        << Version + title + Record(3, QByteArray("Other\0", 6)) << 3 << QByteArray("Help") << true;
    QTest::newRow("data without a NUL")
        << Version + Record(3, "Plain") << 3 << QByteArray("Plain") << true;
    QTest::newRow("text stops at the first NUL")
        << Version + Record(3, QByteArray("Ab\0cd\0", 6)) << 3 << QByteArray("Ab") << true;
    QTest::newRow("empty text") << Version + Record(3, QByteArray("\0", 1)) << 3 << QByteArray("")
                                << true;
    QTest::newRow("record longer than the file")
        << Version + topic + Record(3, "Help").left(6) << 3 << QByteArray() << false;
    QTest::newRow("length field cut off")
        << Version + topic + QByteArray("\x03\x00\x05", 3) << 3 << QByteArray() << false;
    QTest::newRow("version only") << Version << 2 << QByteArray() << false;
    QTest::newRow("nothing") << QByteArray() << 2 << QByteArray() << false;
    QTest::newRow("code above 255") << Version + Record(0x0103, QByteArray("no\0", 3)) + title << 3
                                    << QByteArray("Help") << true;
}

void TestHelp::systemRecords() {
    QFETCH(QByteArray, system);
    QFETCH(int, code);
    QFETCH(QByteArray, expected);
    QFETCH(bool, found);

    const QByteArray text = ChmFile::SystemString(system, quint16(code));
    QCOMPARE(text.isNull(), !found);
    QCOMPARE(text, expected);
}

void TestHelp::pageDecoding_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString chinese = QStringLiteral("妙码工坊");
    QTest::newRow("GB2312 page") << QByteArray("<meta charset=\"gb2312\">") +
                                        platform::toGb(chinese)
                                 << QStringLiteral("<meta charset=\"gb2312\">") + chinese;
    QTest::newRow("undeclared page is GB2312") << platform::toGb(chinese) << chinese;
    QTest::newRow("UTF-8 declared")
        << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">") +
               chinese.toUtf8()
        << QStringLiteral(
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">") +
               chinese;
    QTest::newRow("UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << chinese;
}

void TestHelp::pageDecoding() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(HelpBrowser::DecodeText(bytes), expected);
}

// ---------------------------------------------------------------------------
// Every failure is silent: false, no window, no message.

void TestHelp::missingLibraryShowsNothing_data() {
    QTest::addColumn<QByteArray>("library");
    QTest::newRow("library missing") << QByteArray("libquillary-no-such-chm.so.1");
    // A real library that loads but has none of the CHM functions.
    QTest::newRow("functions missing") << QByteArray("libm.so.6");
}

void TestHelp::missingLibraryShowsNothing() {
    QFETCH(QByteArray, library);
    installShippedHelp();

    ChmFile::SetLibraryName(library);
    QCOMPARE(ChmFile::LibraryName(), library);
    QVERIFY(!ChmFile::LibraryAvailable());
    QVERIFY(ChmFile::Open(ShippedChm) == nullptr);
    QVERIFY(!ShowProgramHelp(nullptr));
    QVERIFY(HelpWindows().isEmpty());
    QVERIFY(m_messages.isEmpty());

    // With the real library back, the same folder shows its help.
    ChmFile::SetLibraryName({});
    QCOMPARE(ChmFile::LibraryName(), QByteArray("libchm.so.1"));
    QVERIFY(ShowProgramHelp(nullptr));
    QCOMPARE(HelpWindows().size(), 1);
}

void TestHelp::missingOrBadHelpFileShowsNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("no ghelp.chm") << QStringLiteral("none");
    QTest::newRow("not a CHM archive") << QStringLiteral("text");
    QTest::newRow("empty file") << QStringLiteral("empty");
    QTest::newRow("a folder named ghelp.chm") << QStringLiteral("folder");
    QTest::newRow("help file in another folder") << QStringLiteral("elsewhere");
}

void TestHelp::missingOrBadHelpFileShowsNothing() {
    QFETCH(QString, kind);
    QVERIFY(ChmFile::LibraryAvailable());
    const QString help = m_folder->filePath(QStringLiteral("ghelp.chm"));
    if (kind == QLatin1String("text") || kind == QLatin1String("empty")) {
        QFile file(help);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("text"))
            file.write("<html><body>not compiled help</body></html>\r\n");
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("ghelp.chm")));
    } else if (kind == QLatin1String("elsewhere")) {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("system")));
        QVERIFY(QFile::copy(ShippedChm, m_folder->filePath(QStringLiteral("system/ghelp.chm"))));
    }

    QVERIFY(!ShowProgramHelp(nullptr));
    QVERIFY(HelpWindows().isEmpty());
    QVERIFY(m_messages.isEmpty());
}

// ---------------------------------------------------------------------------
// The shipped help file.

void TestHelp::readsTheShippedHelpFile() {
    const std::unique_ptr<ChmFile> chm = ChmFile::Open(ShippedChm);
    QVERIFY(chm != nullptr);
    QCOMPARE(chm->path(), ShippedChm);
    QCOMPARE(chm->title(), HelpTitle);
    QCOMPARE(chm->defaultTopic(), QStringLiteral("/index.htm"));
    QCOMPARE(chm->contentsFile(), QStringLiteral("/ghelp.hhc"));

    // Objects come back byte for byte, the large compressed picture too: the
    // unit record handed to the library carries the right length.
    for (const QString &name :
         {QStringLiteral("index.htm"), QStringLiteral("slipmenu.htm"), QStringLiteral("style.css"),
          QStringLiteral("images/mainwindow.png"), QStringLiteral("images/slipmenu.png")}) {
        const QByteArray source = FileBytes(HelpSources + name);
        QVERIFY2(!source.isEmpty(), qPrintable(name));
        QCOMPARE(chm->object(QLatin1Char('/') + name), source);
    }
    QCOMPARE(chm->object(QStringLiteral("/INDEX.HTM")), FileBytes(HelpSources + "index.htm"));

    QVERIFY(chm->object(QStringLiteral("/no-such-page.htm")).isNull());
    QVERIFY(chm->object(QStringLiteral("index.htm")).isNull()); // not an archive path
    QVERIFY(chm->object(QStringLiteral("/images/")).isNull());  // a folder
    QVERIFY(chm->object(QStringLiteral("/")).isNull());
    QVERIFY(chm->object(QString()).isNull());
}

void TestHelp::showsTheDefaultTopic() {
    installShippedHelp();
    QWidget owner;
    owner.resize(300, 200);
    owner.show();

    QVERIFY(ShowProgramHelp(&owner));
    QVERIFY(m_messages.isEmpty());
    const QList<HelpWindow *> windows = HelpWindows();
    QCOMPARE(windows.size(), 1);
    HelpWindow *window = windows.first();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // A window of its own, which does not keep the program running.
    QVERIFY(window->parentWidget() == nullptr);
    QVERIFY(!window->testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(window->windowTitle(), HelpTitle);
    QCOMPARE(window->chm().path(), m_folder->filePath(QStringLiteral("ghelp.chm")));

    HelpBrowser *browser = window->browser();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/index.htm")));
    QCOMPARE(browser->documentTitle(), QStringLiteral("妙码工坊概述"));
    const QString text = browser->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("妙码工坊概述")));
    QVERIFY(text.contains(QStringLiteral("四步用好一个特效")));
    QVERIFY(!text.contains(QChar(0xFFFD)));
}

void TestHelp::pagesAreDrawnSmoothedInTheProgramFont() {
    // The program's font is drawn from the Song bitmaps, which exist for a
    // few sizes only; the pages' headings and key names use others.
    const QFont before = QApplication::font();
    QApplication::setFont(QuillaryApplication::SongFont(12));
    installShippedHelp();
    QVERIFY(ShowProgramHelp(nullptr));
    HelpWindow *window = HelpWindows().value(0);
    QVERIFY(window);
    const QFont font = window->browser()->font();
    QApplication::setFont(before);
    QVERIFY(!(font.styleStrategy() & QFont::NoAntialias));
    QCOMPARE(font.family(), QuillaryApplication::SongFont(12).family());
}

void TestHelp::linksPicturesAndStyleSheetLoadFromTheHelpFile() {
    installShippedHelp();
    QVERIFY(ShowProgramHelp(nullptr));
    HelpWindow *window = HelpWindows().value(0);
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    HelpBrowser *browser = window->browser();

    // The overview's picture, as the page itself refers to it.
    QTextDocument *document = browser->document();
    QString pictureName;
    for (QTextBlock block = document->begin(); block.isValid() && pictureName.isEmpty();
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                pictureName = format.toImageFormat().name();
                break;
            }
        }
    }
    QCOMPARE(pictureName, QStringLiteral("images/mainwindow.png"));
    const QImage shown =
        document->resource(QTextDocument::ImageResource, QUrl(pictureName)).value<QImage>();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.size(), QSize(490, 354));

    // Resources asked for by relative and by full address.
    const QImage picture =
        browser->loadResource(QTextDocument::ImageResource, QUrl(pictureName)).value<QImage>();
    QVERIFY(!picture.isNull());
    QVERIFY(browser
                ->loadResource(QTextDocument::ImageResource,
                               QUrl(QStringLiteral("chm:/images/slipmenu.png")))
                .value<QImage>()
                .size() == QSize(486, 374));
    const QString css =
        browser->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("style.css")))
            .toString();
    QVERIFY(css.contains(QStringLiteral("宋体")));
    QVERIFY(
        !browser
             ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/none.png")))
             .isValid());
    QVERIFY(!browser
                 ->loadResource(QTextDocument::ImageResource,
                                QUrl::fromLocalFile(HelpSources + "images/mainwindow.png"))
                 .isValid());

    // A click on a link of the page opens the linked page from the file.
    const QPoint link = LinkPoint(browser, QStringLiteral("browse.htm"));
    QVERIFY(link.x() >= 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
    QTRY_COMPARE(browser->source(), QUrl(QStringLiteral("chm:/browse.htm")));
    QCOMPARE(browser->documentTitle(), QStringLiteral("浏览特效分类"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("调整列表和代码窗的宽度")));

    // The next page's links work the same way.
    const QPoint next = LinkPoint(browser, QStringLiteral("slipmenu.htm"));
    QVERIFY(next.x() >= 0);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, next);
    QTRY_COMPARE(browser->source(), QUrl(QStringLiteral("chm:/slipmenu.htm")));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("【添加】")));
    QVERIFY(
        !browser->document()
             ->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/slipmenu.png")))
             .value<QImage>()
             .isNull());
    QVERIFY(m_messages.isEmpty());
}

void TestHelp::contentsTreeFollowsAndOpensPages() {
    installShippedHelp();
    QVERIFY(ShowProgramHelp(nullptr));
    HelpWindow *window = HelpWindows().value(0);
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTreeWidget *tree = window->contents();
    QVERIFY(tree->isVisible());

    const QStringList topLevel = [tree] {
        QStringList captions;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            captions << tree->topLevelItem(i)->text(0);
        return captions;
    }();
    QCOMPARE(topLevel, (QStringList{QStringLiteral("妙码工坊概述"), QStringLiteral("浏览特效分类"),
                                    QStringLiteral("使用特效"), QStringLiteral("软件设置"),
                                    QStringLiteral("键盘和菜单速查"), QStringLiteral("提示信息")}));
    QTreeWidgetItem *group = tree->topLevelItem(2);
    QCOMPARE(group->childCount(), 3);
    QCOMPARE(group->child(1)->text(0), QStringLiteral("多级滑动菜单"));
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));

    // Clicking an entry opens its page; a heading without a page opens none.
    QTreeWidgetItem *menu = ContentsItem(tree, QStringLiteral("多级滑动菜单"));
    QVERIFY(menu != nullptr);
    tree->scrollToItem(menu);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(menu).center());
    QTRY_COMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/slipmenu.htm")));
    QCOMPARE(window->browser()->documentTitle(), QStringLiteral("多级滑动菜单"));

    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(group).center());
    QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/slipmenu.htm")));

    // A page reached another way is marked in the tree.
    window->showTopic(QStringLiteral("/KEYS.HTM"));
    QCOMPARE(window->browser()->documentTitle(), QStringLiteral("键盘和菜单速查"));
    QCOMPARE(tree->currentItem(), ContentsItem(tree, QStringLiteral("键盘和菜单速查")));
}

void TestHelp::backAndHomeReturnToEarlierPages() {
    installShippedHelp();
    QVERIFY(ShowProgramHelp(nullptr));
    HelpWindow *window = HelpWindows().value(0);
    QVERIFY(window != nullptr);
    HelpBrowser *browser = window->browser();
    auto *back = window->findChild<QAction *>(QStringLiteral("Action_Back"));
    auto *forward = window->findChild<QAction *>(QStringLiteral("Action_Forward"));
    auto *home = window->findChild<QAction *>(QStringLiteral("Action_Home"));
    QVERIFY(back != nullptr && forward != nullptr && home != nullptr);
    QVERIFY(!back->isEnabled());

    window->showTopic(QStringLiteral("/output.htm"));
    window->showTopic(QStringLiteral("/settings.htm"));
    QVERIFY(back->isEnabled());
    back->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/output.htm")));
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/settings.htm")));
    home->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/index.htm")));
    QCOMPARE(browser->documentTitle(), QStringLiteral("妙码工坊概述"));
}

void TestHelp::secondCallReusesTheWindowOnTheDefaultTopic() {
    installShippedHelp();
    QVERIFY(ShowProgramHelp(nullptr));
    const QPointer<HelpWindow> window = HelpWindows().value(0);
    QVERIFY(window != nullptr);
    window->showTopic(QStringLiteral("/personal.htm"));
    window->showMinimized();

    QVERIFY(ShowProgramHelp(nullptr));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window.isNull());
    QCOMPARE(HelpWindows(), QList<HelpWindow *>{window.data()});
    QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/index.htm")));
    QVERIFY(window->isVisible());
    QVERIFY(!window->isMinimized());

    // Another program folder has its own help file: the window follows it.
    QTemporaryDir other;
    QVERIFY(QFile::copy(ShippedChm, other.filePath(QStringLiteral("ghelp.chm"))));
    platform::SetProgramFolder(other.path());
    QVERIFY(ShowProgramHelp(nullptr));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<HelpWindow *> windows = HelpWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->chm().path(), other.filePath(QStringLiteral("ghelp.chm")));
    CloseHelpWindows();
}

void TestHelp::closedWindowIsMadeAnew() {
    installShippedHelp();
    QVERIFY(ShowProgramHelp(nullptr));
    QCOMPARE(HelpWindows().size(), 1);
    CloseHelpWindows();
    QVERIFY(HelpWindows().isEmpty());

    // The help file vanished meanwhile: nothing, silently.
    QVERIFY(QFile::remove(m_folder->filePath(QStringLiteral("ghelp.chm"))));
    QVERIFY(!ShowProgramHelp(nullptr));
    QVERIFY(HelpWindows().isEmpty());

    installShippedHelp();
    QVERIFY(ShowProgramHelp(nullptr));
    const QList<HelpWindow *> windows = HelpWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->browser()->source(), QUrl(QStringLiteral("chm:/index.htm")));
    QVERIFY(m_messages.isEmpty());
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"
