#include "GridLineDelegate.h"

#include <QPainter>

namespace tierglide {

GridLineDelegate::GridLineDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void GridLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(QColor(0xD0, 0xD0, 0xD0));
    const QRect r = option.rect;
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}

} // namespace tierglide
