// Damaged and hostile catalogue files through the real main window: the
// list shows what the file really holds, bounded, the first entry still
// loads, nothing hangs or crashes, and the file is never changed.
#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"
#include "platform/AppMessageBox.h"
#include "platform/Gb2312.h"
#include "platform/PrivateProfile.h"
#include "support/MainWindowFixture.h"

#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray Gb(const char *utf8) {
    return platform::toGb(QString::fromUtf8(utf8));
}

QByteArray Utf16(const QString &text, bool bigEndian) {
    QByteArray bytes;
    for (QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low);
        bytes.append(bigEndian ? low : high);
    }
    return bytes;
}

QByteArray RandomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

const QByteArray kOneEntry = Gb("[Good]\nNumber=1\nGood001=0|一|0|\n");

} // namespace

class TestBadCatalogues : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listShowsWhatTheFileHolds_data();
    void listShowsWhatTheFileHolds();
    void personalCatalogueIsBoundedToo();

private:
    QListView *list() const {
        return m_f->form()->findChild<QListView *>(QStringLiteral("ListView_EfxName"));
    }
    QString countLabel() const;
    std::unique_ptr<MainWindowFixture> m_f;
};

void TestBadCatalogues::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->writeGb("system/001.bos", "<p>一</p>");
}

void TestBadCatalogues::cleanup() {
    m_f.reset();
}

QString TestBadCatalogues::countLabel() const {
    return m_f->form()->findChild<QLabel *>(QStringLiteral("Label_EfxNumber"))->text();
}

