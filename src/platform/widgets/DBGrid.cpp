#include "platform/widgets/DBGrid.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"

#include <QApplication>
#include <QHeaderView>
#include <QFocusEvent>
#include <QMouseEvent>

DBGrid::DBGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setFixedWidth(14);
    horizontalHeader()->setHighlightSections(false);
    setAlternatingRowColors(false);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        Q_EMIT cellClicked(index, m_pressedOnCurrent);
    });
}

void DBGrid::setDataSource(DataSource *source)
{
    m_source = source;
    bind();
    connect(source, &DataSource::datasetChanged, this, &DBGrid::bind);
}

Dataset *DBGrid::dataset() const
{
    return m_source ? m_source->dataset() : nullptr;
}

void DBGrid::bind()
{
    delete m_model;
    m_model = nullptr;
    Dataset *ds = dataset();
    if (!ds)
        return;
    m_model = new DatasetModel(ds, this);
    connect(m_model, &DatasetModel::refused, this, [](const QString &message) { Dialogs::showError(message); });
    m_model->setColumns(m_columns);
    m_model->setReadOnly(m_readOnly);
    setModel(m_model);
    connect(ds, &Dataset::currentChanged, this, &DBGrid::followDataset);
    connect(ds, &Dataset::reset, this, [this] { followDataset(dataset()->currentRow()); });
    followDataset(ds->currentRow());
}

void DBGrid::setColumns(const QList<GridColumn> &columns)
{
    m_columns = columns;
    if (m_model)
        m_model->setColumns(columns);
}

void DBGrid::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (m_model)
        m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
}

bool DBGrid::isReadOnly() const
{
    return m_readOnly;
}

void DBGrid::setColumnReadOnly(const QString &field, bool readOnly)
{
    if (m_model)
        m_model->setColumnReadOnly(field, readOnly);
}

QStringList DBGrid::titles() const
{
    QStringList list;
    if (!m_model)
        return list;
    for (int c = 0; c < m_model->columnCount(); ++c)
        list << m_model->headerData(c, Qt::Horizontal).toString();
    return list;
}

void DBGrid::followDataset(int row)
{
    if (!m_model)
        return;
    const QModelIndex cur = currentIndex();
    if (row < 0) {
        return;
    }
    if (cur.isValid() && cur.row() == row)
        return;
    m_syncing = true;
    const int column = cur.isValid() ? cur.column() : 0;
    setCurrentIndex(m_model->index(row, std::max(0, column)));
    m_syncing = false;
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    Dataset *ds = dataset();
    if (m_syncing || !ds || !current.isValid() || current.row() == ds->currentRow())
        return;
    // Leaving a row stores it; when the row is refused the cursor goes back.
    const int target = current.row();
    guarded([&] { ds->moveTo(target); });
    if (ds->currentRow() != target) {
        // Put the cursor back once the view has finished moving it.
        QMetaObject::invokeMethod(this, [this] {
            if (Dataset *d = dataset())
                followDataset(d->currentRow());
        }, Qt::QueuedConnection);
    }
}

void DBGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    m_pressedOnCurrent = at.isValid() && at == currentIndex();
    QTableView::mousePressEvent(event);
}

void DBGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    // The focus went to a cell editor of this grid: the grid has not been left.
    QWidget *to = QApplication::focusWidget();
    if (to && isAncestorOf(to))
        return;
    if (Dataset *ds = dataset())
        ds->discardUnchangedInsert();
}
