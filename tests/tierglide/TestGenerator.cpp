// The page generator on its own: colour text, link addresses, placeholder
// replacement, the main and sub-menu lists and the whole default page.
#include "BackslashToSlash.h"
#include "BuildMenuLists.h"
#include "ColorToHtmlHex.h"
#include "Fixture.h"
#include "GenerateMenuPage.h"
#include "MenuPageTemplate.h"
#include "ReplaceFirstPlaceholder.h"

#include <QFile>
#include <QtTest>

using tierglide::MenuItem;

Q_DECLARE_METATYPE(QList<tierglide::MenuItem>)

namespace {

QString u8(const char *s) {
    return QString::fromUtf8(s);
}

MenuItem mainMenu(const char *name, const char *url = "-", const char *target = "-") {
    return {u8("主菜单 +"), u8(name), u8(url), u8(target)};
}
MenuItem subMenu(const char *name, const char *url, const char *target = "_blank") {
    return {u8("子菜单 -"), u8(name), u8(url), u8(target)};
}

// The pieces of the generated lists, written out as the page shows them.
const char *const PlainMainHead =
    R"x(<tr><td class=normal onMouseDown="this.className='down'" onMouseOver="this.className='up',high(this)" onMouseOut="this.className='normal',low(this)" style="filter:alpha(opacity=50)"onMouseUp="this.className='up'">)x";
const char *const SubRowHead =
    "<tr><td class=normal onMouseDown=\"this.className='down'\" \r\n"
    R"x(onMouseOver="this.className='up',high(this)" onMouseOut="this.className='normal',low(this)" style="filter:alpha(opacity=50)" onMouseUp="this.className='up'">)x"
    "\r\n";
const char *const Closing = "</table></div>\r\n";

QString mainHeadWithPanel(int n) {
    return u8(R"x(<tr><td class=normal onMouseDown="this.className='down'" onMouseOver="this.className='up',high(this),Show(menu)x") +
           QString::number(n) + u8(R"x()" onMouseOut="this.className='normal',low(this),menu)x") +
           QString::number(n) +
           u8(R"x(.style.visibility='hidden'" style="filter:alpha(opacity=50)" onMouseUp="this.className='up'">)x");
}

QString opening(int n, int top, const char *bk = "F4F4F4") {
    return u8(R"x(<div id="menu)x") + QString::number(n) +
           u8(R"x(" style="position:absolute;top:)x") + QString::number(top) +
           u8(R"x(px;left:96px; z-index:1; visibility: hidden; width: 105" onMouseOver=this.style.visibility='visible' onMouseOut=this.style.visibility='hidden' class="menuv">)x") +
           u8("\r\n") +
           u8(R"x(<table cellspacing=2 width=100 border=0 style="BORDER:#999999 1px solid;cursor:hand" cellpadding="0" bgcolor=")x") +
           u8(bk) + u8("\" align=\"right\">\r\n");
}

QString link(const char *url, const char *target, const char *name) {
    return u8("<div align=\"center\"><a href=\"") + u8(url) + u8("\" target=\"") + u8(target) +
           u8("\">") + u8(name) + u8("</a></div></td></tr>\r\n");
}

QString text(const char *name) {
    return u8("<div align=\"center\">") + u8(name) + u8("</div></td></tr>\r\n");
}

tierglide::MenuPageColors defaultColors() {
    tierglide::MenuPageColors c;
    c.MenuBarBkColor = QColor(0xCC, 0xCC, 0xCC);
    c.MenuBarBorderColor = QColor(0x99, 0x99, 0x99);
    c.MenuBarFontColor = QColor(0, 0, 0);
    c.MenuBkColor = QColor(0xF4, 0xF4, 0xF4);
    c.MenuOverBorderColor = QColor(0x99, 0x99, 0x99);
    c.MenuOverBkColor = QColor(0xCC, 0xCC, 0xCC);
    c.MenuFontColor = QColor(0, 0, 0);
    return c;
}

// The demonstration menu the form starts with.
QList<MenuItem> demonstrationRows() {
    const char *mail = "mailto:support@hechuan.example";
    return {mainMenu("禾川软件"),
            subMenu("妙笔网页助手", "http://www.hechuan.example/products/miaobi.htm"),
            subMenu("禾川图片管家", "http://www.hechuan.example/products/tupian.htm"),
            subMenu("禾川记事本", "http://www.hechuan.example/products/jishi.htm"),
            subMenu("联系我们", mail, "_top"),
            mainMenu("光影电影网"),
            subMenu("动作片", "http://www.guangying.example/dongzuo/"),
            subMenu("喜剧片", "http://www.guangying.example/xiju/"),
            subMenu("爱情片", "http://www.guangying.example/aiqing/"),
            subMenu("科幻片", "http://www.guangying.example/kehuan/"),
            subMenu("恐怖片", "http://www.guangying.example/kongbu/"),
            subMenu("战争片", "http://www.guangying.example/zhanzheng/"),
            subMenu("动画片", "http://www.guangying.example/donghua/"),
            mainMenu("常去的网站"),
            subMenu("星河门户", "http://www.xinghe.example/"),
            subMenu("云帆门户", "http://www.yunfan.example/"),
            subMenu("飞速下载", "http://www.feisu-download.example/"),
            subMenu("华夏软件园", "http://www.huaxia-soft.example/"),
            subMenu("光影论坛", "http://bbs.guangying.example/"),
            mainMenu("联系我们", mail, "_top")};
}

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void colorToHtmlHex_data();
    void colorToHtmlHex();
    void backslashToSlash_data();
    void backslashToSlash();
    void replaceFirstPlaceholder_data();
    void replaceFirstPlaceholder();
    void refusedLists_data();
    void refusedLists();
    void menuLists_data();
    void menuLists();
    void listsFillTheFirstPlaceholders_data();
    void listsFillTheFirstPlaceholders();
    void defaultPageIsTheFixture();
    void barTextHoldingMainMenuPlaceholder();
    void coloursLandInTheirPlaces();
};

void TestGenerator::colorToHtmlHex_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("hex");
    QTest::newRow("red") << QColor(255, 0, 0) << "FF0000";
    QTest::newRow("mixed") << QColor(64, 128, 255) << "4080FF";
    QTest::newRow("black") << QColor(0, 0, 0) << "000000";
    QTest::newRow("white") << QColor(255, 255, 255) << "FFFFFF";
    QTest::newRow("red first, blue last") << QColor(0x12, 0x34, 0x56) << "123456";
    QTest::newRow("leading zeros kept") << QColor(1, 2, 3) << "010203";
    QTest::newRow("only blue") << QColor(0, 0, 0x0A) << "00000A";
    QTest::newRow("upper case") << QColor(0xAB, 0xCD, 0xEF) << "ABCDEF";
}

void TestGenerator::colorToHtmlHex() {
    QFETCH(QColor, color);
    QFETCH(QString, hex);
    QCOMPARE(tierglide::ColorToHtmlHex(color), hex);
}

void TestGenerator::backslashToSlash_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected");
    QTest::newRow("local path") << R"(C:\web\a.htm)"
                                << "C:/web/a.htm";
    QTest::newRow("share") << R"(\\server\share\x.html)"
                           << "//server/share/x.html";
    QTest::newRow("web address") << "http://www.a.example/b/"
                                 << "http://www.a.example/b/";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("Chinese") << u8("D:\\网页\\首页.htm") << u8("D:/网页/首页.htm");
}

