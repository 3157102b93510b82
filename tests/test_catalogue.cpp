// Catalogue keys, entry accessors and the resource list.
#include "catalogue/CatalogueEntry.h"
#include "support/ProgramFolderFixture.h"

#include <QtTest>

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void padEntryIndex_data();
    void padEntryIndex();
    void captions_data();
    void captions();
    void targets_data();
    void targets();
    void resourceLists_data();
    void resourceLists();
    void badCountIsAConversionError();
    void entriesAreReadFromTheRightFileAndAfresh();
    void pluginFlag();
};

void TestCatalogue::padEntryIndex_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::newRow("0") << 0 << "Good000";
    QTest::newRow("1") << 1 << "Good001";
    QTest::newRow("9") << 9 << "Good009";
    QTest::newRow("10") << 10 << "Good010";
    QTest::newRow("99") << 99 << "Good099";
    QTest::newRow("100") << 100 << "Good100";
    QTest::newRow("1000") << 1000 << "Good1000";
}

void TestCatalogue::padEntryIndex() {
    QFETCH(int, index);
    QFETCH(QString, key);
    QCOMPARE(EntryKey(EffectCategory::Good, index), key);
    QCOMPARE(EntryKey(EffectCategory::Menu, 123), QStringLiteral("Menu123"));
    QCOMPARE(EntryKey(EffectCategory::Time, 10), QStringLiteral("Time010"));
}

void TestCatalogue::captions_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("caption");
    QTest::newRow("plug-in") << "1|Ribbon menu|0|ribbon.tvo|"
                             << "Ribbon menu";
    QTest::newRow("chinese") << "0|数字时钟|0|"
                             << "数字时钟";
    QTest::newRow("empty caption") << "0||0|"
                                   << "";
    QTest::newRow("no bar from position 3") << "0|caption"
                                            << "0|caption";
    QTest::newRow("short") << "0|"
                           << "0|";
    QTest::newRow("one character") << "x"
                                   << "x";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCatalogue::captions() {
    QFETCH(QString, value);
    QFETCH(QString, caption);
    QCOMPARE(EntryCaption(value), caption);
}

void TestCatalogue::targets_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("target");
    QTest::newRow("plug-in") << "1|Ribbon menu|0|ribbon.tvo|"
                             << "ribbon.tvo";
    QTest::newRow("images: last name") << "0|Clock banner|2|clock.gif|face.jpg|"
                                       << "face.jpg";
    QTest::newRow("personal path") << "0|我的|0|/home/u/my.htm|"
                                   << "/home/u/my.htm";
    QTest::newRow("last char not a bar is dropped") << "0|x|0|abc"
                                                    << "ab";
    QTest::newRow("one character") << "1"
                                   << "1";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no bar") << "abc"
                            << "abc";
}

void TestCatalogue::targets() {
    QFETCH(QString, value);
    QFETCH(QString, target);
    QCOMPARE(EntryTargetField(value), target);
}

void TestCatalogue::resourceLists_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("none") << "1|Ribbon menu|0|ribbon.tvo|" << QStringList{"0"};
    QTest::newRow("two") << "0|Clock banner|2|clock.gif|face.jpg|"
                         << QStringList{"2", "clock.gif", "face.jpg"};
    QTest::newRow("count written 02")
        << "0|c|02|a.png|b.png|target|" << QStringList{"2", "a.png", "b.png"};
    QTest::newRow("fewer names than counted") << "0|c|3|a.png|" << QStringList{"3", "a.png"};
    QTest::newRow("name without closing bar") << "0|c|2|a.png|b.png" << QStringList{"2", "a.png"};
    QTest::newRow("no count field") << "0|c" << QStringList{"0"};
    QTest::newRow("count without closing bar") << "0|c|2" << QStringList{"0"};
    QTest::newRow("negative count") << "0|c|-1|a.png|" << QStringList{"-1"};
    QTest::newRow("huge count") << "0|c|2000000000|a.png|" << QStringList{"2000000000", "a.png"};
    QTest::newRow("empty") << "" << QStringList{"0"};
}

void TestCatalogue::resourceLists() {
    QFETCH(QString, value);
    QFETCH(QStringList, list);
    QCOMPARE(EntryResourceListOf(value), list);
}

void TestCatalogue::badCountIsAConversionError() {
    for (const char *value : {"0|c|x|a.png|", "0|c||a.png|", "0|c|99999999999|"}) {
        bool thrown = false;
        try {
            EntryResourceListOf(QString::fromLatin1(value));
        } catch (const CatalogueConversionError &error) {
            thrown = true;
            QVERIFY(!error.message().isEmpty());
        }
        QVERIFY2(thrown, value);
    }
}

void TestCatalogue::entriesAreReadFromTheRightFileAndAfresh() {
    ProgramFolderFixture folder;
    folder.writeGb("system/efx.tvo", "[Good]\nNumber=1\nGood001=0|好|1|g.png|\n"
                                     "[Personal]\nNumber=1\nPersonal001=0|wrong file|0|x|\n");
    folder.writeGb("system/personal.tvo",
                   "[Personal]\nNumber=1\nPersonal001=0|我的|0|/tmp/my.htm|\n");
    QCOMPARE(ReadCatalogueEntry(EffectCategory::Good, 1), QStringLiteral("0|好|1|g.png|"));
    QCOMPARE(PersonalEntryPath(1), QStringLiteral("/tmp/my.htm"));
    QCOMPARE(ReadCatalogueEntry(EffectCategory::Good, 2), QString());
    QCOMPARE(EntryResourceList(EffectCategory::Good, 1), (QStringList{"1", "g.png"}));
    // A change to the file shows at the next read.
    folder.writeGb("system/efx.tvo", "[Good]\nNumber=1\nGood001=1|新|0|n.tvo|\n");
    QCOMPARE(EntryTargetName(EffectCategory::Good, 1), QStringLiteral("n.tvo"));
    // A missing file reads as empty.
    QFile::remove(folder.file("system/efx.tvo"));
    QCOMPARE(ReadCatalogueEntry(EffectCategory::Good, 1), QString());
    QCOMPARE(EntryResourceList(EffectCategory::Good, 1), QStringList{"0"});
}

void TestCatalogue::pluginFlag() {
    ProgramFolderFixture folder;
    folder.writeGb("system/efx.tvo",
                   "[Menu]\nNumber=4\nMenu001=1|滑动|0|t.tvo|\nMenu002=0|a|0|\nMenu003= 1|b|0|\n");
    QVERIFY(IsPluginEntry(EffectCategory::Menu, 1));
    QVERIFY(!IsPluginEntry(EffectCategory::Menu, 2));
    QVERIFY(IsPluginEntry(EffectCategory::Menu, 3));  // blanks before the value are trimmed
    QVERIFY(!IsPluginEntry(EffectCategory::Menu, 4)); // missing
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
