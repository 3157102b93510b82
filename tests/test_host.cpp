// The effect host: code files and plug-in libraries loaded into the code
// panel, through the real main window and real libraries.
#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"
#include "host/EffectHost.h"
#include "platform/AppMessageBox.h"
#include "support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

const QString kLoadFailed = QStringLiteral("加载该特效失败！");

const char *kCatalogue = "[Good]\n"
                         "Number=4\n"
                         "Good001=1|完整插件|0|complete.tvo|\n"
                         "Good002=0|普通特效|0|\n"
                         "Good003=1|第二个插件|0|second.tvo|\n"
                         "Good004=1|缺少导出|0|nooutput.tvo|\n";

} // namespace

class TestHost : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void plainEffectsLoadFromTheirCategoryFolder_data();
    void plainEffectsLoadFromTheirCategoryFolder();
    void pluginFormIsEmbeddedAndUnloadedOnTheNextSelection();
    void secondPluginReplacesTheFirstInOrder();
    void repeatedNotificationsLoadOnce();
    void refillKeepsThePluginAndActsOnTheFirstSelection();
    void personalEntriesLoadTheirOwnFiles();
    void failuresShowTheLoadMessage_data();
    void failuresShowTheLoadMessage();
    void closingUnloadsTheOnePluginOnce();
    void destroyingTheWindowUnloadsThePlugin();

private:
    std::unique_ptr<MainWindowFixture> m_f;
    EffectHost *host() const { return m_f->form()->host(); }
    QWidget *pluginForm() const {
        return m_f->form()->findChild<QWidget *>(QStringLiteral("TestPluginForm"));
    }
};

void TestHost::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->installLibrary(QStringLiteral(TEST_PLUGIN_COMPLETE), QStringLiteral("second.tvo"));
    m_f->writeGb("system/efx.tvo", QString::fromUtf8(kCatalogue));
    m_f->writeGb("system/002.bos", "<meta charset=\"gb2312\">\n<p>普通特效</p>");
    m_f->open();
}

void TestHost::cleanup() {
    m_f.reset();
}

void TestHost::plainEffectsLoadFromTheirCategoryFolder_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("index");
    QTest::newRow("Good 3") << "ToolButton_Good"
                            << "Good"
                            << "system/003.bos" << 3;
    QTest::newRow("Time 7") << "ToolButton_Time"
                            << "Time"
                            << "time/007.bos" << 7;
    QTest::newRow("Text 1") << "ToolButton_Text"
                            << "Text"
                            << "text/001.bos" << 1;
    QTest::newRow("Mouse 10") << "ToolButton_Mouse"
                              << "Mouse"
                              << "mouse/010.bos" << 10;
    QTest::newRow("Windows 2") << "ToolButton_Windows"
                               << "Windows"
                               << "windows/002.bos" << 2;
    QTest::newRow("Picture 99") << "ToolButton_Picture"
                                << "Picture"
                                << "picture/099.bos" << 99;
    QTest::newRow("Play 100") << "ToolButton_Play"
                              << "Play"
                              << "play/100.bos" << 100;
    QTest::newRow("Menu 42") << "ToolButton_Menu"
                             << "Menu"
                             << "Menu/042.bos" << 42;
    QTest::newRow("Other 1000") << "ToolButton_Other"
                                << "Other"
                                << "other/1000.bos" << 1000;
}

void TestHost::plainEffectsLoadFromTheirCategoryFolder() {
    QFETCH(QString, button);
    QFETCH(QString, section);
    QFETCH(QString, file);
    QFETCH(int, index);
    m_f->writeGb("system/efx.tvo", QStringLiteral("[%1]\nNumber=%2\n%1%3=0|效果|0|\n")
                                       .arg(section)
                                       .arg(index)
                                       .arg(index < 10    ? QStringLiteral("00%1").arg(index)
                                            : index < 100 ? QStringLiteral("0%1").arg(index)
                                                          : QString::number(index)));
    m_f->writeGb(file, QStringLiteral("第一行\n%1 的代码\r\n第三行").arg(file));
    m_f->clickCategory(button.toLatin1().constData());
    m_f->form()->browser()->SelectItem(index - 1);
    QCOMPARE(m_f->codeText(), QStringLiteral("第一行\n%1 的代码\n第三行").arg(file));
    QVERIFY(m_f->takeMessages().isEmpty());
}

