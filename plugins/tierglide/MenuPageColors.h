#pragma once

#include <QColor>

namespace tierglide {

// The seven colours of a menu page, one per colour swatch of the form.
struct MenuPageColors {
    QColor MenuBarBkColor;      // title bar background
    QColor MenuBarBorderColor;  // title bar border
    QColor MenuBarFontColor;    // title bar text
    QColor MenuBkColor;         // background of the menu tables
    QColor MenuOverBorderColor; // border of the entry under the mouse
    QColor MenuOverBkColor;     // background of the entry under the mouse
    QColor MenuFontColor;       // text of the menu entries
};

} // namespace tierglide
