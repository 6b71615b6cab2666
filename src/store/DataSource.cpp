#include "DataSource.h"

DataSource::DataSource(Dataset* ds, QObject* parent) : QObject(parent)
{
    setDataset(ds);
}

void DataSource::setDataset(Dataset* ds)
{
    for (auto& c : links)
        disconnect(c);
    links.clear();
    data = ds;
    if (ds) {
        links << connect(ds, &Dataset::stateChanged, this, &DataSource::stateChanged);
        links << connect(ds, &Dataset::recordChanged, this, &DataSource::recordChanged);
        links << connect(ds, &Dataset::fieldChanged, this, &DataSource::fieldChanged);
        links << connect(ds, &Dataset::rowsChanged, this, &DataSource::rowsChanged);
    }
    Q_EMIT datasetChanged();
}
