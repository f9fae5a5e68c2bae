#include "platform/widgets/FieldLink.h"

#include "platform/Application.h"
#include "platform/data/DataSource.h"
#include "platform/data/Dataset.h"

FieldLink::FieldLink(QObject *parent, std::function<void()> onChange)
    : QObject(parent), m_onChange(std::move(onChange))
{
}

void FieldLink::bind(DataSource *source, const QString &field)
{
    m_source = source;
    m_field = field;
    if (source)
        connect(source, &DataSource::datasetChanged, this, &FieldLink::connectDataset);
    connectDataset();
}

void FieldLink::connectDataset()
{
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    if (Dataset *ds = dataset()) {
        auto changed = [this] {
            if (!m_updating)
                m_onChange();
        };
        m_connections << connect(ds, &Dataset::currentChanged, this, changed)
                      << connect(ds, &Dataset::reset, this, changed)
                      << connect(ds, &Dataset::stateChanged, this, changed)
                      << connect(ds, &Dataset::rowChanged, this, [this, ds, changed](int row) {
                             if (row == ds->currentRow())
                                 changed();
                         });
    }
    m_onChange();
}

Dataset *FieldLink::dataset() const
{
    return m_source ? m_source->dataset() : nullptr;
}

bool FieldLink::isBound() const
{
    Dataset *ds = dataset();
    return ds && ds->isOpen() && !m_field.isEmpty() && ds->fieldIndex(m_field) >= 0;
}

QString FieldLink::text() const
{
    Dataset *ds = dataset();
    if (!isBound() || ds->currentRow() < 0)
        return QString();
    return ds->text(m_field);
}

bool FieldLink::setText(const QString &text)
{
    if (!isBound())
        return false;
    m_updating = true;
    const bool ok = guarded([&] { dataset()->setValue(m_field, text); });
    m_updating = false;
    if (!ok)
        m_onChange();
    return ok;
}

int FieldLink::width() const
{
    if (!isBound())
        return 0;
    const auto &f = dataset()->field(dataset()->fieldIndex(m_field));
    return f.def.type == ColumnType::Text ? f.def.width : 0;
}
