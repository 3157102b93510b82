// The platform layer: the private-profile reader, GB2312 text and safe file
// reading.
#include "platform/FileNames.h"
#include "platform/Gb2312.h"
#include "platform/PrivateProfile.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using platform::PrivateProfile;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void readerCases_data();
    void readerCases();
    void numberReading_data();
    void numberReading();
    void byteOrderMarksAndEncodings();
    void valuesAreCutAt399BytesWithoutSplittingACharacter();
    void textRoundTripsThroughGb();
    void pageBytesUseCrLfWithoutBom();
    void onlyRegularFilesAreRead();
    void plainFileNames_data();
    void plainFileNames();
};

void TestPlatform::readerCases_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("[Good]\r\nGood001=0|a|0|\r\n") << "Good"
                           << "Good001"
                           << "0|a|0|";
    QTest::newRow("names ignore case") << QByteArray("[gOOD]\nGOOD001=x\n") << "Good"
                                       << "good001"
                                       << "x";
    QTest::newRow("blanks trimmed") << QByteArray("  [ Good ]  \n  Key  =   v a l   \n") << "Good"
                                    << "Key"
                                    << "v a l";
    QTest::newRow("missing key") << QByteArray("[Good]\nA=1\n") << "Good"
                                 << "B"
                                 << "";
    QTest::newRow("missing section") << QByteArray("[Good]\nA=1\n") << "Time"
                                     << "A"
                                     << "";
    QTest::newRow("key before any section") << QByteArray("A=1\n[Good]\n") << "Good"
                                            << "A"
                                            << "";
    QTest::newRow("first duplicate key wins") << QByteArray("[S]\nk=first\nK=second\n") << "S"
                                              << "k"
                                              << "first";
    QTest::newRow("first duplicate section wins") << QByteArray("[S]\na=1\n[s]\na=2\nb=3\n") << "S"
                                                  << "a"
                                                  << "1";
    QTest::newRow("keys of a later duplicate section are not read")
        << QByteArray("[S]\na=1\n[s]\nb=3\n") << "S"
        << "b"
        << "";
    QTest::newRow("comment at line start") << QByteArray("[S]\n;a=1\n  ;b=2\n") << "S"
                                           << "a"
                                           << "";
    QTest::newRow("semicolon inside a value stays") << QByteArray("[S]\na=x;y\n") << "S"
                                                    << "a"
                                                    << "x;y";
    QTest::newRow("quotes removed") << QByteArray("[S]\na=\"q v\"\n") << "S"
                                    << "a"
                                    << "q v";
    QTest::newRow("single quotes removed") << QByteArray("[S]\na='q'\n") << "S"
                                           << "a"
                                           << "q";
    QTest::newRow("unmatched quotes kept") << QByteArray("[S]\na=\"q'\n") << "S"
                                           << "a"
                                           << "\"q'";
    QTest::newRow("CR-only lines") << QByteArray("[S]\ra=1\rb=2\r") << "S"
                                   << "b"
                                   << "2";
    QTest::newRow("mixed line ends") << QByteArray("[S]\r\na=1\nb=2\rc=3") << "S"
                                     << "c"
                                     << "3";
    QTest::newRow("line without equals ignored") << QByteArray("[S]\nnonsense\na=1\n") << "S"
                                                 << "a"
                                                 << "1";
    QTest::newRow("equals inside value") << QByteArray("[S]\na=b=c\n") << "S"
                                         << "a"
                                         << "b=c";
    QTest::newRow("section without bracket") << QByteArray("[abc\nk=v\n") << "abc"
                                             << "k"
                                             << "v";
    QTest::newRow("NUL bytes do not end the file") << QByteArray("[S]\na=1\0\nb=2\n", 13) << "S"
                                                   << "b"
                                                   << "2";
    QTest::newRow("GB2312 value") << QByteArray("[S]\na=\xCA\xB1\xBC\xE4\n") << "S"
                                  << "a" << QString::fromUtf8("时间");
}

void TestPlatform::readerCases() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(PrivateProfile::fromBytes(file).readString(section, key), expected);
}

void TestPlatform::numberReading_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("12") << 12;
    QTest::newRow("leading digits") << QByteArray("12abc") << 12;
    QTest::newRow("not a number") << QByteArray("abc") << 0;
    QTest::newRow("negative") << QByteArray("-5") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("two billion") << QByteArray("2000000000") << 2000000000;
    QTest::newRow("beyond int") << QByteArray("99999999999999") << INT_MAX;
}