void TestGenerator::backslashToSlash() {
    QFETCH(QString, url);
    QFETCH(QString, expected);
    QCOMPARE(tierglide::BackslashToSlash(url), expected);
}

void TestGenerator::replaceFirstPlaceholder_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first only") << "a*X*b*X*c"
                                << "*X*"
                                << "1"
                                << "a1b*X*c";
    QTest::newRow("absent") << "abc"
                            << "*X*"
                            << "1"
                            << "abc";
    QTest::newRow("case-sensitive") << "*x* *X*"
                                    << "*X*"
                                    << "1"
                                    << "*x* 1";
    QTest::newRow("inside a word") << "ab*X*cd"
                                   << "*X*"
                                   << ""
                                   << "abcd";
    QTest::newRow("value verbatim") << "<*X*>"
                                    << "*X*"
                                    << "\"*X*\"\\"
                                    << "<\"*X*\"\\>";
    QTest::newRow("at the start") << "*X*tail"
                                  << "*X*"
                                  << "head"
                                  << "headtail";
    QTest::newRow("longer name first") << "*MENUBKCOLOR*"
                                       << "*MENUBK*"
                                       << "1"
                                       << "*MENUBKCOLOR*";
}

void TestGenerator::replaceFirstPlaceholder() {
    QFETCH(QString, text);
    QFETCH(QString, placeholder);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(tierglide::ReplaceFirstPlaceholder(text, placeholder, value), expected);
}

