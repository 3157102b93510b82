// Preview, copy and save through the real main window, dialogs and files.
#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"
#include "host/EffectHost.h"
#include "output/SaveName.h"
#include "platform/AppMessageBox.h"
#include "platform/Gb2312.h"
#include "support/MainWindowFixture.h"
#include "support/UrlRecorder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

const char *kCatalogue = "[Good]\n"
                         "Number=5\n"
                         "Good001=1|生成器|0|complete.tvo|\n"
                         "Good002=0|带图片|3|a.svg|missing.svg|b.png|\n"
                         "Good003=0|危险名字|4|../evil.svg|sub/x.svg|/tmp/abs.svg|page.htm|\n"
                         "Good004=0|坏数字|x|a.svg|\n"
                         "Good005=0|无图片|0|\n";

// GB2312 bytes of what the test plug-in generates.
const QByteArray kGenerated("\xC9\xFA\xB3\xC9\xB5\xC4\xB4\xFA\xC2\xEB\r\n\xB5\xDA\xB6\xFE\xD0\xD0");

} // namespace

class TestOutput : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saveNames_data();
    void saveNames();
    void previewWritesThePageAndOpensIt();
    void copyPutsTheWholeTextOnTheClipboard();
    void saveWritesThePageAndCopiesItsImages();
    void saveAsksBeforeOverwriting();
    void saveOnlyTouchesTheTarget();
    void saveWithNothingSelectedDoesNothing();
    void unsafeResourceNamesAreSkipped();
    void badResourceCountIsReportedAfterThePageIsWritten();
    void generatorIsAskedBeforeEveryCommand();
    void disabledWhileNothingIsGenerated();

private:
    void answerSaveDialog(const QString &path) { m_f->answerSaveDialog(path); }
    void save() { QTest::mouseClick(m_f->button("SpeedButton_Save"), Qt::LeftButton); }
    std::unique_ptr<MainWindowFixture> m_f;
    UrlRecorder m_urls{{QStringLiteral("file")}};
};

void TestOutput::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->writeGb("system/efx.tvo", QString::fromUtf8(kCatalogue));
    for (const char *n : {"002", "003", "004", "005"})
        m_f->writeGb(QStringLiteral("system/%1.bos").arg(QLatin1String(n)),
                     QStringLiteral("<p>特效 %1</p>\n第二行").arg(QLatin1String(n)));
    m_f->writeBytes("images/a.svg", "<svg>a</svg>");
    m_f->writeBytes("images/b.png", QByteArray("\x89PNG\r\n\x1A\n\0\0", 10));
    m_f->open();
    m_urls.urls.clear();
}

void TestOutput::cleanup() {
    m_f.reset();
}

void TestOutput::saveNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");
    QTest::newRow("no extension") << "/d/page"
                                  << "/d/page.htm";
    QTest::newRow(".htm") << "/d/page.htm"
                          << "/d/page.htm";
    QTest::newRow(".HTM") << "/d/page.HTM"
                          << "/d/page.HTM.htm";
    QTest::newRow(".html") << "/d/page.html"
                           << "/d/page.html.htm";
    QTest::newRow("dot in the folder") << "/d.htm/page"
                                       << "/d.htm/page.htm";
    QTest::newRow("backslash after the dot") << "c.htm\\page"
                                             << "c.htm\\page.htm";
    QTest::newRow("colon after the dot") << "a.b:c"
                                         << "a.b:c.htm";
    QTest::newRow("trailing dot") << "/d/page."
                                  << "/d/page..htm";
    QTest::newRow("chinese") << "/d/网页.htm"
                             << "/d/网页.htm";
}

void TestOutput::saveNames() {
    QFETCH(QString, name);
    QFETCH(QString, target);
    QCOMPARE(SaveTargetName(name), target);
}

