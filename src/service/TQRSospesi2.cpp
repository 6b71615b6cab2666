#include "TQRSospesi2.h"
#include "TDataModule1.h"

TQRSospesi2::TQRSospesi2(TDataModule1& dati) : QryTotali(dati.db, QStringLiteral("QryTotali")), dm(dati)
{
    QryTotali.setSql(QStringLiteral(
        "SELECT t.Servizio, t.Totale, COALESCE(Servizi.Descrizione, '') || ' ' || COALESCE(Servizi.Tipo, '') AS CcServizio "
        "FROM (SELECT Sospesi.Servizio AS Servizio, SUM(Sospesi.Quantita) AS Totale FROM Sospesi "
        "JOIN Sedi ON Sospesi.Sede = Sedi.Codice JOIN Clienti ON Sedi.\"Codice cliente\" = Clienti.Codice "
        "GROUP BY Sospesi.Servizio) t LEFT JOIN Servizi ON Servizi.Codice = t.Servizio ORDER BY t.Servizio"));

    title = QStringLiteral("Elenco sospesi");
    printIfEmpty = true;
    setOrientation(QPageLayout::Landscape);
    setMargins(10);
    setDataset(&QryTotali);
    beforeRun = [this] {
        QryTotali.close();
        QryTotali.open();
        return true;
    };
    const double w = bodyWidth();

    auto& testa = pageHeader(7);
    font.setPointSizeF(8);
    testa.addPageNumber(w - 40, 0, 40, 5, QStringLiteral("Pag. %1")).setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto& titolo = titleBand(14);
    font.setPointSizeF(12);
    font.setBold(true);
    titolo.addHLine(0, 2, w, 0.4);
    titolo.addLabel(0, 5, 120, 7, QStringLiteral("TOTALI"));

    auto& riga = detail(4.8);
    font.setPointSizeF(9);
    font.setBold(false);
    riga.addField(0, 0.3, 120, 4.5, QryTotali, QStringLiteral("CcServizio"));
    riga.addField(122, 0.3, 30, 4.5, QryTotali, QStringLiteral("Totale"), QStringLiteral("#,")).setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto& somma = summary(12);
    font.setBold(true);
    somma.addExpression(0, 5, w, 5, [this] { return etichettaRevisione; });
}

TQRSospesi2::~TQRSospesi2() = default;
