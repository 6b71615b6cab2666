#include "TQRDocumenti.h"

#include "TDataModule1.h"

namespace {

const QColor grigio(225, 225, 225);

// Columns: Data, Numero, Causale, Rif. fattura, Dare, Avere, Saldo, Controp.; the last value
// is the right edge.
constexpr double colonna[] = {0, 18, 32, 82, 114, 134, 154, 174, 190};
enum { Data, Numero, Causale, RifFattura, Dare, Avere, Saldo, Controp };

double larghezza(int i) { return colonna[i + 1] - colonna[i]; }

const QString maskDareAvere = QStringLiteral("#,.00;#,.00;#");
const QString maskSaldo = QStringLiteral("#,.00;-#,.00;#");

} // namespace

TQRDocumenti::TQRDocumenti(TDataModule1& dati) : dm(dati)
{
    title = QStringLiteral("Scheda contabile");
    setMargins(10);
    setDataset(&dm.TblPrimaNota);
    beforeRun = [this] {
        totaleDare = totaleAvere = Money();
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

    auto& colonne = columnHeader(7);
    colonne.setFrame(Band::AllSides, 0.3);
    colonne.addShade(0, 0, w, 7, grigio);
    font = reportFont(9, QFont::Bold);
    const char* const titoli[] = {"Data", "Numero", "Causale", "Rif. fattura", "Dare", "Avere", "Saldo", "Controp."};
    for (int i = 0; i < 8; ++i) {
        colonne.addLabel(colonna[i], 0, larghezza(i), 7, QString::fromLatin1(titoli[i])).setAlignment(Qt::AlignCenter);
        if (i > 0)
            colonne.addVLine(colonna[i], 0, 7, 0.2);
    }

    // One line per entry: invoices under "Dare", collections under "Avere", without sign.
    auto& riga = detail(5);
    riga.setFrame(Band::Left | Band::Right, 0.3);
    for (int i = 1; i < 8; ++i)
        riga.addVLine(colonna[i], 0, 5, 0.2).setToBandBottom();
    riga.addHLine(0, 0, w, 0.1).setColor(Qt::lightGray);
    font = reportFont(9);
    auto importo = [this] { return dm.TblPrimaNota["Importo"].asFloat(); };
    riga.addField(colonna[Data] + 1, 0.4, larghezza(Data) - 1, 4.5, pn, QStringLiteral("Data"));
    riga.addExpression(colonna[Numero], 0.4, larghezza(Numero) - 1.5, 4.5, [this, importo] {
        return importo() < 0 ? dm.TblPrimaNota["Fattura"].value() : QVariant();
    }, QStringLiteral("#")).setAlignment(Qt::AlignRight);
    riga.addField(colonna[Causale] + 1.5, 0.4, larghezza(Causale) - 3, 4.5, pn, QStringLiteral("Causale")).setWordWrap();
    riga.addExpression(colonna[RifFattura], 0.4, 12, 4.5, [this, importo] {
        return importo() > 0 ? dm.TblPrimaNota["Fattura"].value() : QVariant();
    }, QStringLiteral("# \"-\";;#")).setAlignment(Qt::AlignRight);
    riga.addField(colonna[RifFattura] + 13, 0.4, larghezza(RifFattura) - 13, 4.5, pn, QStringLiteral("DataRif"));
    riga.addExpression(colonna[Dare], 0.4, larghezza(Dare) - 1.5, 4.5, [importo] {
        return importo() < 0 ? QVariant(importo()) : QVariant();
    }, maskDareAvere).setAlignment(Qt::AlignRight);
    riga.addExpression(colonna[Avere], 0.4, larghezza(Avere) - 1.5, 4.5, [importo] {
        return importo() > 0 ? QVariant(importo()) : QVariant();
    }, maskDareAvere).setAlignment(Qt::AlignRight);
    riga.addField(colonna[Saldo], 0.4, larghezza(Saldo) - 1.5, 4.5, pn, QStringLiteral("Saldo"), maskSaldo)
        .setAlignment(Qt::AlignRight);
    mastro = &riga.addField(colonna[Controp], 0.4, 9, 4.5, pn, QStringLiteral("MastroCP"), QStringLiteral("# \"/\";;#"));
    mastro->setAlignment(Qt::AlignRight);
    conto = &riga.addField(colonna[Controp] + 9.8, 0.4, larghezza(Controp) - 10, 4.5, pn, QStringLiteral("ContoCP"),
                           QStringLiteral("#"));
    riga.beforePrint = [this](Band&) {
        // The counter-account only for the settlement of an invoice.
        const bool saldo = dm.TblPrimaNota["Causale"].asString() == QLatin1String("Saldo fattura");
        mastro->visible = conto->visible = saldo;
        return true;
    };
    riga.afterPrint = [this](Band&) {
        totaleDare += dm.TblPrimaNota["Dare"].asMoney();
        totaleAvere += dm.TblPrimaNota["Avere"].asMoney();
    };

    // The sums and the last balance.
    auto& totali = summary(7);
    totali.keepWithPrevious = true;     // never alone at the top of a page
    totali.setFrame(Band::AllSides, 0.3);
    totali.addHLine(0, 0, w, 0.6);
    for (int i : {Dare, Avere, Saldo, Controp})
        totali.addVLine(colonna[i], 0, 7, 0.2);
    font = reportFont(9, QFont::Bold);
    totali.addLabel(0, 1.2, colonna[Dare] - 3, 4.5, QStringLiteral("Totali")).setAlignment(Qt::AlignRight);
    totali.addExpression(colonna[Dare], 1.2, larghezza(Dare) - 1.5, 4.5, [this] { return QVariant(totaleDare.toDouble()); },
                         maskDareAvere).setAlignment(Qt::AlignRight);
    totali.addExpression(colonna[Avere], 1.2, larghezza(Avere) - 1.5, 4.5, [this] { return QVariant(totaleAvere.toDouble()); },
                         maskDareAvere).setAlignment(Qt::AlignRight);
    totali.addField(colonna[Saldo], 1.2, larghezza(Saldo) - 1.5, 4.5, pn, QStringLiteral("Saldo"), maskSaldo)
        .setAlignment(Qt::AlignRight);
}

TQRDocumenti::~TQRDocumenti() = default;