void TestBadCatalogues::listShowsWhatTheFileHolds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("captions"); // the first ones, in order

    const QString a397 = QString(397, QLatin1Char('a'));
    const QStringList none;
    QTest::newRow("empty") << QByteArray() << 0 << none;
    QTest::newRow("UTF-8 byte-order mark only") << QByteArray("\xEF\xBB\xBF") << 0 << none;
    QTest::newRow("UTF-16 byte-order mark only") << QByteArray("\xFF\xFE") << 0 << none;
    QTest::newRow("UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF") + kOneEntry << 1 << QStringList{"一"};

    const QString utf16 = QStringLiteral("[Good]\r\nNumber=2\r\nGood001=0|一号|0|\r\n"
                                         "Good002=0|二号|0|\r\n");
    QTest::newRow("UTF-16 little-endian")
        << QByteArray("\xFF\xFE") + Utf16(utf16, false) << 2 << QStringList{"一号", "二号"};
    QTest::newRow("UTF-16 big-endian")
        << QByteArray("\xFE\xFF") + Utf16(utf16, true) << 2 << QStringList{"一号", "二号"};
    QTest::newRow("UTF-16 without byte-order mark") << Utf16(utf16, false) << 0 << none;
    // A lone surrogate is written as one substitution byte: the cut keeps
    // 399 bytes and no more.
    QTest::newRow("UTF-16, lone surrogate before the cut")
        << QByteArray("\xFF\xFE") + Utf16(QStringLiteral("[Good]\r\nNumber=1\r\nGood001=0|") +
                                              QString(395, QLatin1Char('a')) + QChar(0xD800) +
                                              QStringLiteral("bcdef\r\n"),
                                          false)
        << 1
        << QStringList{QStringLiteral("0|") + QString(395, QLatin1Char('a')) + QChar(0xD800) +
                       QLatin1Char('b')};

    QTest::newRow("random bytes, then a section")
        << RandomBytes(64 * 1024, 1) + Gb("\n[Good]\nNumber=1\nGood001=0|可见|0|\n") << 1
        << QStringList{"可见"};
    QTest::newRow("a section, then random bytes")
        << Gb("[Good]\nNumber=2\nGood001=0|前|0|\n") + RandomBytes(64 * 1024, 2) << 2
        << QStringList{"前"};
    QTest::newRow("NUL inside a value")
        << Gb("[Good]\nNumber=2\nGood001=0|前") + QByteArray(1, '\0') +
               Gb("后|0|\nGood002=0|乙|0|\n")
        << 2 << QStringList{QStringLiteral("前") + QChar(0) + QStringLiteral("后"), "乙"};
    QTest::newRow("NUL bytes only") << QByteArray(1024 * 1024, '\0') << 0 << none;
    QTest::newRow("NUL bytes before the section")
        << QByteArray(3, '\0') + "\n" + kOneEntry << 1 << QStringList{"一"};

    const QByteArray tenMegabytes(10 * 1024 * 1024, 'x');
    QTest::newRow("10 MB line in a value")
        << Gb("[Good]\nNumber=2\nGood001=0|长|0|") + tenMegabytes + Gb("|\nGood002=0|短|0|\n") << 2
        << QStringList{"长", "短"};
    QTest::newRow("10 MB value without a bar")
        << Gb("[Good]\nNumber=1\nGood001=0|") + tenMegabytes + "\n"
        << 1 << QStringList{QStringLiteral("0|") + QString(397, QLatin1Char('x'))};
    QTest::newRow("10 MB line before the section")
        << tenMegabytes + "\n" + kOneEntry << 1 << QStringList{"一"};

    // Values of 399, 400 and 401 bytes; no bar from position 3 on, so the
    // caption is the value as read, cut to 399 bytes, never inside a
    // character.
    auto value = [](const QString &v) {
        return Gb("[Good]\nNumber=1\nGood001=") + platform::toGb(v);
    };
    QTest::newRow("399 bytes") << value("0|" + a397) << 1 << QStringList{"0|" + a397};
    QTest::newRow("400 bytes") << value("0|" + a397 + "a") << 1 << QStringList{"0|" + a397};
    QTest::newRow("401 bytes") << value("0|" + a397 + "aa") << 1 << QStringList{"0|" + a397};
    const QString a395 = QString(395, QLatin1Char('a'));
    const QString a396 = QString(396, QLatin1Char('a'));
    QTest::newRow("399 bytes, double-byte character at 398-399")
        << value("0|" + a395 + "中") << 1 << QStringList{"0|" + a395 + "中"};
    QTest::newRow("400 bytes, double-byte character across 399")
        << value("0|" + a396 + "中") << 1 << QStringList{"0|" + a396};
    QTest::newRow("401 bytes, double-byte character across 399")
        << value("0|" + a396 + "中b") << 1 << QStringList{"0|" + a396};
    QTest::newRow("four-byte character across 399")
        << value("0|" + a395 + QString::fromUtf8("😀")) << 1 << QStringList{"0|" + a395};

    QTest::newRow("lone lead byte at the end of the file")
        << Gb("[Good]\nNumber=1\nGood001=0|尾") + "\xB0" << 1
        << QStringList{QStringLiteral("0|尾") + QChar(0xFFFD)};
    QTest::newRow("lone lead byte at the end of a line")
        << Gb("[Good]\r\nNumber=2\r\nGood001=0|甲") + "\xB0\r\n" + Gb("Good002=0|乙|0|\r\n") << 2
        << QStringList{QStringLiteral("0|甲") + QChar(0xFFFD), "乙"};
    // As in code page 936, a lead byte takes the bar after it as its trail
    // byte.
    QTest::newRow("lead byte before a bar")
        << Gb("[Good]\nNumber=1\nGood001=0|甲") + "\xB0|0|\n"
        << 1 << QStringList{QStringLiteral("甲") + QChar(0x7698) + QLatin1Char('0')};

    QTest::newRow("CR-only line ends") << Gb("[Good]\rNumber=2\rGood001=0|一|0|\rGood002=0|二|0|\r")
                                       << 2 << QStringList{"一", "二"};
    QTest::newRow("mixed line ends")
        << Gb("[Good]\r\nNumber=3\nGood001=0|一|0|\rGood002=0|二|0|\r\n\n\rGood003=0|三|0|") << 3
        << QStringList{"一", "二", "三"};
    QTest::newRow("LF CR pairs") << Gb("[Good]\n\rNumber=1\n\rGood001=0|一|0|\n\r") << 1
                                 << QStringList{"一"};

    QTest::newRow("[abc without ]")
        << Gb("[abc\nNumber=5\nGood001=0|错|0|\n[Good]\nNumber=1\nGood001=0|一|0|\n") << 1
        << QStringList{"一"};
    QTest::newRow("[Good without ]")
        << Gb("[Good\nNumber=1\nGood001=0|一|0|\n") << 1 << QStringList{"一"};
    QTest::newRow("text after ]") << Gb("[Good] ; note\nNumber=1\nGood001=0|一|0|\n") << 1
                                  << QStringList{"一"};
    QTest::newRow("duplicate sections")
        << Gb("[Good]\nNumber=1\nGood001=0|一|0|\n[GOOD]\nNumber=3\nGood002=0|后|0|\n"
              "[Good]\nNumber=9\n")
        << 1 << QStringList{"一"};
    QTest::newRow("keys differing in case")
        << Gb("[good]\nnumber=2\nGOOD001=0|甲|0|\ngood001=0|重复|0|\nGood002=0|乙|0|\nNUMBER=5\n")
        << 2 << QStringList{"甲", "乙"};

    const int bound = CategoryBrowser::MaxListedEntries;
    QTest::newRow("Number 2,000,000,000")
        << Gb("[Good]\nNumber=2000000000\nGood001=0|一|0|\n") << bound << QStringList{"一", ""};
    QTest::newRow("Number beyond int")
        << Gb("[Good]\nNumber=99999999999999999999\nGood001=0|一|0|\n") << bound
        << QStringList{"一"};
    QTest::newRow("negative Number") << Gb("[Good]\nNumber=-3\nGood001=0|一|0|\n") << 0 << none;
    QTest::newRow("Number not a number")
        << Gb("[Good]\nNumber=abc\nGood001=0|一|0|\n") << 0 << none;
    QTest::newRow("entries beyond Number")
        << Gb("[Good]\nNumber=1\nGood001=0|一|0|\nGood002=0|二|0|\n") << 1 << QStringList{"一"};
    QTest::newRow("huge entry index")
        << Gb("[Good]\nNumber=2\nGood001=0|一|0|\nGood999999999=0|远|0|\nGood2147483648=0|溢|0|\n")
        << 2 << QStringList{"一", ""};

    QByteArray manySections;
    for (int i = 0; i < 100000; ++i)
        manySections += "[s" + QByteArray::number(i) + "]\nk=v\n";
    QTest::newRow("100,000 other sections") << manySections + kOneEntry << 1 << QStringList{"一"};
}

