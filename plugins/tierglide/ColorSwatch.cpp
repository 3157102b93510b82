#include "ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace tierglide {

ColorSwatch::ColorSwatch(QWidget *parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setColor(const QColor &color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_color);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mousePressEvent(QMouseEvent *event) {
    event->accept();
    emit mousePressed();
}

} // namespace tierglide
