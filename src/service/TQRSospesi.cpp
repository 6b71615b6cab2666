#include "TQRSospesi.h"
#include "DateIt.h"
#include "ElencoSospesi.h"
#include "TDataModule1.h"

namespace {

// Columns in millimetres from the left margin (landscape).
constexpr double xData = 0, wData = 24;
constexpr double xCliente = 26, wCliente = 76;
constexpr double xSede = 104, wSede = 88;
constexpr double xDescrizione = 194, wDescrizione = 60;

const QColor grigio(225, 225, 225);

} // namespace

TQRSospesi::TQRSospesi(TDataModule1& dati) : QrySospesi(dati.db, QStringLiteral("QrySospesi")), dm(dati)
{
    // Identical rows (same date, customer, address, article and number) print once.
    QrySospesi.setSql(QStringLiteral(
        "SELECT DISTINCT Sospesi.Data, COALESCE(Clienti.Denominazione, '') || ' ' || COALESCE(Clienti.\"Denominazione 2\", '') AS Cliente, "
        "Sedi.Indirizzo, Sedi.Comune, Sospesi.Servizio, Sospesi.Quantita, "
        "COALESCE(Servizi.Descrizione, '') || ' ' || COALESCE(Servizi.Tipo, '') AS CcServizio "
        "FROM Sospesi JOIN Sedi ON Sospesi.Sede = Sedi.Codice JOIN Clienti ON Sedi.\"Codice cliente\" = Clienti.Codice "
        "LEFT JOIN Servizi ON Servizi.Codice = Sospesi.Servizio "
        "ORDER BY Sospesi.Data, Cliente, Sedi.Indirizzo, Sospesi.Servizio"));

    title = QStringLiteral("Elenco sospesi");
    printIfEmpty = true;
    setOrientation(QPageLayout::Landscape);
    setMargins(10);
    setDataset(&QrySospesi);
    beforeRun = [this] { return QRSospesiBeforePrint(); };
    const double w = bodyWidth();

    auto& testa = pageHeader(7);
    font.setPointSizeF(8);
    testa.addPageNumber(w - 40, 0, 40, 5, QStringLiteral("Pag. %1")).setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto& titolo = titleBand(12);
    font.setPointSizeF(14);
    font.setBold(true);
    titolo.addLabel(0, 1, w, 8, QStringLiteral("ELENCO APPARACCHIATURE DEI CLIENTI IN MAGAZZINO")).setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto& colonne = columnHeader(7);
    colonne.addShade(0, 0, w, 6, grigio);
    colonne.addHLine(0, 6, w, 0.4);
    font.setPointSizeF(9);
    colonne.addLabel(xData + 1, 0.7, wData - 1, 5, QStringLiteral("Data"));
    colonne.addLabel(xCliente, 0.7, wCliente, 5, QStringLiteral("Cliente"));
    colonne.addLabel(xSede, 0.7, wSede, 5, QStringLiteral("Sede"));
    colonne.addLabel(xDescrizione, 0.7, wDescrizione, 5, QStringLiteral("Descrizione"));
    colonne.addLabel(xDescrizione + wDescrizione, 0.7, w - xDescrizione - wDescrizione - 1, 5, QStringLiteral("Numero"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto& riga = detail(4.8);
    font.setBold(false);
    riga.addExpression(xData + 1, 0.3, wData - 1, 4.5, [this] {
        const QString data = formatDate(QrySospesi["Data"].asDate());
        return primaRiga || data != dataPrecedente ? data : QString();
    });
    riga.addExpression(xCliente, 0.3, wCliente, 4.5, [this] {
        const QString cliente = QrySospesi["Cliente"].asString();
        return primaRiga || cliente != clientePrecedente ? cliente : QString();
    }).setWordWrap();
    riga.addExpression(xSede, 0.3, wSede, 4.5, [this] {
        const QString indirizzo = QrySospesi["Indirizzo"].asString();
        return primaRiga || indirizzo != indirizzoPrecedente ? indirizzo + u' ' + QrySospesi["Comune"].asString() : QString();
    }).setWordWrap();
    riga.addField(xDescrizione, 0.3, wDescrizione, 4.5, QrySospesi, QStringLiteral("CcServizio")).setWordWrap();
    riga.addField(xDescrizione + wDescrizione, 0.3, w - xDescrizione - wDescrizione - 1, 4.5, QrySospesi,
                  QStringLiteral("Quantita"), QStringLiteral("#,"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    riga.afterPrint = [this](Band&) {
        dataPrecedente = formatDate(QrySospesi["Data"].asDate());
        clientePrecedente = QrySospesi["Cliente"].asString();
        indirizzoPrecedente = QrySospesi["Indirizzo"].asString();
        primaRiga = false;
    };

    // A blank space after each customer.
    addGroup(QStringLiteral("Cliente")).footer(4);
}

TQRSospesi::~TQRSospesi() = default;

bool TQRSospesi::QRSospesiBeforePrint()
{
    ElencoSospesi::PulisciSospesi(dm.db);
    if (dm.TblSospesi.active() && dm.TblSospesi.state() == DatasetState::Browse)
        dm.TblSospesi.refresh();
    QrySospesi.close();
    QrySospesi.open();
    dataPrecedente.clear();
    clientePrecedente.clear();
    indirizzoPrecedente.clear();
    primaRiga = true;
    return true;
}