void TestGenerator::refusedLists_data() {
    QTest::addColumn<QList<MenuItem>>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("no rows") << QList<MenuItem>{} << u8("你怎么什么也不设？");
    QTest::newRow("sub-menu first")
        << QList<MenuItem>{subMenu("a1", "http://a.example/"), mainMenu("A")}
        << u8("第一个菜单必须为主菜单！");
    QTest::newRow("sub-menus only")
        << QList<MenuItem>{subMenu("a1", "http://a.example/")} << u8("第一个菜单必须为主菜单！");
    QTest::newRow("kind without the blank")
        << QList<MenuItem>{{u8("主菜单+"), u8("A"), u8("-"), u8("-")}}
        << u8("第一个菜单必须为主菜单！");
}

void TestGenerator::refusedLists() {
    QFETCH(QList<MenuItem>, rows);
    QFETCH(QString, message);
    QCOMPARE(tierglide::GenerateMenuPage(u8("bar"), defaultColors(), rows,
                                         tierglide::MenuPageTemplate()),
             message);
}

void TestGenerator::menuLists_data() {
    QTest::addColumn<QList<MenuItem>>("rows");
    QTest::addColumn<QString>("mainList");
    QTest::addColumn<QString>("subList");

    QTest::newRow("one main menu without link")
        << QList<MenuItem>{mainMenu("A")} << u8(PlainMainHead) + text("A") << QString();

    QTest::newRow("one main menu with link")
        << QList<MenuItem>{mainMenu("A", "http://a.example/", "_self")}
        << u8(PlainMainHead) + link("http://a.example/", "_self", "A") << QString();

    QTest::newRow("A a1 a2 B C c1")
        << QList<MenuItem>{mainMenu("A"),
                           subMenu("a1", "http://a.example/1.htm"),
                           subMenu("a2", "http://a.example/2.htm", "_top"),
                           mainMenu("B"),
                           mainMenu("C"),
                           subMenu("c1", "http://c.example/", "_parent")}
        << mainHeadWithPanel(1) + text("A") + u8(PlainMainHead) + text("B") + mainHeadWithPanel(2) +
               text("C")
        << opening(1, 24) + u8(SubRowHead) + link("http://a.example/1.htm", "_blank", "a1") +
               u8(SubRowHead) + link("http://a.example/2.htm", "_top", "a2") + u8(Closing) +
               opening(2, 64) + u8(SubRowHead) + link("http://c.example/", "_parent", "c1") +
               u8(Closing);

    QTest::newRow("panel numbered by blocks, placed by main menus")
        << QList<MenuItem>{mainMenu("A"), mainMenu("B"), subMenu("b1", "http://b.example/")}
        << u8(PlainMainHead) + text("A") + mainHeadWithPanel(1) + text("B")
        << opening(1, 44) + u8(SubRowHead) + link("http://b.example/", "_blank", "b1") +
               u8(Closing);

    QTest::newRow("main menu with sub-menus and link")
        << QList<MenuItem>{mainMenu("A", "http://a.example/", "_top"),
                           subMenu("a1", "http://a.example/1")}
        << mainHeadWithPanel(1) + link("http://a.example/", "_top", "A")
        << opening(1, 24) + u8(SubRowHead) + link("http://a.example/1", "_blank", "a1") +
               u8(Closing);

    QTest::newRow("link whose address is a dash")
        << QList<MenuItem>{mainMenu("A", "-", "_blank")}
        << u8(PlainMainHead) + link("-", "_blank", "A") << QString();

    QTest::newRow("address without target is no link")
        << QList<MenuItem>{mainMenu("A", "http://a.example/", "-")} << u8(PlainMainHead) + text("A")
        << QString();

    QTest::newRow("backslashes turned in addresses only")
        << QList<MenuItem>{mainMenu(R"(A\B)", R"(C:\web\a.htm)", R"(_t\x)"),
                           subMenu(R"(s\1)", R"(D:\x\y\z.html)", R"(_q\r)")}
        << mainHeadWithPanel(1) + link("C:/web/a.htm", R"(_t\x)", R"(A\B)")
        << opening(1, 24) + u8(SubRowHead) + link("D:/x/y/z.html", R"(_q\r)", R"(s\1)") +
               u8(Closing);

    QTest::newRow("empty and HTML texts written as they are")
        << QList<MenuItem>{mainMenu("", "", "_self"), subMenu("<b>\"x\"</b>", "")}
        << mainHeadWithPanel(1) + link("", "_self", "")
        << opening(1, 24) + u8(SubRowHead) + link("", "_blank", "<b>\"x\"</b>") + u8(Closing);
}