void TestPlatform::numberReading() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    const auto profile = PrivateProfile::fromBytes("[S]\nNumber=" + value + "\n");
    QCOMPARE(profile.readInt(QStringLiteral("S"), QStringLiteral("number")), expected);
    QCOMPARE(
        PrivateProfile::fromBytes("[S]\n").readInt(QStringLiteral("S"), QStringLiteral("Number")),
        0);
}

void TestPlatform::byteOrderMarksAndEncodings() {
    // A UTF-8 byte-order mark is skipped; the rest is still GB2312.
    QCOMPARE(PrivateProfile::fromBytes("\xEF\xBB\xBF[S]\na=\xCE\xC4\n").readString(u"S", u"a"),
             QString::fromUtf8("文"));
    // A UTF-16 file with its mark is read as UTF-16.
    QString text = QStringLiteral("[S]\r\na=文字\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QCOMPARE(PrivateProfile::fromBytes(utf16).readString(u"S", u"a"), QString::fromUtf8("文字"));
    // Only a mark, or garbage: nothing to read, and no trouble.
    QCOMPARE(PrivateProfile::fromBytes("\xEF\xBB\xBF").readString(u"S", u"a"), QString());
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) % 251));
    PrivateProfile::fromBytes(garbage).readString(u"S", u"a");
    // A lone lead byte at the end of the file decodes to a replacement.
    QCOMPARE(PrivateProfile::fromBytes("[S]\na=x\xB0").readString(u"S", u"a").left(1),
             QStringLiteral("x"));
}

void TestPlatform::valuesAreCutAt399BytesWithoutSplittingACharacter() {
    struct Case {
        QByteArray value;
        int expectedBytes;
    };
    const QByteArray a398(398, 'a');
    const QList<Case> cases = {
        {QByteArray(399, 'a'), 399},
        {QByteArray(400, 'a'), 399},
        {QByteArray(401, 'a'), 399},
        // A double-byte character across byte 399 is dropped whole.
        {a398 + "\xCE\xC4" + "b", 398},
        // A double-byte character ending at byte 399 stays.
        {QByteArray(397, 'a') + "\xCE\xC4" + "b", 399},
    };
    for (const Case &c : cases) {
        const QString value =
            PrivateProfile::fromBytes("[S]\nk=" + c.value + "\n").readString(u"S", u"k");
        QCOMPARE(platform::toGb(value).size(), c.expectedBytes);
        QVERIFY(c.value.startsWith(platform::toGb(value)));
    }
    QString longValue(100000, QLatin1Char('x'));
    QCOMPARE(PrivateProfile::fromText(QStringLiteral("[S]\nk=") + longValue)
                 .readString(u"S", u"k")
                 .size(),
             399);
}

void TestPlatform::textRoundTripsThroughGb() {
    const QString text = QStringLiteral("妙码工坊 ABC “引号” —— ★ 𠀀 é");
    QCOMPARE(platform::fromGb(platform::toGb(text)), text);
    QCOMPARE(platform::toGb(QStringLiteral("妙码")), QByteArray("\xC3\xEE\xC2\xEB"));
}

void TestPlatform::pageBytesUseCrLfWithoutBom() {
    QCOMPARE(platform::PageBytes(QStringLiteral("a\n文\n")), QByteArray("a\r\n\xCE\xC4\r\n"));
}

void TestPlatform::onlyRegularFilesAreRead() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.bos"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("line1\r\nline2\rline3\n\xCE\xC4");
    f.close();
    QCOMPARE(*platform::ReadTextFile(file), QStringLiteral("line1\nline2\nline3\n文"));
    QVERIFY(!platform::ReadTextFile(file, 5));    // larger than allowed
    QVERIFY(!platform::ReadTextFile(dir.path())); // a folder
    QVERIFY(!platform::ReadTextFile(dir.filePath(QStringLiteral("missing"))));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(!platform::ReadTextFile(fifo)); // refused without opening, so it cannot block
    QVERIFY(!platform::ReadTextFile(QStringLiteral("/dev/zero")));
}

void TestPlatform::plainFileNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("name") << "tierglide.tvo" << true;
    QTest::newRow("chinese") << "图片.png" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dotdot") << ".." << false;
    QTest::newRow("up and out") << "../x.tvo" << false;
    QTest::newRow("slash") << "sub/x.tvo" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
    QTest::newRow("backslash") << "..\\x.tvo" << false;
}

void TestPlatform::plainFileNames() {
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(platform::IsPlainFileName(name), plain);
}

QTEST_APPLESS_MAIN(TestPlatform)
#include "test_platform.moc"
