#pragma once

#include <QColor>
#include <QString>

namespace tierglide {

// The colour as a page writes it: six upper-case hexadecimal digits, red,
// green and blue, without "#" (red 64, green 128, blue 255 gives "4080FF").
QString ColorToHtmlHex(const QColor &color);

} // namespace tierglide