void TestGenerator::menuLists() {
    QFETCH(QList<MenuItem>, rows);
    QFETCH(QString, mainList);
    QFETCH(QString, subList);
    const tierglide::MenuLists lists = tierglide::BuildMenuLists(rows, u8("F4F4F4"));
    QCOMPARE(lists.MainMenuList, mainList);
    QCOMPARE(lists.SubMenuList, subList);

    // The same lists in a page: right after the bar row, and on line 51.
    const QString page = tierglide::GenerateMenuPage(u8("bar"), defaultColors(), rows,
                                                     tierglide::MenuPageTemplate());
    QVERIFY(page.contains(u8("</tr>\r\n") + mainList + u8("</table>\r\n\r\n") + subList +
                          u8("\r\n</div>\r\n<body>\r\n")));
    QVERIFY(page.endsWith(u8("\r\n</div>\r\n<body>\r\n")));
}

void TestGenerator::listsFillTheFirstPlaceholders_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mainList");
    QTest::addColumn<QString>("expected");
    const QString m = u8("<m>\r\n");
    QTest::newRow("in template order") << "A*MAINMENULIST*B*SUBMENULIST*C" << m << "A<m>\r\nB[s]C";
    QTest::newRow("sub-menus first") << "*SUBMENULIST*x*MAINMENULIST*" << m << "[s]x<m>\r\n";
    QTest::newRow("only the first of each")
        << "*MAINMENULIST**MAINMENULIST**SUBMENULIST**SUBMENULIST*" << m
        << "<m>\r\n*MAINMENULIST*[s]*SUBMENULIST*";
    QTest::newRow("placeholder inside the main list")
        << "X*MAINMENULIST*Y*SUBMENULIST*" << u8("<a*SUBMENULIST*b>\r\n")
        << "X<a[s]b>\r\nY*SUBMENULIST*";
    QTest::newRow("no main list placeholder") << "x*SUBMENULIST*" << m << "x[s]";
    QTest::newRow("no sub-menu placeholder") << "A*MAINMENULIST*B" << m << "A<m>\r\nB";
    // Lists that could join a placeholder across their edges.
    QTest::newRow("empty main list joins the text")
        << "*SUB*MAINMENULIST*MENULIST*" << QString() << "[s]";
    QTest::newRow("main list completes a placeholder")
        << "*SUBMENU*MAINMENULIST*" << u8("LIST*") << "[s]";
}

