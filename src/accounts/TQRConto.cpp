#include "TQRConto.h"

#include "Clock.h"
#include "ColonneScheda.h"
#include "DateIt.h"
#include "MovimentiConto.h"
#include "TDataModule1.h"

namespace {

enum { Data, Causale, RifFattura, Dare, Avere, Saldo, Controp };

// Two decimals with thousands, no sign, zero left blank.
const QString maskImporti = QStringLiteral("#,.00;#,.00;#");

} // namespace

TQRConto::TQRConto(MovimentiConto& movimenti, TDataModule1& dati)
    : mov(movimenti),
      dm(dati),
      scheda(std::make_unique<ColonneScheda>(
          *this, mov.TblPrimaNota, std::vector<double>{0, 19, 77, 107, 129, 151, 173, 190},
          QStringList{"Data", "Causale", "Rif. fattura", "Dare", "Avere", "Saldo", "Controp."}))
{
    title = QStringLiteral("Scheda contabile");
    setMargins(10);
    Table& pn = mov.TblPrimaNota;
    setDataset(&pn);
    beforeRun = [this] {
        scheda->azzera();
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

    scheda->intestazione();

    auto& riga = scheda->riga();
    font = reportFont(9);
    riga.addField(scheda->x(Data) + 1, 0.4, scheda->larghezza(Data) - 1, 4.5, pn, QStringLiteral("Data"));
    riga.addField(scheda->x(Causale) + 1.5, 0.4, scheda->larghezza(Causale) - 3, 4.5, pn, QStringLiteral("Causale")).setWordWrap();
    riga.addField(scheda->x(RifFattura), 0.4, 11, 4.5, pn, QStringLiteral("Fattura"), QStringLiteral("# \"-\";;#"))
        .setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(RifFattura) + 12, 0.4, scheda->larghezza(RifFattura) - 12, 4.5, pn, QStringLiteral("DataRif"));
    riga.addField(scheda->x(Dare), 0.4, scheda->larghezza(Dare) - 1.5, 4.5, pn, QStringLiteral("Dare"), maskImporti)
        .setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(Avere), 0.4, scheda->larghezza(Avere) - 1.5, 4.5, pn, QStringLiteral("Avere"), maskImporti)
        .setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(Saldo), 0.4, scheda->larghezza(Saldo) - 1.5, 4.5, pn, QStringLiteral("Saldo"), maskImporti)
        .setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(Controp), 0.4, 8, 4.5, pn, QStringLiteral("MastroCP"), QStringLiteral("#;;#"))
        .setAlignment(Qt::AlignRight);
    riga.addField(scheda->x(Controp) + 9, 0.4, scheda->larghezza(Controp) - 9.5, 4.5, pn, QStringLiteral("ContoCP"),
                  QStringLiteral("\"/\" #;;#"));

    // The balance after the last movement and the sums of the two sides.
    scheda->totali(maskImporti, maskImporti);
}

TQRConto::~TQRConto() = default;

QVariant TQRConto::modPag(const QString& campo) const
{
    return dm.TblModPag.lookup(QStringLiteral("Codice"), {mov.conto()}, campo);
}
