#pragma once
#include "DbGridColumn.h"
#include <QDialog>
#include <QList>

class DataSource;
class DbGrid;
class DbNavigator;
class Prompts;
class QLineEdit;

// The search window beside a maintenance screen: a box over the navigator and a read-only grid
// of the screen's table. Typing moves the table to the first record whose key, in the order of
// the table's index, sorts at or after the text, ignoring letter case; the grid is held still
// while the table moves. The box has the focus whenever the window is activated.
class FinestraRicerca : public QDialog
{
    Q_OBJECT
protected:
    // etichetta: the caption of the box; campo: the field searched, which names the box.
    FinestraRicerca(DataSource& ds, Prompts& prompts, const QString& etichetta, const QString& campo,
                    const QList<DbGridColumn>& colonne, QWidget* parent);

    bool event(QEvent* e) override;

public:
    QLineEdit* edtRicerca;
    DbNavigator* navRicerca;
    DbGrid* grdRicerca;

private:
    void RicercaChange(const QString& testo);

    DataSource& ds;
    Prompts& prompts;
};
