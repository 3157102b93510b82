#include "app/Pictures.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QResource>
#include <QtEndian>

#include <limits>

namespace {

constexpr qsizetype RawHeaderSize = 12;

// Decodes one compiled-in PNG. The format is given and detection is off so
// Qt goes straight to its own PNG reader: probing the content would load
// every image-format plug-in installed, which costs more at start-up than
// all the pictures together.
QImage ReadPng(const QString &path) {
    if (!QResource(path).isValid())
        return QImage();
    QImageReader reader(path, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage ReadRawResource(const QString &path) {
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return QImage();
    return ReadRawPixels(
        QByteArrayView(reinterpret_cast<const char *>(resource.data()), resource.size()));
}

} // namespace

QImage ReadRawPixels(QByteArrayView bytes) {
    if (bytes.size() < RawHeaderSize || bytes.first(4) != QByteArrayView("QPIX"))
        return QImage();
    const quint32 width = qFromLittleEndian<quint32>(bytes.data() + 4);
    const quint32 height = qFromLittleEndian<quint32>(bytes.data() + 8);
    constexpr quint32 maxSide = std::numeric_limits<qint16>::max();
    if (width == 0 || height == 0 || width > maxSide || height > maxSide ||
        bytes.size() - RawHeaderSize != qsizetype(width) * height * 4)
        return QImage();
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return QImage();
    const char *row = bytes.data() + RawHeaderSize;
    for (int y = 0; y < image.height(); ++y, row += width * 4)
        qFromLittleEndian<quint32>(row, width, image.scanLine(y));
    return image;
}

QPixmap Picture(const QString &name) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    if (ratio > 1.0) {
        QImage image = ReadPng(QStringLiteral(":/pictures/%1@2x.png").arg(name));
        if (!image.isNull()) {
            image.setDevicePixelRatio(2.0);
            return QPixmap::fromImage(std::move(image));
        }
    }
    return QPixmap::fromImage(ReadRawResource(QStringLiteral(":/pictures/%1.qpix").arg(name)));
}

QIcon PictureIcon(const QString &name) {
    const QPixmap pixmap = Picture(name);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}
