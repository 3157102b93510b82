// Effect code files that are missing, not files at all, endless or badly
// encoded, for plain and Personal entries: the load message where nothing
// can be read, and everything else shown as the file holds it. Nothing may
// block: FIFOs and devices are never opened.
#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"
#include "platform/AppMessageBox.h"
#include "platform/Gb2312.h"
#include "support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString kLoadFailed = QStringLiteral("加载该特效失败！");

QByteArray Gb(const char *utf8) {
    return platform::toGb(QString::fromUtf8(utf8));
}

} // namespace

class TestBadCodeFiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void codeFileIsShownOrRefused_data();
    void codeFileIsShownOrRefused();

private:
    // Makes `path` (absolute) the thing a case names.
    void make(const QString &kind, const QString &path);
    std::unique_ptr<MainWindowFixture> m_f;
};

void TestBadCodeFiles::init() {
    m_f = std::make_unique<MainWindowFixture>();
}

void TestBadCodeFiles::cleanup() {
    m_f.reset();
}

void TestBadCodeFiles::make(const QString &kind, const QString &path) {
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("missing")) {
        return;
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("FIFO")) {
        QCOMPARE(::mkfifo(native.constData(), 0644), 0);
    } else if (kind == QLatin1String("link to a FIFO")) {
        const QString fifo = path + QStringLiteral(".fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        QVERIFY(QFile::link(fifo, path));
    } else if (kind.startsWith(QLatin1String("link to /dev/"))) {
        QVERIFY(QFile::link(kind.mid(8), path));
    } else if (kind == QLatin1String("link to itself")) {
        QVERIFY(QFile::link(path, path));
    } else if (kind == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(path + QStringLiteral(".gone"), path));
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown kind ") + kind));
    }
}

void TestBadCodeFiles::codeFileIsShownOrRefused_data() {
    QTest::addColumn<bool>("personal");
    QTest::addColumn<QString>("kind");         // what lies at the path; "bytes" for a file
    QTest::addColumn<QByteArray>("bytes");     // the file's bytes, for "bytes"
    QTest::addColumn<QString>("personalPath"); // a Personal entry's own path, if not the file
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("text"); // what the pane shows when it loads

    const QByteArray invalid =
        "<p>\xFF" + Gb("甲") + "\x80" + Gb("乙") + "\xA1</p>\r\n" + Gb("第二行") + "\xB0";
    const QString invalidText = QStringLiteral("<p>") + QChar(0xFFFD) + QStringLiteral("甲") +
                                QChar(0xFFFD) + QStringLiteral("乙") + QChar(0xFFFD) +
                                QStringLiteral("</p>\n第二行") + QChar(0xFFFD);
    const QByteArray longLine(1024 * 1024, 'x');

    for (const bool personal : {false, true}) {
        const char *where = personal ? "Personal: " : "plain: ";
        auto row = [&](const char *name) {
            return &QTest::newRow((QByteArray(where) + name).constData());
        };
        for (const char *kind :
             {"missing", "folder", "FIFO", "link to a FIFO", "link to /dev/zero",
              "link to /dev/null", "link to /dev/urandom", "link to itself", "dangling link"})
            *row(kind) << personal << QString::fromLatin1(kind) << QByteArray() << QString()
                       << false << QString();
        *row("empty file") << personal << "bytes" << QByteArray() << QString() << true << QString();
        *row("invalid GB2312 bytes")
            << personal << "bytes" << invalid << QString() << true << invalidText;
        *row("NUL bytes") << personal << "bytes" << Gb("前") + QByteArray(2, '\0') + Gb("后\n")
                          << QString() << true
                          << QStringLiteral("前") + QChar(0) + QChar(0) + QStringLiteral("后\n");
        *row("CR-only line ends") << personal << "bytes" << Gb("一\r二\r\r三") << QString() << true
                                  << QStringLiteral("一\n二\n\n三");
        *row("a 1 MB line") << personal << "bytes" << longLine + "\r\nend" << QString() << true
                            << QString::fromLatin1(longLine + "\nend");
    }
    // Paths only a Personal entry can name.
    for (const char *path : {"/dev/zero", "/dev/null", "/proc/self/mem", "/", ""})
        QTest::newRow(QByteArray("Personal: ").append(path).constData())
            << true << "missing" << QByteArray() << QString::fromLatin1(path) << false << QString();
}

void TestBadCodeFiles::codeFileIsShownOrRefused() {
    QFETCH(bool, personal);
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, personalPath);
    QFETCH(bool, loads);
    QFETCH(QString, text);

    const QString file = personal ? m_f->file("own/我的.htm") : m_f->file("time/001.bos");
    if (kind == QLatin1String("bytes"))
        m_f->writeBytes(QDir(m_f->path()).relativeFilePath(file), bytes);
    else
        make(kind, file);
    if (QTest::currentTestFailed())
        return;
    m_f->writeGb("system/efx.tvo", "[Time]\nNumber=2\nTime001=0|坏文件|0|\nTime002=0|好|0|\n");
    m_f->writeGb("time/002.bos", "之前的代码");
    m_f->writeGb("system/personal.tvo",
                 QStringLiteral("[Personal]\nNumber=2\nPersonal001=0|坏文件|0|%1|\n"
                                "Personal002=0|好|0|%2|\n")
                     .arg(personalPath.isNull() ? file : personalPath, m_f->file("time/002.bos")));
    m_f->open();
    m_f->clickCategory(personal ? "ToolButton_Personal" : "ToolButton_Time");
    m_f->select(1);
    QCOMPARE(m_f->codeText(), QStringLiteral("之前的代码"));

    m_f->select(0);
    const auto messages = m_f->takeMessages();
    if (loads) {
        QVERIFY(messages.isEmpty());
        QCOMPARE(m_f->codeText(), text);
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, kLoadFailed);
        QCOMPARE(messages[0].caption, QStringLiteral("警告"));
        QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);
        QCOMPARE(m_f->codeText(), QString());
    }
    QVERIFY(m_f->button("SpeedButton_Save")->isEnabled());
    if (kind == QLatin1String("bytes")) {
        QCOMPARE(m_f->readBytes(QDir(m_f->path()).relativeFilePath(file)), bytes);
    }

    // The next selection works as before, wrapped at word boundaries again.
    m_f->select(1);
    QCOMPARE(m_f->codeText(), QStringLiteral("之前的代码"));
    QCOMPARE(m_f->code()->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QVERIFY(m_f->takeMessages().isEmpty());
}

QTEST_MAIN(TestBadCodeFiles)
#include "TestBadCodeFiles.moc"
