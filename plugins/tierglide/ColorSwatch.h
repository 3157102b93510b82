#pragma once

#include <QColor>
#include <QWidget>

namespace tierglide {

// A colour setting shown as a filled rectangle with a thin black outline.
// Pressing any mouse button on it emits mousePressed(); the form then asks
// for a new colour.
class ColorSwatch : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

signals:
    void mousePressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor m_color = Qt::white;
};

} // namespace tierglide
