#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QVector>

// The items of the effect list: one caption and one icon (blank page for a
// plain effect, colour wheel for a plug-in) per catalogue entry, in index
// order. Refilled as a whole, so a refill costs one model reset.
class EffectListModel : public QAbstractListModel {
    Q_OBJECT
public:
    struct Item {
        QString caption;
        bool plugin = false;
    };

    explicit EffectListModel(QObject *parent = nullptr);

    void setIcons(const QIcon &plain, const QIcon &plugin);
    void setItems(QVector<Item> items);
    const Item &item(int row) const { return m_items.at(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QVector<Item> m_items;
    QIcon m_plainIcon;
    QIcon m_pluginIcon;
};
