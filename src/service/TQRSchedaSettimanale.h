#pragma once
#include "Dataset.h"
#include "PianificazioneSettimanale.h"
#include "Report.h"
#include <QDate>

class TDataModule1;

// The weekly service sheet of a route over its planning table SSS.DB: a page or more per planned
// day with the day's stops and their check boxes, the week's dates in the page header and the
// daily signature line. TQRServizi and TQRServiziOld are its two layouts.
class TQRSchedaSettimanale : public Report
{
public:
    ~TQRSchedaSettimanale() override;

    // The planning table in the layout's definition, with the day name and the stop's address.
    Table SSS;
    LayoutScheda layout() const { return lay; }

    // Set before each print: the reference date of the weeks, the route's description and agent.
    QDate riferimento;
    QString descrizioneGiro;
    QString agenteGiro;

    // "Dal  15/01/2024", "Al  20/01/2024" for the week of the current row.
    QString Dal();
    QString Al();

protected:
    TQRSchedaSettimanale(TDataModule1& dm, LayoutScheda layout);

private:
    void creaTestata(double w);
    void creaGiorno(double w);
    void creaFermata(double w);
    void creaArticoli(double w);

    TDataModule1& dm;
    LayoutScheda lay;
    bool vecchia() const { return lay == LayoutScheda::Vecchia; }
    // Points of the texts: the old layout prints everything smaller.
    double punti(double corrente) const { return vecchia() ? corrente * 0.85 : corrente; }
    // The articles placed at the stop of the current row (old layout).
    Query QryArticoli;
};
