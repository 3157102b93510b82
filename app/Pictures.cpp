#include "app/Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

QPixmap Picture(const QString &name, QSize size) {
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (!renderer.isValid())
        return QPixmap();
    if (!size.isValid())
        size = renderer.defaultSize();
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon PictureIcon(const QString &name) {
    QIcon icon;
    const QPixmap pixmap = Picture(name);
    if (!pixmap.isNull())
        icon.addPixmap(pixmap);
    return icon;
}
