#include "TQRClientiLst.h"

#include "TDataModule1.h"
#include "TQRStile.h"

TQRClientiLst::TQRClientiLst(TDataModule1& dati) : dm(dati)
{
    title = QStringLiteral("Elenco sintetico clienti");
    printIfEmpty = true;
    setMargins(10);
    setDataset(&dm.TblClienti);
    const double w = bodyWidth();
    Table& c = dm.TblClienti;

    font = reportFont(8);
    pageHeader(6).addPageNumber(w - 40, 0, 40, 4.5, QStringLiteral("pag. %1")).setAlignment(Qt::AlignRight);
    font = reportFont(15, QFont::Bold);
    titleBand(13).addExpression(0, 1, w, 9, [this] { return title; });

    // Name, address, card number, revision index and date.
    TQRStile::titoliSuGrigio(*this, 0.5, {{1, 71, QStringLiteral("Denominazione")},
                                          {74, 64, QStringLiteral("Indirizzo")},
                                          {139, 13, QStringLiteral("Scheda"), Qt::AlignRight},
                                          {153, 17, QStringLiteral("Indice rev."), Qt::AlignRight},
                                          {172, w - 172, QStringLiteral("Data rev."), Qt::AlignRight}});

    // A rule above each line, so that a grown line keeps its texts clear of it.
    auto& riga = detail(5);
    riga.addHLine(0, 0, w, 0.1).setColor(Qt::lightGray);
    font = reportFont(8.5);
    riga.addExpression(1, 0.5, 71, 4.3, [this] {
        return dm.TblClienti["Denominazione"].asString() + ' ' + dm.TblClienti["Denominazione 2"].asString();
    }).setWordWrap();
    riga.addExpression(74, 0.5, 64, 4.3, [this] {
        return dm.TblClienti["Indirizzo"].asString() + ' ' + dm.TblClienti["Comune"].asString();
    }).setWordWrap();
    riga.addField(139, 0.5, 13, 4.3, c, QStringLiteral("Scheda")).setAlignment(Qt::AlignRight);
    riga.addField(153, 0.5, 17, 4.3, c, QStringLiteral("IndiceRev")).setAlignment(Qt::AlignRight);
    riga.addField(172, 0.5, w - 172, 4.3, c, QStringLiteral("DataRev")).setAlignment(Qt::AlignRight);
}

TQRClientiLst::~TQRClientiLst() = default;
