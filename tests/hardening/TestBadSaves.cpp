// Saving and previewing where writing fails or leads somewhere unexpected:
// the target is a folder, a FIFO, a device or a link, the folder is
// read-only or its disk is full, images collide with the page or are not
// files. Every case drives the real save dialog; afterwards every file that
// was there before is as it was (the page replaced only where that is the
// point), nothing half-written is left behind, and nothing hangs.
#include "PrivateMounts.h"

#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"
#include "platform/AppMessageBox.h"
#include "platform/Gb2312.h"
#include "platform/TextFile.h"
#include "support/MainWindowFixture.h"
#include "support/UrlRecorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

const char *kCatalogue = "[Good]\n"
                         "Number=4\n"
                         "Good001=0|带图片|2|a.svg|b.png|\n"
                         "Good002=0|图片撞名|4|a.svg|a.svg|page.htm|linked.svg|\n"
                         "Good003=0|不是文件的图片|4|dir.svg|fifo.svg|zero.svg|missing.svg|\n"
                         "Good004=0|大页面|0|\n";

const QByteArray kSvg("<svg>a</svg>");
const QByteArray kPng("\x89PNG\r\n\x1A\n\0\0", 10);
const QByteArray kOldPage("old page");
const QByteArray kOldImage("old image");

// One entry of a folder as lstat sees it; links are not followed.
struct Node {
    char type = '?';  // f file, d folder, l link, p FIFO, c device
    QByteArray bytes; // a file's contents, a link's target
    bool operator==(const Node &other) const { return type == other.type && bytes == other.bytes; }
};

QMap<QString, Node> Snapshot(const QString &root) {
    QMap<QString, Node> nodes;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        Node node;
        if (S_ISLNK(st.st_mode)) {
            node.type = 'l';
            node.bytes = QFile::encodeName(QFile::symLinkTarget(path));
            char target[4096];
            const ssize_t n =
                ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
            node.bytes = QByteArray(target, n > 0 ? n : 0);
        } else if (S_ISDIR(st.st_mode)) {
            node.type = 'd';
        } else if (S_ISFIFO(st.st_mode)) {
            node.type = 'p';
        } else if (S_ISCHR(st.st_mode)) {
            node.type = 'c';
        } else if (S_ISREG(st.st_mode)) {
            node.type = 'f';
            QFile f(path);
            if (f.open(QIODevice::ReadOnly))
                node.bytes = f.readAll();
        }
        nodes.insert(QDir(root).relativeFilePath(path), node);
    }
    return nodes;
}

bool MakeFifo(const QString &path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool MakeNullDevice(const QString &path) {
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

bool WriteFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() &&
           f.flush();
}

// Fills the file system of `folder` until at most `leave` bytes are free.
bool Fill(const QString &folder, qint64 leave) {
    const int fd = ::open(QFile::encodeName(folder + QStringLiteral("/filler")).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    qint64 written = 0;
    for (;;) {
        struct statvfs fs;
        if (::fstatvfs(fd, &fs) != 0 || qint64(fs.f_bavail * fs.f_frsize) <= leave)
            break;
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n <= 0)
            break;
        written += n;
    }
    ::close(fd);
    return written > 0;
}

} // namespace

class TestBadSaves : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saveLosesNothing_data();
    void saveLosesNothing();
    void previewLosesNothing_data();
    void previewLosesNothing();

private:
    // Answers the next save dialog with `path`, typed into its name field.
    void answerSaveDialog(const QString &path) { m_f->answerSaveDialog(path); }
    // A tmpfs of `bytes` on `folder`, undone in cleanup.
    bool mount(const QString &folder, qint64 bytes);
    // Sets up the folder a case saves into; a text starting with "skip: "
    // or "fail: " when that was not possible.
    QString prepare(const QString &kind, const QString &folder);

    std::unique_ptr<MainWindowFixture> m_f;
    std::unique_ptr<QTemporaryDir> m_out;
    QStringList m_mounts;
};

