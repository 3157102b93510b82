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
    page = ReplaceFirstPlaceholder(page, QLatin1String("*MAINMENULIST*"), lists.MainMenuList);
    page = ReplaceFirstPlaceholder(page, QLatin1String("*SUBMENULIST*"), lists.SubMenuList);
    return page;
}

} // namespace tierglide
