#include "TQRFatturaMan.h"

#include "DisplayMask.h"
#include "ReportFonts.h"
#include "TDataModule1.h"

namespace {

// Columns of the lines, in mm from the left margin; the rules run along their edges.
constexpr double xQuantita = 0, xDescrizione = 20, xPrezzo = 120, xImporto = 155, xFine = 190;
constexpr double colonne[] = {xQuantita, xDescrizione, xPrezzo, xImporto, xFine};
constexpr double altezzaRiga = 6.5;
constexpr int righe = 11;

} // namespace

TQRFatturaMan::TQRFatturaMan(TDataModule1& dati) : dm(dati)
{
    title = QStringLiteral("Fattura manuale");
    setMargins(10);
    Table& f = dm.TblFatturaMan;

    pageHeader(54);

    // The addressee at the left, date and number in a box at the right.
    auto& testa = detail(36);
    testa.forceNewPage = true;
    testa.keepWithNext = true;
    font = reportFont(10);
    testa.addLabel(2, 1, 100, 4.5, QStringLiteral("Spett.le"));
    font = reportFont(11, QFont::Bold);
    testa.addField(2, 5.5, 112, 5, f, QStringLiteral("Nome1"));
    testa.addField(2, 10.5, 112, 5, f, QStringLiteral("Nome2"));
    font = reportFont(10);
    testa.addField(2, 16, 112, 4.5, f, QStringLiteral("Indirizzo"));
    testa.addField(2, 21, 112, 4.5, f, QStringLiteral("Città"));
    testa.addLabel(2, 26, 28, 4.5, QStringLiteral("Codice fiscale:"));
    testa.addField(30, 26, 60, 4.5, f, QStringLiteral("Codice fiscale"));
    testa.addLabel(2, 30.5, 28, 4.5, QStringLiteral("Partita iva:"));
    testa.addField(30, 30.5, 60, 4.5, f, QStringLiteral("Partita iva"));
    testa.addFrame(120, 1, 70, 13);
    testa.addVLine(155, 1, 13);
    font = reportFont(9);
    testa.addLabel(121, 2, 33, 4.5, QStringLiteral("Data fattura")).setAlignment(Qt::AlignHCenter);
    testa.addLabel(156, 2, 33, 4.5, QStringLiteral("N. fattura")).setAlignment(Qt::AlignHCenter);
    font = reportFont(10);
    testa.addField(121, 7.5, 33, 5, f, QStringLiteral("Data fattura")).setAlignment(Qt::AlignHCenter);
    font = reportFont(10, QFont::Bold);
    testa.addExpression(156, 7.5, 33, 5, [this, &f] { return f["Numero fattura"].asString() + '/' + esercizio; })
        .setAlignment(Qt::AlignHCenter);

    auto& intestazioni = testa.child(7);
    intestazioni.setFrame(Band::Top | Band::Bottom);
    font = reportFont(9, QFont::Bold);
    const std::pair<double, const char*> titoli[] = {
        {xQuantita, "Quantità"}, {xDescrizione, "Descrizione"}, {xPrezzo, "Prezzo unitario"}, {xImporto, "Importo"}};
    for (size_t i = 0; i < std::size(titoli); ++i) {
        const double x = titoli[i].first;
        intestazioni.addLabel(x, 1.5, colonne[i + 1] - x, 4.5, QString::fromUtf8(titoli[i].second)).setAlignment(Qt::AlignHCenter);
    }
    for (double x : colonne)
        intestazioni.addVLine(x, 0, 7);

    // The body of the invoice fills the rest of the page: the lines, the footer lines, the totals.
    auto& corpo = pageFooter(287 - 10 - 54 - 36 - 7);
    const double fineRighe = righe * altezzaRiga + 1;
    for (double x : colonne)
        corpo.addVLine(x, 0, fineRighe);
    corpo.addHLine(0, fineRighe, xFine);
    std::vector<ReportText*> prezzi, importi;
    font = reportFont(10);
    for (int n = 1; n <= righe; ++n) {
        const double y = 1 + (n - 1) * altezzaRiga;
        corpo.addField(xQuantita + 1, y, xDescrizione - xQuantita - 2, 4.5, f, QStringLiteral("Quantità %1").arg(n),
                       QStringLiteral("'n° ' #;;#"));
        corpo.addField(xDescrizione + 1.5, y, xPrezzo - xDescrizione - 3, 4.5, f, QStringLiteral("Descrizione %1").arg(n));
        prezzi.push_back(&corpo.addField(xPrezzo + 1, y, xImporto - xPrezzo - 2.5, 4.5, f,
                                         QStringLiteral("Prezzo unitario %1").arg(n)));
        prezzi.back()->setAlignment(Qt::AlignRight);
        importi.push_back(&corpo.addField(xImporto + 1, y, xFine - xImporto - 2.5, 4.5, f, QStringLiteral("Importo %1").arg(n)));
        importi.back()->setAlignment(Qt::AlignRight);
    }
    const double y0 = fineRighe + 3;
    for (int n = 1; n <= 3; ++n)
        corpo.addField(2, y0 + (n - 1) * 4.5, 116, 4.5, f, QStringLiteral("Rigo %1").arg(n));
    corpo.addHLine(0, y0 + 14, 118);
    for (int n = 4; n <= 6; ++n)
        corpo.addField(2, y0 + 15.5 + (n - 4) * 4.5, 116, 4.5, f, QStringLiteral("Rigo %1").arg(n));
    corpo.addField(2, y0 + 30, 116, 4.5, f, QStringLiteral("Rigo_7")).setWordWrap();

    corpo.addShade(122, y0, 68, 24, QColor(225, 225, 225));
    corpo.addFrame(122, y0, 68, 24);
    corpo.addLabel(124, y0 + 1.5, 30, 5, QStringLiteral("Imponibile"));
    corpo.addExpression(150, y0 + 1.5, 38, 5, [&f] { return formatCurrency(f["Imponibile"].asFloat()); })
        .setAlignment(Qt::AlignRight);
    corpo.addLabel(124, y0 + 8, 10, 5, QStringLiteral("Iva"));
    corpo.addField(134, y0 + 8, 16, 5, f, QStringLiteral("Iva"), QStringLiteral("# '%'"));
    corpo.addExpression(150, y0 + 8, 38, 5, [&f] { return formatCurrency(f["Imponibile ivato"].asFloat()); })
        .setAlignment(Qt::AlignRight);
    font = reportFont(10, QFont::Bold);
    corpo.addLabel(124, y0 + 15.5, 30, 5, QStringLiteral("Importo fattura"));
    corpo.addExpression(150, y0 + 15.5, 38, 5, [&f] { return formatCurrency(f["Totale"].asFloat()); })
        .setAlignment(Qt::AlignRight);
    corpo.beforePrint = [this, prezzi, importi](Band&) {
        const bool tre = millesimi();
        for (ReportText* t : prezzi)
            t->setMask(tre ? QStringLiteral("#,.000;;#") : QStringLiteral("#,.00;;#"));
        for (ReportText* t : importi)
            t->setMask(tre ? QStringLiteral("'€ '#,.000;;#") : QStringLiteral("'€ '#,.00;;#"));
        return true;
    };
    font = reportFont(10);
}

bool TQRFatturaMan::millesimi()
{
    return dm.TblFatturaMan["Millesimi"].asBoolean();
}
