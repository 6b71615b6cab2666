#include "TQRConto.h"

#include "Clock.h"
#include "DateIt.h"
#include "MovimentiConto.h"
#include "TDataModule1.h"

namespace {

// Columns: Data, Causale, Rif. fattura, Dare, Avere, Saldo, Controp.; the last value is the
// right edge.
constexpr double colonna[] = {0, 19, 77, 107, 129, 151, 173, 190};
enum { Data, Causale, RifFattura, Dare, Avere, Saldo, Controp };

double larghezza(int i) { return colonna[i + 1] - colonna[i]; }

// Two decimals with thousands, no sign, zero left blank.
const QString maskImporti = QStringLiteral("#,.00;#,.00;#");

} // namespace

TQRConto::TQRConto(MovimentiConto& movimenti, TDataModule1& dati) : mov(movimenti), dm(dati)
{
    title = QStringLiteral("Scheda contabile");
    setMargins(10);
    Table& pn = mov.TblPrimaNota;
    setDataset(&pn);
    beforeRun = [this] {
        totaleDare = totaleAvere = Money();
        return true;
    };
    const double w = bodyWidth();

    // The account on every page: its name and general-ledger numbers, the title with today's
    // date, the page.
    auto& testa = pageHeader(22);
    font = reportFont(12, QFont::Bold);
    testa.addExpression(0, 0, 70, 6, [this] { return modPag(QStringLiteral("Descrizione")); });
    font = reportFont(10);
    testa.addLabel(0, 7, 14, 5, QStringLiteral("Conto:"));
    testa.addExpression(14, 7, 14, 5, [this] { return modPag(QStringLiteral("Mastro")); }, QStringLiteral("# \"/\""))
        .setAlignment(Qt::AlignRight);
    testa.addExpression(29, 7, 20, 5, [this] { return modPag(QStringLiteral("Conto")); });
    font = reportFont(14, QFont::Bold);
    testa.addExpression(45, 0, w - 90, 7, [this] { return title + u' ' + formatDate(oggi()); }).setAlignment(Qt::AlignHCenter);
    font = reportFont(8);
    testa.addPageNumber(w - 40, 0, 40, 4.5, QStringLiteral("pag. %1")).setAlignment(Qt::AlignRight);

    auto& colonne = columnHeader(7);
    colonne.setFrame(Band::AllSides, 0.3);
    colonne.addShade(0, 0, w, 7, QColor(225, 225, 225));
    font = reportFont(9, QFont::Bold);
    const char* const titoli[] = {"Data", "Causale", "Rif. fattura", "Dare", "Avere", "Saldo", "Controp."};
    for (int i = 0; i < 7; ++i) {
        colonne.addLabel(colonna[i], 0, larghezza(i), 7, QString::fromLatin1(titoli[i])).setAlignment(Qt::AlignCenter);
        if (i > 0)
            colonne.addVLine(colonna[i], 0, 7, 0.2);
    }

    auto& riga = detail(5);
    riga.setFrame(Band::Left | Band::Right, 0.3);
    for (int i = 1; i < 7; ++i)
        riga.addVLine(colonna[i], 0, 5, 0.2).setToBandBottom();
    riga.addHLine(0, 0, w, 0.1).setColor(Qt::lightGray);
    font = reportFont(9);
    riga.addField(colonna[Data] + 1, 0.4, larghezza(Data) - 1, 4.5, pn, QStringLiteral("Data"));
    riga.addField(colonna[Causale] + 1.5, 0.4, larghezza(Causale) - 3, 4.5, pn, QStringLiteral("Causale")).setWordWrap();
    riga.addField(colonna[RifFattura], 0.4, 11, 4.5, pn, QStringLiteral("Fattura"), QStringLiteral("# \"-\";;#"))
        .setAlignment(Qt::AlignRight);
    riga.addField(colonna[RifFattura] + 12, 0.4, larghezza(RifFattura) - 12, 4.5, pn, QStringLiteral("DataRif"));
    riga.addField(colonna[Dare], 0.4, larghezza(Dare) - 1.5, 4.5, pn, QStringLiteral("Dare"), maskImporti)
        .setAlignment(Qt::AlignRight);
    riga.addField(colonna[Avere], 0.4, larghezza(Avere) - 1.5, 4.5, pn, QStringLiteral("Avere"), maskImporti)
        .setAlignment(Qt::AlignRight);
    riga.addField(colonna[Saldo], 0.4, larghezza(Saldo) - 1.5, 4.5, pn, QStringLiteral("Saldo"), maskImporti)
        .setAlignment(Qt::AlignRight);
    riga.addField(colonna[Controp], 0.4, 8, 4.5, pn, QStringLiteral("MastroCP"), QStringLiteral("#;;#"))
        .setAlignment(Qt::AlignRight);
    riga.addField(colonna[Controp] + 9, 0.4, larghezza(Controp) - 9.5, 4.5, pn, QStringLiteral("ContoCP"),
                  QStringLiteral("\"/\" #;;#"));
    riga.afterPrint = [this, &pn](Band&) {
        totaleDare += pn["Dare"].asMoney();
        totaleAvere += pn["Avere"].asMoney();
    };

    // The balance after the last movement and the sums of the two sides.
    auto& totali = summary(7);
    totali.setFrame(Band::AllSides, 0.3);
    totali.addHLine(0, 0, w, 0.6);
    for (int i : {Dare, Avere, Saldo, Controp})
        totali.addVLine(colonna[i], 0, 7, 0.2);
    font = reportFont(9, QFont::Bold);
    totali.addLabel(0, 1.2, colonna[Dare] - 3, 4.5, QStringLiteral("Totali")).setAlignment(Qt::AlignRight);
    totali.addExpression(colonna[Dare], 1.2, larghezza(Dare) - 1.5, 4.5, [this] { return QVariant(totaleDare.toDouble()); },
                         maskImporti).setAlignment(Qt::AlignRight);
    totali.addExpression(colonna[Avere], 1.2, larghezza(Avere) - 1.5, 4.5, [this] { return QVariant(totaleAvere.toDouble()); },
                         maskImporti).setAlignment(Qt::AlignRight);
    totali.addField(colonna[Saldo], 1.2, larghezza(Saldo) - 1.5, 4.5, pn, QStringLiteral("Saldo"), maskImporti)
        .setAlignment(Qt::AlignRight);
}

TQRConto::~TQRConto() = default;

QVariant TQRConto::modPag(const QString& campo) const
{
    return dm.TblModPag.lookup(QStringLiteral("Codice"), {mov.conto()}, campo);
}
