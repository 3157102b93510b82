// The sliding-menu generator on rows, bar text, colours and templates taken
// from the input. The input is text, one item a line, so seeds stay
// readable:
//   line 1   the menu bar text;
//   line 2   up to seven colours as hexadecimal RRGGBB, blank-separated;
//   then     one row a line, "kind|name|url|target": kind "M" is a main
//            menu, "S" a sub-menu, anything else is taken as the kind text;
//   "#T"     a line of its own: the lines after it are the template in place
//            of the real one.
// Checked: the two messages, the page against a plain two-step fill of the
// menu lists, the structure of the lists against a simple model of the rows,
// no placeholder of the real template left over, and the page's GB2312 bytes against a single
// conversion.
#include "FuzzCheck.h"

#include "BuildMenuLists.h"
#include "ColorToHtmlHex.h"
#include "EncodePageGb.h"
#include "GenerateMenuPage.h"
#include "MenuPageTemplate.h"
#include "ReplaceFirstPlaceholder.h"
#include "platform/Gb2312.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

using namespace tierglide;

namespace {

struct Input {
    QString barText;
    MenuPageColors colors;
    QList<MenuItem> rows;
    QString templateText;
    bool ownTemplate = false;
};

QColor ParseColor(const QString &token) {
    bool ok = false;
    const uint rgb = token.toUInt(&ok, 16);
    return ok ? QColor::fromRgb(QRgb(rgb & 0xFFFFFF)) : QColor();
}

Input Parse(const QString &text) {
    Input in;
    const QStringList lines = text.split(QLatin1Char('\n'));
    in.barText = lines.value(0);
    const QStringList colours = lines.value(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QColor *targets[] = {&in.colors.MenuBarBkColor,      &in.colors.MenuBarBorderColor,
                         &in.colors.MenuBarFontColor,    &in.colors.MenuBkColor,
                         &in.colors.MenuOverBorderColor, &in.colors.MenuOverBkColor,
                         &in.colors.MenuFontColor};
    for (int i = 0; i < 7; ++i)
        *targets[i] = ParseColor(colours.value(i, QStringLiteral("808080")));
    qsizetype line = 2;
    for (; line < lines.size(); ++line) {
        if (lines.at(line) == QLatin1String("#T")) {
            in.ownTemplate = true;
            in.templateText = lines.mid(line + 1).join(QLatin1Char('\n'));
            break;
        }
        const QStringList fields = lines.at(line).split(QLatin1Char('|'));
        MenuItem row;
        const QString kind = fields.value(0);
        row.Kind = kind == QLatin1String("M")   ? QString::fromUtf16(MainMenuKind)
                   : kind == QLatin1String("S") ? QString::fromUtf16(SubMenuKind)
                                                : kind;
        row.Name = fields.value(1);
        row.Url = fields.value(2);
        row.Target = fields.value(3);
        in.rows.append(row);
    }
    if (!in.ownTemplate)
        in.templateText = MenuPageTemplate();
    return in;
}

qsizetype Count(const QString &text, const QString &what) {
    return text.count(what);
}

bool IsMain(const MenuItem &row) {
    return row.Kind == QStringView(MainMenuKind);
}
bool IsSub(const MenuItem &row) {
    return row.Kind == QStringView(SubMenuKind);
}

// The lists' shape, counted from the rows alone: main menus, the main menus
// that open a panel (a sub-menu right below them), and the sub-menus shown
// in those panels (the unbroken run of sub-menus below a main menu).
void CheckListShape(const QList<MenuItem> &rows, const MenuLists &lists) {
    for (const MenuItem &row : rows) {
        for (const QString *field : {&row.Name, &row.Url, &row.Target}) {
            if (field->contains(QLatin1Char('<')) || field->contains(QLatin1Char('(')))
                return; // texts that hold markup or script would be counted too
        }
    }
    qsizetype mains = 0;
    qsizetype panels = 0;
    qsizetype shownSubs = 0;
    bool inRun = false;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (IsMain(rows[i])) {
            ++mains;
            inRun = true;
            if (i + 1 < rows.size() && IsSub(rows[i + 1]))
                ++panels;
        } else if (IsSub(rows[i])) {
            if (inRun)
                ++shownSubs;
        } else {
            inRun = false;
        }
    }
    FUZZ_CHECK(Count(lists.MainMenuList, QStringLiteral("<tr>")) == mains);
    FUZZ_CHECK(Count(lists.MainMenuList, QStringLiteral(",Show(menu")) == panels);
    FUZZ_CHECK(Count(lists.SubMenuList, QStringLiteral("<div id=\"menu")) == panels);
    FUZZ_CHECK(Count(lists.SubMenuList, QStringLiteral("</table></div>\r\n")) == panels);
    FUZZ_CHECK(Count(lists.SubMenuList, QStringLiteral("<tr>")) == shownSubs);
}

// FillMenuLists against the plain rule it implements.
void CheckFill(const QString &text, const MenuLists &lists) {
    const QString plain = ReplaceFirstPlaceholder(
        ReplaceFirstPlaceholder(text, QStringLiteral("*MAINMENULIST*"), lists.MainMenuList),
        QStringLiteral("*SUBMENULIST*"), lists.SubMenuList);
    FUZZ_CHECK(FillMenuLists(text, lists) == plain);
}

const char *const kPlaceholders[] = {
    "*MENUBARTEXT*",  "*MENUBARBKCOLOR*",      "*MENUBARBORDERCOLOR*", "*MENUBARFONTCOLOR*",
    "*MENUBKCOLOR*",  "*MENUOVERBORDERCOLOR*", "*MENUOVERBKCOLOR*",    "*MENUFONTCOLOR*",
    "*MAINMENULIST*", "*SUBMENULIST*",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const Input in =
        Parse(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QString page = GenerateMenuPage(in.barText, in.colors, in.rows, in.templateText);

    if (in.rows.isEmpty()) {
        FUZZ_CHECK(page == NoRowsMessage());
        return 0;
    }
    if (!IsMain(in.rows.first())) {
        FUZZ_CHECK(page == FirstRowNotMainMenuMessage());
        return 0;
    }

    const QString menuBk = ColorToHtmlHex(in.colors.MenuBkColor);
    FUZZ_CHECK(menuBk.size() == 6);
    for (QChar c : menuBk)
        FUZZ_CHECK((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'));
    const MenuLists lists = BuildMenuLists(in.rows, menuBk);
    CheckListShape(in.rows, lists);

    // The page is the template with the eight values and then the two lists
    // filled in, each at the first place it occurs.
    const QString values[] = {
        in.barText,
        ColorToHtmlHex(in.colors.MenuBarBkColor),
        ColorToHtmlHex(in.colors.MenuBarBorderColor),
        ColorToHtmlHex(in.colors.MenuBarFontColor),
        menuBk,
        ColorToHtmlHex(in.colors.MenuOverBorderColor),
        ColorToHtmlHex(in.colors.MenuOverBkColor),
        ColorToHtmlHex(in.colors.MenuFontColor),
    };
    QString filled = in.templateText;
    for (int i = 0; i < 8; ++i)
        filled = ReplaceFirstPlaceholder(filled, QLatin1String(kPlaceholders[i]), values[i]);
    CheckFill(filled, lists);
    FUZZ_CHECK(page == FillMenuLists(filled, lists));

    // The fast fill on texts and lists of the input's own making: the bar
    // text as a main list that opens and ends as a real one does.
    MenuLists own{QLatin1Char('<') + in.barText + QLatin1Char('\n'), in.rows.first().Name};
    CheckFill(in.templateText, own);
    CheckFill(in.barText + in.templateText, own);

    bool starred = in.barText.contains(QLatin1Char('*'));
    for (const MenuItem &row : in.rows)
        starred = starred || row.Name.contains(QLatin1Char('*')) ||
                  row.Url.contains(QLatin1Char('*')) || row.Target.contains(QLatin1Char('*'));
    if (!starred && !in.ownTemplate) {
        // Each placeholder of the real template is filled.
        for (const char *placeholder : kPlaceholders)
            FUZZ_CHECK(!page.contains(QLatin1String(placeholder)));
    }

    FUZZ_CHECK(EncodePageGb(page) == platform::toGb(page));
    return 0;
}
