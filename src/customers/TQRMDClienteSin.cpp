#include "TQRMDClienteSin.h"

#include "TDataModule1.h"
#include "TQRStile.h"

namespace {

const QColor grigio(225, 225, 225);
constexpr double xValore = 52;

} // namespace

TQRMDClienteSin::TQRMDClienteSin(TDataModule1& dati) : dm(dati), QryTotali(dati.db, QStringLiteral("QryTotali"))
{
    QryTotali.setSql(QStringLiteral(
        "SELECT Totali.Quantita, Servizi.Descrizione, Servizi.Tipo "
        "FROM Totali LEFT JOIN Servizi ON Totali.Servizio = Servizi.Codice ORDER BY Servizi.Descrizione"));

    setMargins(15, 10, 15, 10);
    setDataset(&dm.TblClienti);
    beforeRun = [this] { return QRMDClienteSinBeforePrint(); };
    afterRun = [this] { QryTotali.close(); };
    const double w = bodyWidth();
    Table& c = dm.TblClienti;

    font = reportFont(8);
    pageHeader(7).addPageNumber(w - 40, 0, 40, 4.5, QStringLiteral("Pag. %1")).setAlignment(Qt::AlignRight);

    font = reportFont(16, QFont::Bold);
    auto& testa = titleBand(16);
    testa.addLabel(0, 1, w, 9, QStringLiteral("SCHEDA CLIENTE SINTETICA")).setAlignment(Qt::AlignHCenter);
    testa.addHLine(0, 12, w, 0.6);

    // Label and value, one line each; the notes may run over several lines, so they close the band.
    auto& cliente = detail(60);
    double y = 1;
    auto voce = [&](const QString& etichetta) {
        font = reportFont(10, QFont::Bold);
        cliente.addLabel(0, y, xValore - 2, 5, etichetta);
        font = reportFont(10);
        const double at = y;
        y += 6.5;
        return at;
    };
    nome = &cliente.addExpression(xValore, voce(QStringLiteral("Cliente:")), w - xValore, 5, [this] {
        return dm.TblClienti["Denominazione"].asString() + ' ' + dm.TblClienti["Denominazione 2"].asString();
    });
    nome->setBold();
    cliente.addExpression(xValore, voce(QStringLiteral("Sede:")), w - xValore, 5, [this] {
        return dm.TblClienti["Indirizzo"].asString() + ' ' + dm.TblClienti["Comune"].asString();
    });
    cliente.addExpression(xValore, voce(QStringLiteral("P. IVA/Cod. fisc:")), w - xValore, 5, [this] {
        const QString piva = dm.TblClienti["Partita iva"].asString();
        return piva.trimmed().isEmpty() ? dm.TblClienti["Codice fiscale"].asString() : piva;
    });
    cliente.addField(xValore, voce(QStringLiteral("Data contratto:")), 40, 5, c, QStringLiteral("Data contratto"));
    cliente.addField(xValore, voce(QStringLiteral("Data scadenza:")), 40, 5, c, QStringLiteral("Data scadenza"));
    cliente.addField(xValore, voce(QStringLiteral("Numero c/c:")), w - xValore, 5, c, QStringLiteral("Numero cc"));
    banca = &cliente.addField(xValore, voce(QStringLiteral("Banca:")), w - xValore, 5, c, QStringLiteral("Banca"));
    cliente.addField(xValore, voce(QStringLiteral("Codizioni di pagamento:")), w - xValore, 5, c, QStringLiteral("Condizioni"));
    cliente.addField(xValore, voce(QStringLiteral("Note:")), w - xValore, 5, c, QStringLiteral("Note")).setWordWrap();
    cliente.height = y;

    auto& importi = cliente.child(24);
    importi.addShade(0, 2, 95, 20, grigio);
    importi.addFrame(0, 2, 95, 20, 0.3);
    double yi = 3;
    auto importo = [&](const QString& etichetta, const QString& campo) {
        font = reportFont(10, QFont::Bold);
        importi.addLabel(3, yi, 40, 5.5, etichetta);
        auto& valore = importi.addField(45, yi, 47, 5.5, dm.TblClienti, campo);
        valore.setAlignment(Qt::AlignRight);
        yi += 6.2;
        return &valore;
    };
    imponibile = importo(QStringLiteral("IMPONIBILE:"), QStringLiteral("Imponibile"));
    iva = importo(QStringLiteral("IVA:"), QStringLiteral("Iva"));
    totale = importo(QStringLiteral("TOTALE:"), QStringLiteral("Totale"));
    cliente.beforePrint = [this](Band&) {
        // Long names stay on their line in a smaller type.
        TQRStile::adattaAllaLarghezza(*nome, 10);
        TQRStile::adattaAllaLarghezza(*banca, 10);
        const QString maschera = dm.TblClienti["Millesimi"].asBoolean() ? QStringLiteral("'€ '#,.000;;#")
                                                                        : QStringLiteral("'€ '#,.00;;#");
        for (ReportText* t : {imponibile, iva, totale})
            t->setMask(maschera);
        return true;
    };

    // The totals per article.
    auto& totali = addSubDetail(QryTotali);
    auto& testaTotali = totali.header(16);
    testaTotali.keepWithNext = true;
    testaTotali.repeatOnNewPage = true;
    font = reportFont(11, QFont::Bold);
    testaTotali.addLabel(0, 3, 60, 6, QStringLiteral("TOTALI"));
    testaTotali.addShade(0, 10, w, 5.5, grigio);
    font = reportFont(9, QFont::Bold);
    testaTotali.addLabel(0, 10.5, 18, 4.5, QStringLiteral("Qta'")).setAlignment(Qt::AlignRight);
    testaTotali.addLabel(24, 10.5, 122, 4.5, QStringLiteral("Descrizione"));
    testaTotali.addLabel(148, 10.5, w - 148, 4.5, QStringLiteral("Tipo"));
    auto& riga = totali.detail(5);
    font = reportFont(10);
    riga.addField(0, 0.4, 18, 4.5, QryTotali, QStringLiteral("Quantita")).setAlignment(Qt::AlignRight);
    riga.addField(24, 0.4, 122, 4.5, QryTotali, QStringLiteral("Descrizione"));
    riga.addField(148, 0.4, w - 148, 4.5, QryTotali, QStringLiteral("Tipo"));
    riga.addHLine(0, 5, w, 0.1).setColor(Qt::lightGray);
}

TQRMDClienteSin::~TQRMDClienteSin() = default;

bool TQRMDClienteSin::QRMDClienteSinBeforePrint()
{
    // Totali.DB is rebuilt for the customers of the table as filtered: this customer only.
    dm.RicalcolaTotali();
    QryTotali.close();
    QryTotali.open();
    name = QStringLiteral("Scheda sintetica ") + dm.TblClienti["Denominazione"].asString();
    return true;
}
