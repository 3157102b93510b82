// Every file the program and the personal effects box write (pages, images,
// the user's catalogue and code files) goes through WriteFileAtomically: on a
// full or read-only file system the old file must stay as it was and the
// call must fail.
#include "PrivateMounts.h"
#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

class TestPersonalWrites : public QObject {
    Q_OBJECT
private slots:
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
};

void TestPersonalWrites::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("newBytes");
    // Small files are what the box writes most: a catalogue of a few entries.
    QTest::newRow("full disk, small file") << "full" << 200;
    QTest::newRow("full disk, large file") << "full" << 64 * 1024;
    QTest::newRow("read-only, small file") << "read-only" << 200;
}

void TestPersonalWrites::failedWriteKeepsTheOldFile() {
    QFETCH(QString, kind);
    QFETCH(int, newBytes);
    if (!PrivateMounts::Available())
        QSKIP(qPrintable(QStringLiteral("no private mounts: ") + PrivateMounts::Reason()));
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/system");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(PrivateMounts::MountTmpfs(folder, 64 * 1024));
    const QString path = folder + QStringLiteral("/personal.tvo");
    const QByteArray old("[Personal]\r\nNumber=1\r\nPersonal001=0|mine|0|a.htm|\r\n");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(old), old.size());
    }
    if (kind == QLatin1String("read-only")) {
        QVERIFY(PrivateMounts::MakeReadOnly(folder));
    } else {
        const int fd = ::open(QFile::encodeName(folder + QStringLiteral("/filler")).constData(),
                              O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        const QByteArray block(4096, 'f');
        while (::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        ::close(fd);
    }

    QString error;
    const bool written = platform::WriteFileAtomically(path, QByteArray(newBytes, 'n'), &error);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray now = f.readAll();
    f.close();
    PrivateMounts::Unmount(folder);
    QCOMPARE(now, old);
    QVERIFY2(!written, "the write reported success");
    QVERIFY(!error.isEmpty());
}

int main(int argc, char **argv) {
    PrivateMounts::Enter(); // before any thread exists
    QCoreApplication app(argc, argv);
    TestPersonalWrites test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestPersonalWrites.moc"