void TestHost::pluginFormIsEmbeddedAndUnloadedOnTheNextSelection() {
    m_f->takePluginLog();
    m_f->select(0);
    QVERIFY(host()->PluginActive);
    QVERIFY(host()->CurrentEffectIsPlugin);
    QCOMPARE(m_f->takePluginLog(), (QStringList{"load", "ShowForm"}));
    QWidget *form = pluginForm();
    QVERIFY(form);
    QCOMPARE(form->parentWidget(), host()->panelCode());
    QVERIFY(form->isVisible());
    QCOMPARE(m_f->codeText(), QString()); // the pane was emptied before loading

    m_f->select(1);
    QCOMPARE(m_f->takePluginLog(), (QStringList{"CloseForm", "unload"}));
    QVERIFY(!host()->PluginActive);
    QVERIFY(!host()->CurrentEffectIsPlugin);
    QVERIFY(!pluginForm());
    QCOMPARE(m_f->codeText(), QStringLiteral("<meta charset=\"gb2312\">\n<p>普通特效</p>"));
    QVERIFY(m_f->button("SpeedButton_Preview")->isEnabled());
}

void TestHost::secondPluginReplacesTheFirstInOrder() {
    m_f->takePluginLog();
    m_f->select(0);
    m_f->select(2);
    QCOMPARE(m_f->takePluginLog(),
             (QStringList{"load", "ShowForm", "CloseForm", "unload", "load", "ShowForm"}));
    QCOMPARE(m_f->form()->findChildren<QWidget *>(QStringLiteral("TestPluginForm")).size(), 1);
    QVERIFY(host()->PluginActive);
}

void TestHost::repeatedNotificationsLoadOnce() {
    m_f->takePluginLog();
    m_f->select(0);
    m_f->select(0);
    host()->ListView_EfxNameChange(); // a further notification about the same selection
    QCOMPARE(m_f->takePluginLog(), (QStringList{"load", "ShowForm"}));
    QCOMPARE(host()->LastEffectIndex, 1);
    // The same holds for a plain entry: the user's edits stay.
    m_f->select(1);
    m_f->code()->setPlainText(QStringLiteral("改过的"));
    m_f->select(1);
    QCOMPARE(m_f->codeText(), QStringLiteral("改过的"));
}

void TestHost::refillKeepsThePluginAndActsOnTheFirstSelection() {
    m_f->select(0);
    m_f->takePluginLog();
    m_f->clickCategory("ToolButton_Good");
    // The refill unloads nothing: the form stays until the next selection.
    QVERIFY(host()->PluginActive);
    QVERIFY(pluginForm() && pluginForm()->isVisible());
    QCOMPARE(host()->LastEffectIndex, 0);
    QVERIFY(m_f->takePluginLog().isEmpty());
    // The first selection in the refilled list is acted on, even at the
    // position acted on last.
    m_f->select(0);
    QCOMPARE(m_f->takePluginLog(), (QStringList{"CloseForm", "unload", "load", "ShowForm"}));

    m_f->select(1);
    m_f->code()->setPlainText(QStringLiteral("用户的文字"));
    m_f->clickCategory("ToolButton_Time");
    QCOMPARE(m_f->codeText(), QStringLiteral("用户的文字"));
}

void TestHost::personalEntriesLoadTheirOwnFiles() {
    const QString own = m_f->file("elsewhere/我的.htm");
    m_f->writeGb("elsewhere/我的.htm", "<b>个人</b>\n第二行");
    m_f->writeGb("system/personal.tvo", QStringLiteral("[Personal]\nNumber=3\n"
                                                       "Personal001=0|我的|0|%1|\n"
                                                       "Personal002=0|丢失|0|%2|\n"
                                                       "Personal003=0|相对|0|elsewhere/我的.htm|\n")
                                            .arg(own, m_f->file("missing.htm")));
    m_f->select(0); // a plug-in shown first is unloaded by the Personal path too
    m_f->takePluginLog();
    m_f->clickCategory("ToolButton_Personal");
    m_f->select(0);
    QCOMPARE(m_f->takePluginLog(), (QStringList{"CloseForm", "unload"}));
    QCOMPARE(m_f->codeText(), QStringLiteral("<b>个人</b>\n第二行"));
    QVERIFY(m_f->takeMessages().isEmpty());

    m_f->select(1);
    QCOMPARE(m_f->codeText(), QString());
    const auto messages = m_f->takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, kLoadFailed);
    QCOMPARE(messages[0].caption, QStringLiteral("警告"));
    QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);

    m_f->select(2); // a relative path is taken from the program folder
    QCOMPARE(m_f->codeText(), QStringLiteral("<b>个人</b>\n第二行"));
}

