#pragma once
#include <QFrame>

class DataSource;
class DbNavigator;
class Prompts;
class QHBoxLayout;
class QIcon;
class QLabel;
class QPushButton;
class QToolButton;

// The tool bar of the agents and articles screens: a raised panel with the navigator of the
// screen's table (moves, insert, delete after asking, post, cancel), the screen's own buttons
// after it and "Chiudi" on the right.
class BarraAnagrafica : public QFrame
{
public:
    BarraAnagrafica(DataSource& ds, Prompts& prompts, QWidget* parent);

    // A button with its 16 × 16 image and hint, after the ones added before it; it never takes
    // the focus from the fields.
    QToolButton* pulsante(const QIcon& icona, const QString& suggerimento);
    // A gap between two groups of buttons.
    void spazio();
    // "Chiudi", at the right end; it is added last.
    QPushButton* chiudi();

    DbNavigator* navigatore;

private:
    QHBoxLayout* barra;
};

// A field that is shown but never typed into: a sunken box as tall as an edit box.
void comeCampoSoloLettura(QLabel* l, int larghezza);
