// Plug-in entries whose library is damaged, foreign, incomplete, failing or
// named to lead out of "system/": the load message, nothing marked active,
// nothing of the library left in memory, and the next good plug-in loads as
// if nothing had happened.
#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"
#include "host/EffectHost.h"
#include "platform/AppMessageBox.h"
#include "support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString kLoadFailed = QStringLiteral("加载该特效失败！");

// A 64-bit little-endian ELF header of a shared object for `machine`, padded
// to a page: what a library built for another processor starts with.
QByteArray ElfHeader(quint16 machine, bool is64Bit) {
    QByteArray header(4096, '\0');
    char *h = header.data();
    h[0] = 0x7F;
    h[1] = 'E';
    h[2] = 'L';
    h[3] = 'F';
    h[4] = is64Bit ? 2 : 1;              // class
    h[5] = 1;                            // little-endian
    h[6] = 1;                            // version
    qToLittleEndian<quint16>(3, h + 16); // ET_DYN
    qToLittleEndian<quint16>(machine, h + 18);
    qToLittleEndian<quint32>(1, h + 20);
    qToLittleEndian<quint16>(is64Bit ? 64 : 52, h + (is64Bit ? 52 : 40)); // header size
    return header;
}

constexpr quint16 EM_X86_64_ = 62;
constexpr quint16 EM_AARCH64_ = 183;

QByteArray FileBytes(const QString &path, qsizetype count = -1) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return count < 0 ? f.readAll() : f.read(count);
}

// Files under `folder` that this process has mapped: libraries still loaded.
QStringList MappedFilesUnder(const QString &folder) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    QStringList files;
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(cannot read /proc/self/maps)")};
    const QString canonical = QDir(folder).canonicalPath() + QLatin1Char('/');
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QString file = QString::fromLocal8Bit(line.mid(slash));
        if ((file.startsWith(canonical) || file.startsWith(folder)) && !files.contains(file))
            files.append(file);
    }
    return files;
}

} // namespace

class TestBadPlugins : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void badLibraryIsRefused_data();
    void badLibraryIsRefused();
    void linkWithinSystemLoads();
    void truncatedPersonalBoxIsRefused();

private:
    EffectHost *host() const { return m_f->form()->host(); }
    QWidget *pluginForm() const {
        return m_f->form()->findChild<QWidget *>(QStringLiteral("TestPluginForm"));
    }
    void expectRefused(const QStringList &log);
    void expectGoodPluginShown();
    std::unique_ptr<MainWindowFixture> m_f;
};

void TestBadPlugins::init() {
    m_f = std::make_unique<MainWindowFixture>();
    const QString system = m_f->file("system/");
    const QByteArray complete = FileBytes(QStringLiteral(TEST_PLUGIN_COMPLETE));
    QVERIFY(complete.size() > 1000);
    m_f->writeBytes("system/empty.tvo", QByteArray());
    m_f->writeBytes("system/truncated.tvo", complete.left(1000));
    m_f->writeBytes("system/header.tvo", complete.left(64));
    m_f->writeBytes("system/aarch64.tvo", ElfHeader(EM_AARCH64_, true));
    m_f->writeBytes("system/elf32.tvo", ElfHeader(EM_X86_64_, false));
    m_f->writeBytes("system/nosections.tvo", ElfHeader(EM_X86_64_, true));
    m_f->installLibrary(QStringLiteral(HARDENING_PLUGIN_UNRESOLVED),
                        QStringLiteral("unresolved.tvo"));
    m_f->installLibrary(QStringLiteral(HARDENING_PLUGIN_NO_EXPORTS),
                        QStringLiteral("noexports.tvo"));
    QVERIFY(QFile::copy(QStringLiteral("/bin/true"), system + QStringLiteral("program.tvo")));
    QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_COMPLETE), m_f->file("outside.tvo")));
    QDir().mkpath(system + QStringLiteral("sub"));
    QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_COMPLETE),
                        system + QStringLiteral("sub/complete.tvo")));
    QVERIFY(QFile::link(m_f->file("outside.tvo"), system + QStringLiteral("link.tvo")));
    QVERIFY(QFile::link(QStringLiteral("../outside.tvo"),
                        system + QStringLiteral("relative-link.tvo")));
    QVERIFY(QFile::link(system + QStringLiteral("link.tvo"), system + QStringLiteral("chain.tvo")));
    QVERIFY(QFile::link(QStringLiteral("complete.tvo"), system + QStringLiteral("inside.tvo")));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), system + QStringLiteral("zero.tvo")));
    QVERIFY(QFile::link(system + QStringLiteral("loop.tvo"), system + QStringLiteral("loop.tvo")));
    QDir().mkpath(system + QStringLiteral("folder.tvo"));
    QCOMPARE(::mkfifo(QFile::encodeName(system + QStringLiteral("fifo.tvo")).constData(), 0644), 0);
}

void TestBadPlugins::cleanup() {
    m_f.reset();
}