void TestOutput::previewWritesThePageAndOpensIt() {
    // Preview needs no selection: it acts on whatever the pane holds.
    m_f->code()->setPlainText(QStringLiteral("<p>第一次</p>\n第二行"));
    QTest::mouseClick(m_f->button("SpeedButton_Preview"), Qt::LeftButton);
    QCOMPARE(m_f->readBytes("images/example.htm"), platform::toGb(u"<p>第一次</p>\r\n第二行"));
    QCOMPARE(m_urls.urls, QList<QUrl>{QUrl::fromLocalFile(m_f->file("images/example.htm"))});
    // The second preview replaces the page with the pane's current text.
    m_f->code()->setPlainText(QStringLiteral("短"));
    m_f->action("Code_Preview")->trigger();
    QCOMPARE(m_f->readBytes("images/example.htm"), platform::toGb(u"短"));
    QCOMPARE(m_urls.urls.size(), 2);
}

void TestOutput::copyPutsTheWholeTextOnTheClipboard() {
    m_f->select(1);
    QTest::mouseClick(m_f->button("SpeedButton_Copy"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("<p>特效 002</p>\n第二行"));
    QCOMPARE(m_f->code()->textCursor().selectedText().size(), m_f->codeText().size());
    m_f->code()->setPlainText(QStringLiteral("自己写的"));
    m_f->action("Code_CopyAll")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("自己写的"));
}

void TestOutput::saveWritesThePageAndCopiesItsImages() {
    QTemporaryDir out;
    QFile stale(out.filePath(QStringLiteral("a.svg")));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("old image");
    stale.close();
    m_f->select(1);
    answerSaveDialog(out.filePath(QStringLiteral("page")));
    save();
    QCOMPARE(m_f->saveDialog().shown, 1);
    QCOMPARE(m_f->saveDialog().objectName, QStringLiteral("SaveDialog_Code"));
    QCOMPARE(m_f->saveDialog().nameFilters, QStringList{QStringLiteral("网页文件(*.htm)")});
    QFile page(out.filePath(QStringLiteral("page.htm")));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), platform::toGb(u"<p>特效 002</p>\r\n第二行"));
    // Images beside the page, an old copy replaced; the missing one skipped.
    QFile a(out.filePath(QStringLiteral("a.svg")));
    QVERIFY(a.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), QByteArray("<svg>a</svg>"));
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("b.png"))));
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("missing.svg"))));
    QVERIFY(m_f->takeMessages().isEmpty());

    // An entry without images copies nothing.
    QTemporaryDir out2;
    m_f->select(4);
    answerSaveDialog(out2.filePath(QStringLiteral("x.htm")));
    save();
    QCOMPARE(QDir(out2.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.htm")});
}

void TestOutput::saveAsksBeforeOverwriting() {
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("page.htm"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old page");
    old.close();
    m_f->select(1);

    m_f->queueAnswer(platform::ID_NO);
    answerSaveDialog(target);
    save();
    auto messages = m_f->takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("文件已经存在,是否覆盖?"));
    QCOMPARE(messages[0].caption, QStringLiteral("警告"));
    QCOMPARE(messages[0].flags, platform::MB_QUESTION_YESNO);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old page"));
    old.close();
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("a.svg"))));

    m_f->queueAnswer(platform::ID_YES);
    answerSaveDialog(target);
    save();
    QCOMPARE(m_f->takeMessages().size(), 1);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), platform::toGb(u"<p>特效 002</p>\r\n第二行"));
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("a.svg"))));
}

void TestOutput::saveOnlyTouchesTheTarget() {
    // Files that differ from the target only by the ".htm" ending are
    // neither asked about nor touched.
    QTemporaryDir out;
    for (const char *name : {"page", "page.htm.htm"}) {
        QFile f(out.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(name);
    }
    m_f->select(4);
    answerSaveDialog(out.filePath(QStringLiteral("page.htm")));
    save();
    answerSaveDialog(out.filePath(QStringLiteral("page")));
    m_f->queueAnswer(platform::ID_YES);
    save();
    QCOMPARE(m_f->takeMessages().size(), 1); // only the second save met an existing page.htm
    for (const char *name : {"page", "page.htm.htm"}) {
        QFile f(out.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray(name));
    }
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("page.htm"))));
}

