#pragma once

#include "platform/data/Dataset.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QSet>

// A grid column over a dataset field.
struct GridColumn {
    QString field;
    QString title;                         // empty: the field name
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::Alignment titleAlignment = Qt::AlignCenter;
    bool readOnly = false;
};

// The rows of a dataset as a table model. With no designed columns it shows
// every field in the dataset's order, titled by the field names. Editing a
// cell makes its row current first (storing a pending row), then changes it;
// a refusal is reported by refused(), for the view to show.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DatasetModel(Dataset *dataset, QObject *parent = nullptr);

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &designedColumns() const { return m_columns; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }
    void setColumnReadOnly(const QString &field, bool readOnly);

    Dataset *dataset() const { return m_dataset; }
    // Dataset field index of a model column, or -1.
    int fieldOf(int column) const;
    QString fieldName(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A typed value or the row it left could not be stored; the text says why.
    void refused(const QString &message);

private:
    const GridColumn *designed(int column) const;

    QPointer<Dataset> m_dataset;
    QList<GridColumn> m_columns;
    QSet<QString> m_readOnlyFields;
    bool m_readOnly = true;
};
