#pragma once

#include <QStyledItemDelegate>

namespace tierglide {

// Paints the cells of the menu list with light grid lines on their right and
// bottom edges, so that the list reads as a table.
class GridLineDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit GridLineDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace tierglide