void TestOutput::saveWithNothingSelectedDoesNothing() {
    QTemporaryDir out;
    answerSaveDialog(out.filePath(QStringLiteral("never.htm")));
    save();
    QTest::qWait(50);
    QCOMPARE(m_f->saveDialog().shown, 0);
    QVERIFY(m_f->takeMessages().isEmpty());
    QVERIFY(QDir(out.path()).isEmpty());
}

void TestOutput::unsafeResourceNamesAreSkipped() {
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("pages/sub"));
    const QString pages = root.filePath(QStringLiteral("pages"));
    m_f->writeBytes("evil.svg", "outside the images folder");
    m_f->writeBytes("images/sub/x.svg", "in a subfolder");
    m_f->writeBytes("images/page.htm", "an image named like the page");
    m_f->select(2);
    answerSaveDialog(pages + QStringLiteral("/page.htm"));
    save();
    QCOMPARE(QDir(root.path()).entryList(QDir::Files), QStringList());
    QVERIFY(!QFile::exists(pages + QStringLiteral("/sub/x.svg")));
    QFile page(pages + QStringLiteral("/page.htm"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), platform::toGb(u"<p>特效 003</p>\r\n第二行"));
}

void TestOutput::badResourceCountIsReportedAfterThePageIsWritten() {
    QTemporaryDir out;
    m_f->select(3);
    answerSaveDialog(out.filePath(QStringLiteral("bad.htm")));
    save();
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("bad.htm"))));
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("a.svg"))));
    const auto messages = m_f->takeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.contains(QLatin1String("'x'")));
    QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);
}

void TestOutput::generatorIsAskedBeforeEveryCommand() {
    m_f->select(0);
    m_f->takePluginLog();
    QTest::mouseClick(m_f->button("SpeedButton_Preview"), Qt::LeftButton);
    QCOMPARE(m_f->readBytes("images/example.htm"), kGenerated);
    m_f->code()->clear();
    QTest::mouseClick(m_f->button("SpeedButton_Copy"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("生成的代码\n第二行"));
    m_f->code()->clear();
    answerSaveDialog(QString()); // cancelled: the pane still holds fresh code
    save();
    QCOMPARE(m_f->codeText(), QStringLiteral("生成的代码\n第二行"));
    QCOMPARE(m_f->takePluginLog(), (QStringList{"OutputCode", "OutputCode", "OutputCode"}));

    // Another category while the generator is still shown: Preview and Copy
    // still ask it, Save does nothing with nothing selected.
    m_f->clickCategory("ToolButton_Time");
    m_f->code()->clear();
    QTest::mouseClick(m_f->button("SpeedButton_Preview"), Qt::LeftButton);
    QTest::mouseClick(m_f->button("SpeedButton_Copy"), Qt::LeftButton);
    save();
    QCOMPARE(m_f->takePluginLog(), (QStringList{"OutputCode", "OutputCode"}));
    QCOMPARE(m_f->saveDialog().shown, 1);
}

void TestOutput::disabledWhileNothingIsGenerated() {
    // A plug-in entry whose library failed to load is never asked for code:
    // the commands act on the emptied pane.
    m_f->writeGb("system/efx.tvo", "[Good]\nNumber=1\nGood001=1|坏|0|notalibrary.tvo|\n");
    m_f->clickCategory("ToolButton_Good");
    m_f->select(0);
    QCOMPARE(m_f->takeMessages().size(), 1);
    QVERIFY(m_f->form()->host()->CurrentEffectIsPlugin);
    QVERIFY(!m_f->form()->host()->PluginActive);
    QTest::mouseClick(m_f->button("SpeedButton_Preview"), Qt::LeftButton);
    QCOMPARE(m_f->readBytes("images/example.htm"), QByteArray());
    QVERIFY(QFile::exists(m_f->file("images/example.htm")));
}

QTEST_MAIN(TestOutput)
#include "test_output.moc"
