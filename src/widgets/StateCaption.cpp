#include "StateCaption.h"
#include "DataSource.h"
#include <QWidget>

StateCaption::StateCaption(QWidget* w, const QString& title, DataSource& src)
    : QObject(w), window(w), caption(title), source(&src)
{
    connect(&src, &DataSource::stateChanged, this, &StateCaption::update);
    connect(&src, &DataSource::datasetChanged, this, &StateCaption::update);
    update();
}

void StateCaption::setTitle(const QString& title)
{
    caption = title;
    update();
}

void StateCaption::update()
{
    // The format "%S [%S]".
    const DatasetState st = source ? source->state() : DatasetState::Inactive;
    window->setWindowTitle(QStringLiteral("%1 [%2]").arg(caption, stateName(st)));
}

StateCaption* followState(QWidget* window, const QString& title, DataSource& source)
{
    return new StateCaption(window, title, source);
}