void TestBadSaves::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_out = std::make_unique<QTemporaryDir>();
    m_f->writeGb("system/efx.tvo", QString::fromUtf8(kCatalogue));
    for (const char *n : {"001", "002", "003"})
        m_f->writeGb(QStringLiteral("system/%1.bos").arg(QLatin1String(n)),
                     QStringLiteral("<p>新的页面 %1</p>\n第二行").arg(QLatin1String(n)));
    m_f->writeBytes("system/004.bos", QByteArray(64 * 1024, 'p'));
    m_f->writeBytes("images/a.svg", kSvg);
    m_f->writeBytes("images/b.png", kPng);
    m_f->writeBytes("images/linked.svg", "<svg>linked</svg>");
    QDir().mkpath(m_f->file("images/dir.svg"));
    MakeFifo(m_f->file("images/fifo.svg"));
    QFile::link(QStringLiteral("/dev/zero"), m_f->file("images/zero.svg"));
}

void TestBadSaves::cleanup() {
    m_f.reset();
    while (!m_mounts.isEmpty())
        PrivateMounts::Unmount(m_mounts.takeLast());
    m_out.reset();
}

bool TestBadSaves::mount(const QString &folder, qint64 bytes) {
    if (!PrivateMounts::MountTmpfs(folder, bytes))
        return false;
    m_mounts.append(folder);
    return true;
}

// Sets up the folder a case saves into (or previews from).
QString TestBadSaves::prepare(const QString &kind, const QString &folder) {
    QString problem;
    auto need = [&](bool done, const char *what) {
        if (!done && problem.isEmpty())
            problem = QStringLiteral("fail: ") + QLatin1String(what);
    };
    const QString page = folder + QStringLiteral("/page.htm");
    if (kind == QLatin1String("old page")) {
        need(WriteFile(page, kOldPage), "old page");
        need(WriteFile(folder + QStringLiteral("/a.svg"), kOldImage), "old image");
    } else if (kind == QLatin1String("folder as target")) {
        need(WriteFile(page + QStringLiteral("/keep.txt"), "kept"), "folder");
    } else if (kind == QLatin1String("link to a folder as target")) {
        need(WriteFile(folder + QStringLiteral("/real/keep.txt"), "kept"), "folder");
        need(QFile::link(QStringLiteral("real"), page), "link");
    } else if (kind == QLatin1String("FIFO as target")) {
        need(MakeFifo(page), "mkfifo");
    } else if (kind == QLatin1String("device as target")) {
        if (!MakeNullDevice(page))
            return QStringLiteral("skip: cannot create device nodes here");
    } else if (kind == QLatin1String("link to a device as target")) {
        if (!MakeNullDevice(folder + QStringLiteral("/null")))
            return QStringLiteral("skip: cannot create device nodes here");
        need(QFile::link(QStringLiteral("null"), page), "link");
    } else if (kind == QLatin1String("link to a page elsewhere")) {
        need(WriteFile(folder + QStringLiteral("/real/page.htm"), kOldPage), "old page");
        need(QFile::link(QStringLiteral("real/page.htm"), page), "link");
    } else if (kind == QLatin1String("dangling link as target")) {
        need(QFile::link(QStringLiteral("gone.htm"), page), "link");
    } else if (kind == QLatin1String("link to itself as target")) {
        need(QFile::link(page, page), "link");
    } else if (kind == QLatin1String("image is a link to the page")) {
        need(QFile::link(QStringLiteral("page.htm"), folder + QStringLiteral("/linked.svg")),
             "link");
    } else if (kind == QLatin1String("image is a folder")) {
        need(WriteFile(folder + QStringLiteral("/a.svg/keep.txt"), "kept"), "folder");
    } else if (kind == QLatin1String("images are not files")) {
        // the entry's images are a folder, a FIFO and a link to /dev/zero
    } else if (kind.startsWith(QLatin1String("read-only folder")) ||
               kind.startsWith(QLatin1String("full disk")) ||
               kind.startsWith(QLatin1String("nearly full disk"))) {
        if (!PrivateMounts::Available())
            return QStringLiteral("skip: no private mounts: ") + PrivateMounts::Reason();
        const bool nearly = kind.startsWith(QLatin1String("nearly"));
        need(mount(folder, nearly ? 128 * 1024 : 64 * 1024), "mount tmpfs");
        need(WriteFile(page, kOldPage), "old page");
        need(WriteFile(folder + QStringLiteral("/a.svg"), kOldImage), "old image");
        if (kind.startsWith(QLatin1String("read-only")))
            need(PrivateMounts::MakeReadOnly(folder), "read-only remount");
        else
            need(Fill(folder, nearly ? 16 * 1024 : 0), "fill the disk");
    } else if (kind != QLatin1String("nothing")) {
        need(false, "unknown case");
    }
    return problem;
}

