#pragma once
#include <QObject>
#include <QPointer>

class DataSource;
class QWidget;

// Keeps a window's caption as its title followed by the state of a data source in square
// brackets: "Agenti [Visualizzazione]", "Agenti [Modifica]".
class StateCaption : public QObject
{
    Q_OBJECT
public:
    StateCaption(QWidget* window, const QString& title, DataSource& source);

    void setTitle(const QString& title);
    QString title() const { return caption; }
    void update();

private:
    QWidget* window;
    QString caption;
    QPointer<DataSource> source;
};

// The caption of window follows the state of source from now on; the object goes with the window.
StateCaption* followState(QWidget* window, const QString& title, DataSource& source);
