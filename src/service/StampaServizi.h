#pragma once
#include "PianificazioneSettimanale.h"
#include <QDate>
#include <memory>

class Database;
class TDataModule1;
class TQRSchedaSettimanale;
class TQRServizi;
class TQRServiziOld;

// The weekly service sheet of a route, as the routes window and lavanderia-cli print it: the
// route planned into SSS.DB, then the sheet of the chosen layout over it. The reports are made
// on first use and kept.
class StampaServizi
{
public:
    explicit StampaServizi(TDataModule1& dm);
    ~StampaServizi();

    // Plans route `iter` and readies the layout's sheet with the reference date and the route's
    // description and agent; preview, print or export it, then call Chiudi. An unknown route is
    // refused with a LavError.
    TQRSchedaSettimanale& Prepara(int iter, LayoutScheda layout, const QDate& riferimento);
    // Closes the planning table after the print.
    void Chiudi();

    // The code of the route with this description (letter case aside), 0 when there is none.
    static int CercaGiro(Database& db, const QString& descrizione);

private:
    TQRSchedaSettimanale& report(LayoutScheda layout);

    TDataModule1& dm;
    std::unique_ptr<TQRServizi> qrServizi;
    std::unique_ptr<TQRServiziOld> qrServiziOld;
};
