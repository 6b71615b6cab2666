#include "TQRDocumenti.h"

#include "ColonneScheda.h"
#include "TDataModule1.h"

namespace {

enum { Data, Numero, Causale, RifFattura, Dare, Avere, Saldo, Controp };

const QString maskDareAvere = QStringLiteral("#,.00;#,.00;#");
const QString maskSaldo = QStringLiteral("#,.00;-#,.00;#");

} // namespace

TQRDocumenti::TQRDocumenti(TDataModule1& dati)
    : dm(dati),
      scheda(std::make_unique<ColonneScheda>(
          *this, dm.TblPrimaNota, std::vector<double>{0, 18, 32, 82, 114, 134, 154, 174, 190},
          QStringList{"Data", "Numero", "Causale", "Rif. fattura", "Dare", "Avere", "Saldo", "Controp."}))
{
    title = QStringLiteral("Scheda contabile");
    setMargins(10);
    setDataset(&dm.TblPrimaNota);
    beforeRun = [this] {
        scheda->azzera();
        name = title + ' ' + dm.TblClienti["Denominazione"].asString();
        return true;
    };
    const double w = bodyWidth();
    Table& c = dm.TblClienti;
    Table& pn = dm.TblPrimaNota;

    // The customer on every page.
    auto& testa = pageHeader(44);
    font = reportFont(8);
    testa.addPageNumber(w - 40, 0, 40, 4.5, QStringLiteral("pag. %1")).setAlignment(Qt::AlignRight);
    font = reportFont(15, QFont::Bold);
    testa.addExpression(0, 3, w, 8, [this] { return title; });
    font = reportFont(10, QFont::Bold);
    testa.addLabel(0, 14, 32, 5, QStringLiteral("Cliente:"));
    testa.addLabel(0, 35, 32, 5, QStringLiteral("P. iva/Cod. fis.:"));
    font = reportFont(10);
    testa.addField(33, 14, 120, 5, c, QStringLiteral("Denominazione")).setBold();
    testa.addField(33, 19, 120, 5, c, QStringLiteral("Denominazione 2"));
    testa.addField(33, 24, 120, 5, c, QStringLiteral("Indirizzo"));
    testa.addField(33, 29, 120, 5, c, QStringLiteral("Comune"));
    testa.addField(33, 35, 30, 5, c, QStringLiteral("Partita iva"));
    testa.addField(66, 35, 50, 5, c, QStringLiteral("Codice fiscale"));

    scheda->intestazione();

    // One line per entry: invoices under "Dare", collections under "Avere", without sign.
    auto& riga = scheda->riga();
    font = reportFont(9);
    auto importo = [this] { return dm.TblPrimaNota["Importo"].asFloat(); };
    riga.addField(scheda->x(Data) + 1, 0.4, scheda->larghezza(Data) - 1, 4.5, pn, QStringLiteral("Data"));
    riga.addExpression(scheda->x(Numero), 0.4, scheda->larghezza(Numero) - 1.5, 4.5, [this, importo] {
        return importo() < 0 ? dm.TblPrimaNota["Fattura"].value() : QVariant();
    }, QStringLiteral("#")).setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(Causale) + 1.5, 0.4, scheda->larghezza(Causale) - 3, 4.5, pn, QStringLiteral("Causale")).setWordWrap();
    riga.addExpression(scheda->x(RifFattura), 0.4, 12, 4.5, [this, importo] {
        return importo() > 0 ? dm.TblPrimaNota["Fattura"].value() : QVariant();
    }, QStringLiteral("# \"-\";;#")).setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(RifFattura) + 13, 0.4, scheda->larghezza(RifFattura) - 13, 4.5, pn, QStringLiteral("DataRif"));
    riga.addExpression(scheda->x(Dare), 0.4, scheda->larghezza(Dare) - 1.5, 4.5, [importo] {
        return importo() < 0 ? QVariant(importo()) : QVariant();
    }, maskDareAvere).setAlignment(Qt::AlignRight);
    riga.addExpression(scheda->x(Avere), 0.4, scheda->larghezza(Avere) - 1.5, 4.5, [importo] {
        return importo() > 0 ? QVariant(importo()) : QVariant();
    }, maskDareAvere).setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(Saldo), 0.4, scheda->larghezza(Saldo) - 1.5, 4.5, pn, QStringLiteral("Saldo"), maskSaldo)
        .setAlignment(Qt::AlignRight);
    mastro = &riga.addField(scheda->x(Controp), 0.4, 9, 4.5, pn, QStringLiteral("MastroCP"), QStringLiteral("# \"/\";;#"));
    mastro->setAlignment(Qt::AlignRight);
    conto = &riga.addField(scheda->x(Controp) + 9.8, 0.4, scheda->larghezza(Controp) - 10, 4.5, pn, QStringLiteral("ContoCP"),
                           QStringLiteral("#"));
    riga.beforePrint = [this](Band&) {
        // The counter-account only for the settlement of an invoice.
        const bool saldo = dm.TblPrimaNota["Causale"].asString() == QLatin1String("Saldo fattura");
        mastro->visible = conto->visible = saldo;
        return true;
    };

    // The sums and the last balance.
    scheda->totali(maskDareAvere, maskSaldo).keepWithPrevious = true;     // never alone at the top of a page
}

TQRDocumenti::~TQRDocumenti() = default;
