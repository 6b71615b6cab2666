#pragma once
#include "Dataset.h"
#include <QObject>
#include <QPointer>

// Links a dataset to the controls that show it. It forwards the dataset's notifications and
// says whether typing into a control may start editing by itself (AutoEdit).
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(Dataset* ds = nullptr, QObject* parent = nullptr);

    void setDataset(Dataset* ds);
    Dataset* dataset() const { return data; }
    DatasetState state() const { return data ? data->state() : DatasetState::Inactive; }

    bool autoEdit = true;
    int tag = 0;

    // Suspends the notifications towards the controls (nested).
    void suspend() { if (data) data->disableControls(); }
    void resume() { if (data) data->enableControls(); }

Q_SIGNALS:
    void stateChanged();
    void recordChanged();
    void fieldChanged(Field* f);
    void rowsChanged();
    void datasetChanged();

private:
    QPointer<Dataset> data;
    QList<QMetaObject::Connection> links;
};
