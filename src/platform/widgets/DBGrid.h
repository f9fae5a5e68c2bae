#pragma once

#include "platform/data/DatasetModel.h"

#include <QTableView>

class DataSource;
class Dataset;

// A grid over a data source. Its current row follows the dataset's and back:
// moving to another row stores a changed pending row (a refusal is shown and
// the cursor stays on the pending row). Losing the focus discards a new row
// that nobody changed. Read-only unless told otherwise.
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    Dataset *dataset() const;
    DatasetModel *datasetModel() const { return m_model; }

    // Designed columns; none means every field in the dataset's order.
    void setColumns(const QList<GridColumn> &columns);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    void setColumnReadOnly(const QString &field, bool readOnly);

    // Column titles and field names as shown, left to right.
    QStringList titles() const;

Q_SIGNALS:
    // A mouse click on a cell (OnCellClick). wasCurrent tells whether the cell
    // was already the current one before the click.
    void cellClicked(const QModelIndex &index, bool wasCurrent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void bind();
    void followDataset(int row);

    DataSource *m_source = nullptr;
    DatasetModel *m_model = nullptr;
    QList<GridColumn> m_columns;
    bool m_readOnly = true;
    bool m_syncing = false;
    bool m_pressedOnCurrent = false;
};
