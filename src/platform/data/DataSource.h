#pragma once

#include <QObject>

class Dataset;

// Joins a dataset to the controls that show it.
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(Dataset *dataset = nullptr, QObject *parent = nullptr)
        : QObject(parent), m_dataset(dataset) {}
    Dataset *dataset() const { return m_dataset; }
    void setDataset(Dataset *dataset)
    {
        m_dataset = dataset;
        Q_EMIT datasetChanged();
    }

Q_SIGNALS:
    void datasetChanged();

private:
    Dataset *m_dataset;
};
