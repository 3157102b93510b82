#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QStringList>
#include <QStringView>
#include <QVector>

// The items of the effect list: one caption and one icon (blank page for a
// plain effect, colour wheel for a plug-in) per catalogue entry, in index
// order. Refilled as a whole, so a refill costs one model reset.
class EffectListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // A caption is a view into text the model keeps (the decoded catalogue),
    // so a refill of thousands of entries allocates nothing per entry.
    struct Item {
        QStringView caption;
        bool plugin = false;
    };

    explicit EffectListModel(QObject *parent = nullptr);

    void setIcons(const QIcon &plain, const QIcon &plugin);
    // `texts` hold the characters the items' captions point into.
    void setItems(QVector<Item> items, QStringList texts = {});

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QVector<Item> m_items;
    QStringList m_texts;
    QIcon m_plainIcon;
    QIcon m_pluginIcon;
};