void TestBadCatalogues::listShowsWhatTheFileHolds() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QFETCH(QStringList, captions);
    m_f->writeBytes("system/efx.tvo", bytes);
    m_f->open();

    QAbstractItemModel *model = list()->model();
    QCOMPARE(model->rowCount(), count);
    QCOMPARE(countLabel(), QStringLiteral("妙码特效：%1个").arg(count));
    for (int row = 0; row < captions.size(); ++row)
        QCOMPARE(model->index(row, 0).data().toString(), captions.at(row));

    if (count > 0) {
        // The first entry still loads; one far down the list has no code
        // file and says so.
        m_f->form()->browser()->SelectItem(0);
        QCOMPARE(m_f->codeText(), QStringLiteral("<p>一</p>"));
        QVERIFY(m_f->takeMessages().isEmpty());
        if (count > 1) {
            m_f->form()->browser()->SelectItem(count - 1);
            const auto messages = m_f->takeMessages();
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].text, QStringLiteral("加载该特效失败！"));
            QCOMPARE(messages[0].caption, QStringLiteral("警告"));
            QCOMPARE(messages[0].flags, platform::MB_ICONSTOP_OK);
            QCOMPARE(m_f->codeText(), QString());
        }
    }
    // Refilling reads the same again; the file is only ever read.
    m_f->clickCategory("ToolButton_Time");
    m_f->clickCategory("ToolButton_Good");
    QCOMPARE(list()->model()->rowCount(), count);
    QCOMPARE(m_f->readBytes("system/efx.tvo"), bytes);
    QVERIFY(m_f->takeMessages().isEmpty());
}

void TestBadCatalogues::personalCatalogueIsBoundedToo() {
    const QByteArray bytes = Gb("[Personal]\r\nNumber=2000000000\r\nPersonal001=0|我的|0|") +
                             platform::toGb(m_f->file("system/001.bos")) + "|\r\n";
    m_f->writeBytes("system/personal.tvo", bytes);
    m_f->open();
    m_f->clickCategory("ToolButton_Personal");
    QCOMPARE(list()->model()->rowCount(), CategoryBrowser::MaxListedEntries);
    QCOMPARE(countLabel(), QStringLiteral("个人特效：%1个").arg(CategoryBrowser::MaxListedEntries));
    m_f->form()->browser()->SelectItem(0);
    QCOMPARE(m_f->codeText(), QStringLiteral("<p>一</p>"));
    QVERIFY(m_f->takeMessages().isEmpty());
    QCOMPARE(m_f->readBytes("system/personal.tvo"), bytes);
}

QTEST_MAIN(TestBadCatalogues)
#include "TestBadCatalogues.moc"
