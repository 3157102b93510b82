#pragma once

#include <QString>

namespace tierglide {

// The two generated parts of a menu page: the rows of the main menu table
// and the hidden sub-menu panels, one per main menu that has sub-menus.
struct MenuLists {
    QString MainMenuList;
    QString SubMenuList;
};

} // namespace tierglide
