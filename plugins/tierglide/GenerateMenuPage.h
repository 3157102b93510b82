#pragma once

#include "MenuItem.h"
#include "MenuLists.h"
#include "MenuPageColors.h"

#include <QList>
#include <QString>

namespace tierglide {

// The sliding-menu page: `templateText` with the bar text, the seven colours
// and the generated menu lists filled in. An empty list gives the message
// "你怎么什么也不设？" and a list that does not begin with a main menu gives
// "第一个菜单必须为主菜单！" in place of the page.
QString GenerateMenuPage(const QString &menuBarText, const MenuPageColors &colors,
                         const QList<MenuItem> &rows, const QString &templateText);

// The last step of GenerateMenuPage: `text` with its first "*MAINMENULIST*"
// replaced by the main list, and then the first "*SUBMENULIST*" of the result
// replaced by the sub-menu list.
QString FillMenuLists(const QString &text, const MenuLists &lists);

// The two messages GenerateMenuPage may return instead of a page.
QString NoRowsMessage();
QString FirstRowNotMainMenuMessage();

} // namespace tierglide