void TestBadSaves::saveLosesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("intoImages"); // save into the program's images folder
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QStringList>("changed"); // files that now hold the new page
    QTest::addColumn<QStringList>("added");   // files new in the folder

    const int yes = platform::ID_YES;
    const int no = platform::ID_NO;
    const QStringList none;
    const QStringList images{"a.svg", "b.png"};
    // The harness itself: a plain overwrite replaces the page and the image,
    // and answering No changes nothing.
    QTest::newRow("old page, Yes") << "old page" << 0 << false << "page" << yes << true
                                   << QStringList{"page.htm"} << QStringList{"b.png"};
    QTest::newRow("old page, No") << "old page" << 0 << false << "page" << no << true << none
                                  << none;

    QTest::newRow("folder as target")
        << "folder as target" << 0 << false << "page" << yes << true << none << images;
    QTest::newRow("link to a folder as target")
        << "link to a folder as target" << 0 << false << "page" << yes << true << none << images;
    QTest::newRow("FIFO as target")
        << "FIFO as target" << 0 << false << "page" << yes << true << none << images;
    QTest::newRow("device as target")
        << "device as target" << 0 << false << "page" << yes << true << none << images;
    QTest::newRow("link to a device as target")
        << "link to a device as target" << 0 << false << "page" << yes << true << none << images;
    // A link is written through, as any editor does: the page lands in the
    // file it points to, and the link stays.
    QTest::newRow("link to a page elsewhere")
        << "link to a page elsewhere" << 0 << false << "page" << yes << true
        << QStringList{"real/page.htm"} << images;
    QTest::newRow("dangling link as target")
        << "dangling link as target" << 0 << false << "page" << yes << false << none
        << QStringList{"gone.htm", "a.svg", "b.png"};
    QTest::newRow("link to itself as target") << "link to itself as target" << 0 << false << "page"
                                              << yes << false << QStringList{"page.htm"} << images;

    QTest::newRow("read-only folder")
        << "read-only folder" << 0 << false << "page" << yes << true << none << none;
    QTest::newRow("read-only folder, new name")
        << "read-only folder, new name" << 0 << false << "new" << yes << false << none << none;
    QTest::newRow("full disk") << "full disk" << 0 << false << "page" << yes << true << none
                               << none;
    QTest::newRow("full disk, new name")
        << "full disk, new name" << 0 << false << "new" << yes << false << none << none;
    QTest::newRow("nearly full disk, large page")
        << "nearly full disk, large page" << 3 << false << "page" << yes << true << none << none;

    // Images: named twice, named like the page, a link to the page, a
    // folder at the destination, sources that are no files.
    QTest::newRow("image is a link to the page")
        << "image is a link to the page" << 1 << false << "page" << yes << false << none
        << QStringList{"page.htm", "a.svg"};
    QTest::newRow("image is a folder") << "image is a folder" << 0 << false << "page" << yes
                                       << false << none << QStringList{"page.htm", "b.png"};
    QTest::newRow("images are not files") << "images are not files" << 2 << false << "page" << yes
                                          << false << none << QStringList{"page.htm"};
    QTest::newRow("page saved beside the program's images")
        << "nothing" << 0 << true << "page" << yes << false << none << QStringList{"page.htm"};
}

