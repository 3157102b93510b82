#include "GenerateMenuPage.h"

#include "BuildMenuLists.h"
#include "ColorToHtmlHex.h"
#include "ReplaceFirstPlaceholder.h"

#include <QLatin1String>

namespace tierglide {

QString NoRowsMessage() {
    return QString::fromUtf8("你怎么什么也不设？");
}

QString FirstRowNotMainMenuMessage() {
    return QString::fromUtf8("第一个菜单必须为主菜单！");
}

QString GenerateMenuPage(const QString &menuBarText, const MenuPageColors &colors,
                         const QList<MenuItem> &rows, const QString &templateText) {
    if (rows.isEmpty())
        return NoRowsMessage();
    if (rows.first().Kind != QStringView(MainMenuKind))
        return FirstRowNotMainMenuMessage();

    const QString menuBkColor = ColorToHtmlHex(colors.MenuBkColor);
    // Each placeholder is searched in the text as the earlier replacements
    // left it, so a value may itself receive a later replacement.
    const std::pair<const char *, QString> values[] = {
        {"*MENUBARTEXT*", menuBarText},
        {"*MENUBARBKCOLOR*", ColorToHtmlHex(colors.MenuBarBkColor)},
        {"*MENUBARBORDERCOLOR*", ColorToHtmlHex(colors.MenuBarBorderColor)},
        {"*MENUBARFONTCOLOR*", ColorToHtmlHex(colors.MenuBarFontColor)},
        {"*MENUBKCOLOR*", menuBkColor},
        {"*MENUOVERBORDERCOLOR*", ColorToHtmlHex(colors.MenuOverBorderColor)},
        {"*MENUOVERBKCOLOR*", ColorToHtmlHex(colors.MenuOverBkColor)},
        {"*MENUFONTCOLOR*", ColorToHtmlHex(colors.MenuFontColor)},
    };
    QString page = templateText;
    for (const auto &[placeholder, value] : values)
        page = ReplaceFirstPlaceholder(page, QLatin1String(placeholder), value);

    const MenuLists lists = BuildMenuLists(rows, menuBkColor);
    return FillMenuLists(page, lists);
}

QString FillMenuLists(const QString &text, const MenuLists &lists) {
    const QString mainPlaceholder = QLatin1String("*MAINMENULIST*");
    const QString subPlaceholder = QLatin1String("*SUBMENULIST*");
    const QString &main = lists.MainMenuList;
    const qsizetype mainAt = text.indexOf(mainPlaceholder);
    // The sub-menu placeholder is searched in the text with the main list
    // already inserted. A main list begins with "<" and ends with a line
    // break, neither of which the placeholder holds, so no occurrence can
    // straddle its edges: the text before it, the list itself and the text
    // after it can be searched one by one, and the page built in a single
    // allocation even for lists of many thousand rows.
    const bool separable =
        mainAt >= 0 && main.startsWith(QChar(u'<')) && main.endsWith(QChar(u'\n'));
    if (!separable)
        return ReplaceFirstPlaceholder(ReplaceFirstPlaceholder(text, mainPlaceholder, main),
                                       subPlaceholder, lists.SubMenuList);

    const QStringView before = QStringView(text).left(mainAt);
    const QStringView after = QStringView(text).mid(mainAt + mainPlaceholder.size());
    // The pieces of the finished page, in order; the sub-menu list takes the
    // place of the first placeholder found in them.
    QStringView pieces[3] = {before, QStringView(main), after};
    QString page;
    page.reserve(text.size() - mainPlaceholder.size() + main.size() + lists.SubMenuList.size());
    bool subFilled = false;
    for (QStringView piece : pieces) {
        const qsizetype subAt = subFilled ? -1 : piece.indexOf(subPlaceholder);
        if (subAt < 0) {
            page.append(piece);
            continue;
        }
        page.append(piece.left(subAt));
        page.append(lists.SubMenuList);
        page.append(piece.mid(subAt + subPlaceholder.size()));
        subFilled = true;
    }
    return page;
}

} // namespace tierglide
