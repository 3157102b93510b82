#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, drawn as SVG and compiled in under ":/pictures/".
// Rendered at their own size (or `size`) for the screen's pixel ratio.
QPixmap Picture(const QString &name, QSize size = QSize());
QIcon PictureIcon(const QString &name);
