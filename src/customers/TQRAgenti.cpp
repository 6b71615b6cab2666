#include "TQRAgenti.h"

#include "TDataModule1.h"
#include "TQRStile.h"

TQRAgenti::TQRAgenti(TDataModule1& dati) : dm(dati)
{
    printIfEmpty = true;
    setMargins(10);
    setDataset(&dm.QuerySedi);
    beforeRun = [this] {
        if (!dm.TblAgenti.active())
            dm.TblAgenti.open();
        if (!dm.QuerySedi.active())
            dm.QuerySedi.open();
        totale = Money();
        name = QStringLiteral("Sedi assegnate a ") + dm.TblAgenti["Nominativo"].asString();
        return true;
    };
    const double w = bodyWidth();
    Query& sedi = dm.QuerySedi;

    auto& testa = pageHeader(14);
    font = reportFont(13, QFont::Bold);
    testa.addExpression(0, 1, w, 7, [this] {
        return QStringLiteral("ELENCO SEDI ASSEGNATE A ") + dm.TblAgenti["Nominativo"].asString();
    });
    testa.addHLine(0, 10, w, 0.6);

    TQRStile::titoliSuGrigio(*this, 0, {{1, 61, QStringLiteral("Cliente")},
                                        {64, 55, QStringLiteral("Indirizzo")},
                                        {121, 45, QStringLiteral("Comune")},
                                        {166, w - 167, QStringLiteral("Imponibile"), Qt::AlignRight}});

    // A rule above each line, so that a grown line keeps its texts clear of it.
    auto& riga = detail(5);
    riga.addHLine(0, 0, w, 0.1).setColor(Qt::lightGray);
    font = reportFont(9);
    riga.addField(1, 0.4, 61, 4.5, sedi, QStringLiteral("Cliente")).setWordWrap();
    riga.addField(64, 0.4, 55, 4.5, sedi, QStringLiteral("Indirizzo")).setWordWrap();
    riga.addField(121, 0.4, 45, 4.5, sedi, QStringLiteral("Comune")).setWordWrap();
    riga.addField(166, 0.4, w - 167, 4.5, sedi, QStringLiteral("Imponibile"), QStringLiteral("'€ '#,.00;;#"))
        .setAlignment(Qt::AlignRight);
    riga.afterPrint = [this](Band&) { totale += dm.QuerySedi["Imponibile"].asMoney(); };

    auto& somma = summary(8);
    somma.keepWithPrevious = true;      // never alone at the top of a page
    somma.addHLine(0, 1, w, 0.6);
    font = reportFont(10, QFont::Bold);
    somma.addLabel(100, 2.2, 60, 5, QStringLiteral("Totale")).setAlignment(Qt::AlignRight);
    somma.addExpression(160, 2.2, w - 161, 5, [this] { return QVariant(totale.toDouble()); }, QStringLiteral("€ #,.##"))
        .setAlignment(Qt::AlignRight);
}

TQRAgenti::~TQRAgenti() = default;
