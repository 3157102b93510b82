#pragma once

#include "MenuItem.h"
#include "MenuLists.h"

#include <QList>
#include <QString>

namespace tierglide {

// Builds the main menu rows and the sub-menu panels of a menu page from the
// rows in menu order. `menuBkColorHex` is the background of the sub-menu
// tables, six hexadecimal digits without "#". Rows before the first main menu
// are skipped; the caller refuses such lists before it gets here.
MenuLists BuildMenuLists(const QList<MenuItem> &rows, const QString &menuBkColorHex);

} // namespace tierglide
