#include "catalogue/EffectListModel.h"

EffectListModel::EffectListModel(QObject *parent) : QAbstractListModel(parent) {}

void EffectListModel::setIcons(const QIcon &plain, const QIcon &plugin) {
    m_plainIcon = plain;
    m_pluginIcon = plugin;
}

void EffectListModel::setItems(QVector<Item> items, QStringList texts) {
    beginResetModel();
    m_items = std::move(items);
    m_texts = std::move(texts);
    endResetModel();
}

int EffectListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant EffectListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= m_items.size())
        return QVariant();
    const Item &item = m_items.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return item.caption.toString();
    case Qt::DecorationRole:
        return item.plugin ? m_pluginIcon : m_plainIcon;
    case Qt::UserRole:
        return item.plugin ? 1 : 0; // the image index of the list's image list
    default:
        return QVariant();
    }
}

Qt::ItemFlags EffectListModel::flags(const QModelIndex &index) const {
    // Captions are read-only.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
