#include "platform/data/DatasetModel.h"

#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"

DatasetModel::DatasetModel(Dataset *dataset, QObject *parent) : QAbstractTableModel(parent), m_dataset(dataset)
{
    connect(dataset, &Dataset::aboutToReset, this, [this] { beginResetModel(); });
    connect(dataset, &Dataset::reset, this, [this] { endResetModel(); });
    connect(dataset, &Dataset::aboutToInsertRow, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(dataset, &Dataset::rowInserted, this, [this](int) { endInsertRows(); });
    connect(dataset, &Dataset::aboutToRemoveRow, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(dataset, &Dataset::rowRemoved, this, [this](int) { endRemoveRows(); });
    connect(dataset, &Dataset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void DatasetModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void DatasetModel::setColumnReadOnly(const QString &field, bool readOnly)
{
    if (readOnly)
        m_readOnlyFields.insert(field);
    else
        m_readOnlyFields.remove(field);
}

const GridColumn *DatasetModel::designed(int column) const
{
    return m_columns.isEmpty() || column < 0 || column >= m_columns.size() ? nullptr : &m_columns[column];
}

int DatasetModel::fieldOf(int column) const
{
    if (!m_dataset)
        return -1;
    if (const GridColumn *c = designed(column))
        return m_dataset->fieldIndex(c->field);
    return column < m_dataset->fieldCount() ? column : -1;
}

QString DatasetModel::fieldName(int column) const
{
    if (const GridColumn *c = designed(column))
        return c->field;
    const int f = fieldOf(column);
    return f >= 0 ? m_dataset->field(f).def.name : QString();
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataset)
        return 0;
    return m_columns.isEmpty() ? m_dataset->fieldCount() : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_dataset)
        return QVariant();
    const int f = fieldOf(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return f < 0 ? QVariant() : QVariant(m_dataset->text(index.row(), f));
    case Qt::TextAlignmentRole:
        if (const GridColumn *c = designed(index.column()))
            return QVariant(c->alignment);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        const GridColumn *c = designed(section);
        return c && !c->title.isEmpty() ? c->title : fieldName(section);
    }
    if (role == Qt::TextAlignmentRole) {
        const GridColumn *c = designed(section);
        return QVariant(c ? c->titleAlignment : Qt::Alignment(Qt::AlignCenter));
    }
    return QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const int f = fieldOf(index.column());
    const GridColumn *c = designed(index.column());
    const bool columnReadOnly = (c && c->readOnly) || m_readOnlyFields.contains(fieldName(index.column()));
    if (!m_readOnly && !columnReadOnly && f >= 0 && m_dataset->field(f).writable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_dataset)
        return false;
    const int f = fieldOf(index.column());
    if (f < 0)
        return false;
    // Nothing typed into a cell that was left as it was.
    if (value.toString() == m_dataset->text(index.row(), f))
        return false;
    const auto failure = failureOf([&] {
        m_dataset->moveTo(index.row());
        m_dataset->setValue(f, value.toString());
    });
    if (failure)
        Q_EMIT refused(*failure);
    return !failure;
}