void TestBadPlugins::badLibraryIsRefused_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("log"); // the test plug-in's calls, if it is one
    const QStringList none;
    QTest::newRow("empty file") << "empty.tvo" << none;
    QTest::newRow("text file") << "notalibrary.tvo" << none;
    QTest::newRow("the catalogue") << "efx.tvo" << none;
    QTest::newRow("truncated ELF") << "truncated.tvo" << none;
    QTest::newRow("ELF header only") << "header.tvo" << none;
    QTest::newRow("ELF without program headers") << "nosections.tvo" << none;
    QTest::newRow("wrong architecture") << "aarch64.tvo" << none;
    QTest::newRow("32-bit ELF") << "elf32.tvo" << none;
    QTest::newRow("a program, not a library") << "program.tvo" << none;
    QTest::newRow("unresolved symbol") << "unresolved.tvo" << none;
    QTest::newRow("no exports") << "noexports.tvo" << none;
    QTest::newRow("lacks OutputCode") << "nooutput.tvo" << QStringList{"load", "unload"};
    QTest::newRow("ShowForm throws")
        << "throws.tvo" << QStringList{"load", "ShowForm", "CloseForm", "unload"};
    QTest::newRow("missing") << "missing.tvo" << none;
    QTest::newRow("folder") << "folder.tvo" << none;
    QTest::newRow("FIFO") << "fifo.tvo" << none;
    QTest::newRow("link to /dev/zero") << "zero.tvo" << none;
    QTest::newRow("link to itself") << "loop.tvo" << none;
    QTest::newRow("empty name") << "" << none;
    QTest::newRow("..") << ".." << none;
    QTest::newRow(".") << "." << none;
    QTest::newRow("parent folder") << "../outside.tvo" << none;
    QTest::newRow("down and up again") << "sub/../complete.tvo" << none;
    QTest::newRow("sub-folder") << "sub/complete.tvo" << none;
    QTest::newRow("absolute path") << "OUTSIDE" << none;
    QTest::newRow("backslash") << "..\\outside.tvo" << none;
    QTest::newRow("link out of system") << "link.tvo" << none;
    QTest::newRow("relative link out of system") << "relative-link.tvo" << none;
    QTest::newRow("chain of links out of system") << "chain.tvo" << none;
}

void TestBadPlugins::expectRefused(const QStringList &log) {
    const auto messages = m_f->takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, kLoadFailed);
    QCOMPARE(messages[0].caption, QStringLiteral("警告"));
    QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);
    QVERIFY(!host()->PluginActive);
    QVERIFY(host()->CurrentEffectIsPlugin);
    QVERIFY(!pluginForm());
    QCOMPARE(m_f->codeText(), QString());
    QCOMPARE(m_f->takePluginLog(), log);
    // Nothing of the refused library (nor of one shown before) stays mapped.
    QCOMPARE(MappedFilesUnder(m_f->path()), QStringList());
    QVERIFY(m_f->button("SpeedButton_Save")->isEnabled());
}

void TestBadPlugins::expectGoodPluginShown() {
    QVERIFY(m_f->takeMessages().isEmpty());
    QVERIFY(host()->PluginActive);
    QVERIFY(pluginForm() && pluginForm()->isVisible());
    QCOMPARE(pluginForm()->parentWidget(), host()->panelCode());
    QCOMPARE(m_f->takePluginLog(), (QStringList{"load", "ShowForm"}));
    QVERIFY(!MappedFilesUnder(m_f->path()).isEmpty()); // the check above sees loaded libraries
}

void TestBadPlugins::badLibraryIsRefused() {
    QFETCH(QString, target);
    QFETCH(QStringList, log);
    target.replace(QLatin1String("OUTSIDE"), m_f->file("outside.tvo"));
    m_f->writeGb("system/efx.tvo", QStringLiteral("[Good]\nNumber=2\nGood001=1|坏插件|0|%1|\n"
                                                  "Good002=1|好插件|0|complete.tvo|\n")
                                       .arg(target));
    const QByteArray catalogue = m_f->readBytes("system/efx.tvo");
    m_f->open();
    m_f->code()->setPlainText(QStringLiteral("之前的文字"));
    m_f->takePluginLog();

    m_f->select(0);
    expectRefused(log);
    // The next plug-in loads as if nothing had happened, and is unloaded
    // cleanly before the bad one is tried again.
    m_f->select(1);
    expectGoodPluginShown();
    m_f->select(0);
    expectRefused(QStringList{"CloseForm", "unload"} + log);

    // Output commands act on the empty pane without asking anything.
    QTest::mouseClick(m_f->button("SpeedButton_Preview"), Qt::LeftButton);
    QCOMPARE(m_f->readBytes("images/example.htm"), QByteArray());
    QVERIFY(m_f->takePluginLog().isEmpty());
    QCOMPARE(m_f->readBytes("system/efx.tvo"), catalogue);
}

void TestBadPlugins::linkWithinSystemLoads() {
    // A link that stays inside "system/" names a library there like any
    // other name.
    m_f->writeGb("system/efx.tvo", "[Good]\nNumber=1\nGood001=1|链接|0|inside.tvo|\n");
    m_f->open();
    m_f->takePluginLog();
    m_f->select(0);
    expectGoodPluginShown();
}

void TestBadPlugins::truncatedPersonalBoxIsRefused() {
    // The personal effects box is loaded the same way: cut short, it is
    // refused with its own message.
    m_f->writeBytes("system/personaladd.tvo",
                    FileBytes(QStringLiteral(TEST_PLUGIN_COMPLETE)).left(1000));
    m_f->writeGb("system/efx.tvo", "[Good]\nNumber=1\nGood001=1|好插件|0|complete.tvo|\n");
    m_f->open();
    m_f->takePluginLog();
    m_f->select(0);
    expectGoodPluginShown();
    m_f->action("Personal_Efx")->trigger();
    const auto messages = m_f->takeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.startsWith(QStringLiteral("加载个人特效箱失败！")));
    QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);
    QVERIFY(!host()->PluginActive);
    QCOMPARE(m_f->takePluginLog(), (QStringList{"CloseForm", "unload"}));
    QCOMPARE(MappedFilesUnder(m_f->path()), QStringList());
}

QTEST_MAIN(TestBadPlugins)
#include "TestBadPlugins.moc"