void TestBadSaves::saveLosesNothing() {
    QFETCH(QString, kind);
    QFETCH(int, row);
    QFETCH(bool, intoImages);
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(QStringList, changed);
    QFETCH(QStringList, added);

    const QString folder = intoImages ? m_f->file("images") : m_out->path();
    const QString problem = prepare(kind, folder);
    if (problem.startsWith(QLatin1String("skip: ")))
        QSKIP(qPrintable(problem.mid(6)));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QMap<QString, Node> before = Snapshot(folder);

    m_f->open();
    m_f->select(row);
    const QByteArray pageBytes = platform::PageBytes(m_f->codeText());
    QVERIFY(m_f->takeMessages().isEmpty());
    m_f->queueAnswer(answer);
    answerSaveDialog(folder + QLatin1Char('/') + typed);
    QTest::mouseClick(m_f->button("SpeedButton_Save"), Qt::LeftButton);
    QCOMPARE(m_f->saveDialog().shown, 1);
    QVERIFY(!m_f->saveDialog().stayedOpen);

    const auto messages = m_f->takeMessages();
    QCOMPARE(messages.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(messages[0].text, QStringLiteral("文件已经存在,是否覆盖?"));
        QCOMPARE(messages[0].flags, platform::MB_QUESTION_YESNO);
    }

    // Everything that was there is as it was, but for the files the page
    // replaced; the new files are the page and the images, whole.
    const QMap<QString, Node> after = Snapshot(folder);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QString &name = it.key();
        QVERIFY2(after.contains(name), qPrintable(name + QStringLiteral(" is gone")));
        if (changed.contains(name)) {
            QCOMPARE(after[name].type, 'f');
            QCOMPARE(after[name].bytes, pageBytes);
            continue;
        }
        // An image beside the page may be replaced, but only whole, by the
        // program's own.
        const QByteArray image = name == QLatin1String("a.svg")   ? kSvg
                                 : name == QLatin1String("b.png") ? kPng
                                                                  : QByteArray();
        const bool replacedImage =
            !image.isEmpty() && after[name].type == 'f' && after[name].bytes == image;
        QVERIFY2(after[name] == it.value() || replacedImage,
                 qPrintable(name + QStringLiteral(" changed: ") +
                            QString::fromLatin1(it.value().bytes.left(60).toPercentEncoding()) +
                            QStringLiteral(" became ") + QChar::fromLatin1(after[name].type) +
                            QLatin1Char(' ') +
                            QString::fromLatin1(after[name].bytes.left(60).toPercentEncoding())));
    }
    if (kind == QLatin1String("old page") && answer == platform::ID_YES)
        QCOMPARE(after.value(QStringLiteral("a.svg")).bytes, kSvg);
    QStringList actuallyAdded;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.contains(it.key()))
            continue;
        actuallyAdded.append(it.key());
        QCOMPARE(it.value().type, 'f');
        if (it.key() == QLatin1String("a.svg"))
            QCOMPARE(it.value().bytes, kSvg);
        else if (it.key() == QLatin1String("b.png"))
            QCOMPARE(it.value().bytes, kPng);
        else
            QCOMPARE(it.value().bytes, pageBytes);
    }
    QStringList expectedAdded = added;
    for (const QString &name : before.keys())
        expectedAdded.removeAll(name);
    actuallyAdded.sort();
    expectedAdded.sort();
    QCOMPARE(actuallyAdded, expectedAdded);
}

void TestBadSaves::previewLosesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only images folder") << "read-only";
    QTest::newRow("example.htm is a FIFO") << "FIFO";
    QTest::newRow("example.htm links to a device") << "device";
    QTest::newRow("example.htm is a folder") << "folder";
}

void TestBadSaves::previewLosesNothing() {
    QFETCH(QString, kind);
    const QString images = m_f->file("images");
    const QString example = images + QStringLiteral("/example.htm");
    if (kind == QLatin1String("read-only")) {
        if (!PrivateMounts::Available())
            QSKIP(qPrintable(QStringLiteral("no private mounts: ") + PrivateMounts::Reason()));
        QVERIFY(mount(images, 64 * 1024));
        QVERIFY(WriteFile(example, "old preview"));
        QVERIFY(WriteFile(images + QStringLiteral("/a.svg"), kSvg));
        QVERIFY(PrivateMounts::MakeReadOnly(images));
    } else if (kind == QLatin1String("FIFO")) {
        QVERIFY(MakeFifo(example));
    } else if (kind == QLatin1String("device")) {
        if (!MakeNullDevice(images + QStringLiteral("/null")))
            QSKIP("cannot create device nodes here");
        QVERIFY(QFile::link(QStringLiteral("null"), example));
    } else {
        QVERIFY(WriteFile(example + QStringLiteral("/keep.txt"), "kept"));
    }
    const QMap<QString, Node> before = Snapshot(images);
    UrlRecorder urls({QStringLiteral("file")});
    m_f->open();
    m_f->select(0);
    QTest::mouseClick(m_f->button("SpeedButton_Preview"), Qt::LeftButton);
    // Nothing written, nothing lost, and the shell is still asked to open
    // the page.
    QCOMPARE(Snapshot(images), before);
    QCOMPARE(urls.urls, QList<QUrl>{QUrl::fromLocalFile(example)});
    QVERIFY(m_f->takeMessages().isEmpty());
}

int main(int argc, char **argv) {
    // Before any thread exists: the mount namespace is the whole process's.
    PrivateMounts::Enter();
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    TestBadSaves test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestBadSaves.moc"