void TestHost::failuresShowTheLoadMessage_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("missing code file") << "0|缺|0|" << QStringList();
    QTest::newRow("code file is a folder") << "0|夹|0|" << QStringList();
    QTest::newRow("code file too large") << "0|大|0|" << QStringList();
    QTest::newRow("missing library") << "1|缺|0|missing.tvo|" << QStringList();
    QTest::newRow("not a library") << "1|文本|0|notalibrary.tvo|" << QStringList();
    QTest::newRow("lacks OutputCode: freed at once")
        << "1|缺导出|0|nooutput.tvo|" << QStringList{"load", "unload"};
    QTest::newRow("ShowForm throws")
        << "1|异常|0|throws.tvo|" << QStringList{"load", "ShowForm", "CloseForm", "unload"};
    QTest::newRow("parent folder") << "1|上级|0|../outside.tvo|" << QStringList();
    QTest::newRow("absolute path") << "1|绝对|0|OUTSIDE|" << QStringList();
    QTest::newRow("backslash") << "1|反斜杠|0|..\\outside.tvo|" << QStringList();
    QTest::newRow("link out of system") << "1|链接|0|link.tvo|" << QStringList();
    QTest::newRow("folder as library") << "1|文件夹|0|folder.tvo|" << QStringList();
}

void TestHost::failuresShowTheLoadMessage() {
    QFETCH(QString, value);
    QFETCH(QStringList, log);
    const QString outside = m_f->file("outside.tvo");
    QFile::copy(QStringLiteral(TEST_PLUGIN_COMPLETE), outside);
    QFile::link(outside, m_f->file("system/link.tvo"));
    QDir().mkpath(m_f->file("system/folder.tvo"));
    QDir().mkpath(m_f->file("time/001.bos"));
    {
        QFile big(m_f->file("text/001.bos"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(17 * 1024 * 1024)); // sparse, but larger than any code file
    }
    const char *button = "ToolButton_Good";
    QString section = QStringLiteral("Good");
    if (QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("code file is a folder")) {
        button = "ToolButton_Time";
        section = QStringLiteral("Time");
    } else if (QString::fromLatin1(QTest::currentDataTag()) ==
               QLatin1String("code file too large")) {
        button = "ToolButton_Text";
        section = QStringLiteral("Text");
    }
    value.replace(QLatin1String("OUTSIDE"), outside);
    m_f->writeGb("system/efx.tvo",
                 QLatin1Char('[') + section + "]\nNumber=1\n" + section + "001=" + value + "\n");
    m_f->clickCategory(button);
    m_f->code()->setPlainText(QStringLiteral("之前的文字"));
    m_f->takePluginLog();
    m_f->select(0);
    const auto messages = m_f->takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, kLoadFailed);
    QCOMPARE(messages[0].caption, QStringLiteral("警告"));
    QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);
    QCOMPARE(m_f->codeText(), QString());
    QVERIFY(!host()->PluginActive);
    QCOMPARE(m_f->takePluginLog(), log);
    QVERIFY(!pluginForm());
    QVERIFY(m_f->button("SpeedButton_Save")->isEnabled()); // the output controls stay enabled
}

void TestHost::closingUnloadsTheOnePluginOnce() {
    m_f->select(0);
    m_f->takePluginLog();
    QTest::mouseClick(m_f->button("Image_Close"), Qt::LeftButton);
    QCOMPARE(m_f->takePluginLog(), (QStringList{"CloseForm", "unload"}));
    QVERIFY(!host()->PluginActive);
    m_f->close(); // the destroy handler finds nothing left to unload
    QVERIFY(m_f->takePluginLog().isEmpty());
}

void TestHost::destroyingTheWindowUnloadsThePlugin() {
    m_f->select(2);
    m_f->takePluginLog();
    m_f->close();
    QCOMPARE(m_f->takePluginLog(), (QStringList{"CloseForm", "unload"}));
}

QTEST_MAIN(TestHost)
#include "test_host.moc"
