#pragma once

#include <QByteArrayView>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The program's pictures, compiled in under ":/pictures/", rendered at build
// time from their SVG sources: <name>.qpix at their own size as raw pixels,
// <name>@2x.png at twice that. Picture() gives the one that suits the
// screen's pixel ratio; a null pixmap for an unknown name.
QPixmap Picture(const QString &name);
QIcon PictureIcon(const QString &name);

// The image held by raw pixels as the build writes them ("QPIX", width and
// height, then premultiplied ARGB32 words, all little-endian); a null image
// if the bytes are not such pixels.
QImage ReadRawPixels(QByteArrayView bytes);