void TestGenerator::listsFillTheFirstPlaceholders() {
    QFETCH(QString, text);
    QFETCH(QString, mainList);
    QFETCH(QString, expected);
    QCOMPARE(tierglide::FillMenuLists(text, {mainList, u8("[s]")}), expected);
}

void TestGenerator::defaultPageIsTheFixture() {
    const QString expected = readFixture("default_page.htm");
    const QString page = tierglide::GenerateMenuPage(
        u8("多级滑动菜单"), defaultColors(), demonstrationRows(), tierglide::MenuPageTemplate());
    // Compare line by line first for a readable failure, then as a whole.
    const QStringList got = page.split(u8("\r\n"));
    const QStringList want = expected.split(u8("\r\n"));
    for (qsizetype i = 0; i < qMin(got.size(), want.size()); ++i)
        QCOMPARE(got[i], want[i]);
    QCOMPARE(got.size(), want.size());
    QCOMPARE(page, expected);
    QVERIFY(!page.contains(QRegularExpression(u8("[^\r]\n"))));
}

void TestGenerator::barTextHoldingMainMenuPlaceholder() {
    const QList<MenuItem> rows{mainMenu("A")};
    const QString page = tierglide::GenerateMenuPage(u8("[*MAINMENULIST*]"), defaultColors(), rows,
                                                     tierglide::MenuPageTemplate());
    const QStringList lines = page.split(u8("\r\n"));
    // Line 46 receives the row (and its line break); the template's own
    // placeholder on line 49 is left as it is.
    QCOMPARE(lines[45], u8("<div align=\"center\"><font color=\"#000000\">[") + u8(PlainMainHead) +
                            u8("<div align=\"center\">A</div></td></tr>"));
    QCOMPARE(lines[46], u8("]</font></div>"));
    QCOMPARE(lines[49], u8("*MAINMENULIST*</table>"));
    QCOMPARE(lines[51], QString()); // no sub-menus: line 51 is empty
    QCOMPARE(lines.size(), 54 + 1);
}

void TestGenerator::coloursLandInTheirPlaces() {
    tierglide::MenuPageColors c;
    c.MenuBarBkColor = QColor(0x11, 0x12, 0x13);
    c.MenuBarBorderColor = QColor(0x21, 0x22, 0x23);
    c.MenuBarFontColor = QColor(0x31, 0x32, 0x33);
    c.MenuBkColor = QColor(0x41, 0x42, 0x43);
    c.MenuOverBorderColor = QColor(0x51, 0x52, 0x53);
    c.MenuOverBkColor = QColor(0x61, 0x62, 0x63);
    c.MenuFontColor = QColor(0xA1, 0xB2, 0xC3);
    const QList<MenuItem> rows{mainMenu("A"), subMenu("a1", "http://a.example/")};
    const QString page =
        tierglide::GenerateMenuPage(u8(""), c, rows, tierglide::MenuPageTemplate());
    const QStringList lines = page.split(u8("\r\n"));
    QCOMPARE(lines[2], u8("body,td,a {font-size:9pt;color:#A1B2C3;text-decoration:none}"));
    QCOMPARE(lines[4], u8(".up {padding:1px;border:#515253 1px solid;background:#616263}"));
    QCOMPARE(
        lines[42],
        u8(R"x(<table id="td123" cellspacing=2 width=100 border=0 style="BORDER:#999999 1px solid;cursor:hand" cellpadding="0" bgcolor="414243">)x"));
    QCOMPARE(
        lines[44],
        u8(R"x(<td bgcolor="#111213" height="20" style="BORDER:#212223 1px solid;cursor:move">)x"));
    QCOMPARE(lines[45], u8(R"x(<div align="center"><font color="#313233"></font></div>)x"));
    QVERIFY(page.contains(opening(1, 24, "414243")));
}

QTEST_APPLESS_MAIN(TestGenerator)
#include "TestGenerator.moc"
