#pragma once
#include "Dataset.h"
#include "Report.h"

class TDataModule1;

// The customer sheet "SCHEDA CLIENTE N°" of the current customer, or with ModoElenco set the list
// "ELENCO CLIENTI" of every customer of the customer table as filtered: customer data, sites with
// their visit frequency, rented articles and totals per article. The caller prepares it once,
// sets the page count as its title (printed as the total in the page footer), then previews or
// prints it.
class TQRMDClienti : public Report
{
public:
    explicit TQRMDClienti(TDataModule1& dm);
    ~TQRMDClienti() override;

    // The visit frequency of the site TblSedi stands on: its Frequenza when filled, else one
    // line per intervention row ("Sett. n°1: Lun[F] Ven[O] "), CR LF between the lines.
    QString FrequenzaVisite();

private:
    bool QRMDClientiBeforePrint();
    bool QRBandClienteBeforePrint();
    bool QRBandSedeBeforePrint(Band& sede);
    bool QRSubDetailTotaliBeforeRun();
    bool QRSubDetailNoleggiBeforeRun();
    ReportText& colonneArticoli(Band& b, double y);
    ReportText& rigaArticoli(Band& b, Dataset& ds, const QString& prezzo, std::function<QVariant()> inUso);
    QString mascheraPrezzo() const;

    TDataModule1& dm;
    // The rentals of the current site and the totals of the current customer, with the
    // description and type of their article.
    Query QryNoleggi, QryTotali;

    bool stampaTotali = true;        // the totals section follows the sites of each customer
    int clientiStampati = 0;
    ReportText* scheda = nullptr;
    ReportText* titolo = nullptr;
    ReportText* codiceModulo = nullptr;
    ReportText* nomeCliente = nullptr;
    ReportText* imponibile = nullptr;
    ReportText* indirizzoSede = nullptr;
    std::vector<ReportText*> rigaChiavi;
    ReportText* prezzoNoleggio = nullptr;
    ReportText* intestazionePrezzo = nullptr;
    ReportText* prezzoTotale = nullptr;
    ReportText* etichettaTotaleClienti = nullptr;
    ReportText* totaleClienti = nullptr;
};
