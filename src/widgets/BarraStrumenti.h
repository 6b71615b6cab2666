#pragma once
#include "DbNavigator.h"
#include <QFrame>

class DataSource;
class Prompts;
class QHBoxLayout;
class QIcon;
class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;

// The tool bar of a screen, and of a row of buttons inside it: a row of buttons of one size
// with their drawn images (Icone) and hints, which never take the focus from the fields,
// groups parted by a gap or a sunken line, and "Chiudi" at the right end.
//
//     auto* barra = new BarraStrumenti(this);
//     nav = barra->navigatore(dm.DSAgenti, Nav::Browse | Nav::Editing, dm.prompts);
//     SBtnRicerca = barra->pulsante(Icone::ricerca(), "Ricerca", "SBtnRicerca");
//     btnChiudi = barra->chiudi();
class BarraStrumenti : public QFrame
{
public:
    enum class Aspetto {
        Rialzata,   // a raised panel across the top of the screen
        Piatta,     // no frame nor margins: a row of a page ("Sedi" with its navigator)
    };
    explicit BarraStrumenti(QWidget* parent, Aspetto aspetto = Aspetto::Rialzata);

    // The navigator of a data source, with the standard hints.
    DbNavigator* navigatore(DataSource& ds, NavButtons pulsanti, Prompts& prompts, const QString& nome = {});
    // A button with its image and hint; with a caption ("1", "2" of the prints) the caption
    // stands beside the image on a wider button.
    QToolButton* pulsante(const QIcon& icona, const QString& suggerimento, const QString& nome = {},
                          const QString& didascalia = {});
    // A push button with a caption ("Nota credito"), never a default button.
    QPushButton* comando(const QString& testo, const QString& suggerimento = {});
    // A caption at the start of a row ("Se&di"), as wide as eight digits at least.
    QLabel* etichetta(const QString& testo);
    void aggiungi(QWidget* w);
    // A gap between two groups of buttons.
    void spazio(int larghezza = 10);
    // A sunken line between two groups of buttons.
    void separatore();
    // What comes next goes to the right end.
    void allunga();
    // "Chiudi", at the right end; it is added last and the caller connects it.
    QPushButton* chiudi();

private:
    QHBoxLayout* fila;
};

// The layout of a window whose tool bar runs across its top: the bar, and under it the body
// with the window's side margins, which the caller fills (a list, a form) and which stretches.
QVBoxLayout* sottoLaBarra(QWidget* finestra, BarraStrumenti* barra);

// A tool button with its drawn image `lato` pixels square and its hint; it never takes the
// focus from the fields. The buttons of BarraStrumenti and of the main window are made so.
QToolButton* pulsanteStrumento(const QIcon& icona, const QString& suggerimento, int lato, QWidget* parent);

// The tool bar of a maintenance screen (agents, articles): the navigator of the screen's table
// (moves, insert, delete after "Elimino il record?", post, cancel) on a raised panel; the
// screen's own buttons follow it.
class BarraAnagrafica : public BarraStrumenti
{
public:
    BarraAnagrafica(DataSource& ds, Prompts& prompts, QWidget* parent);

    DbNavigator* navigatore;
};
