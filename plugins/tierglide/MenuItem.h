#pragma once

#include <QString>

namespace tierglide {

// The two texts a row's kind column can hold. A sub-menu belongs to the
// nearest main menu above it.
inline constexpr char16_t MainMenuKind[] = u"主菜单 +";
inline constexpr char16_t SubMenuKind[] = u"子菜单 -";

// The address and target of a main menu without link.
inline constexpr char16_t NoLink[] = u"-";

// One row of the menu list: the list's four columns, top to bottom in menu
// order.
struct MenuItem {
    QString Kind;   // MainMenuKind or SubMenuKind
    QString Name;   // the text the menu shows
    QString Url;    // link address; NoLink for a main menu without link
    QString Target; // "_blank", "_top", "_self", "_parent"; NoLink without link
};

} // namespace tierglide
