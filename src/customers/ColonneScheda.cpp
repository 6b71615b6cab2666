#include "ColonneScheda.h"

#include "Dataset.h"
#include "ReportFonts.h"
#include "TQRStile.h"

ColonneScheda::ColonneScheda(Report& r, Dataset& primaNota, std::vector<double> b, QStringList t)
    : report(r), pn(primaNota), bordi(std::move(b)), titoli(std::move(t))
{
}

void ColonneScheda::intestazione()
{
    const double w = report.bodyWidth();
    auto& colonne = report.columnHeader(7);
    colonne.setFrame(Band::AllSides, 0.3);
    colonne.addShade(0, 0, w, 7, TQRStile::grigio);
    report.font = reportFont(9, QFont::Bold);
    for (int i = 0; i < titoli.size(); ++i) {
        colonne.addLabel(x(i), 0, larghezza(i), 7, titoli[i]).setAlignment(Qt::AlignCenter);
        if (i > 0)
            colonne.addVLine(x(i), 0, 7, 0.2);
    }
}

Band& ColonneScheda::riga()
{
    auto& riga = report.detail(5);
    riga.setFrame(Band::Left | Band::Right, 0.3);
    for (int i = 1; i < titoli.size(); ++i)
        riga.addVLine(x(i), 0, 5, 0.2).setToBandBottom();
    riga.addHLine(0, 0, report.bodyWidth(), 0.1).setColor(Qt::lightGray);
    riga.afterPrint = [this](Band&) {
        totaleDare += pn["Dare"].asMoney();
        totaleAvere += pn["Avere"].asMoney();
    };
    return riga;
}

Band& ColonneScheda::totali(const QString& maskImporti, const QString& maskSaldo)
{
    const int d = dare(), a = d + 1, s = d + 2, c = d + 3;
    auto& totali = report.summary(7);
    totali.setFrame(Band::AllSides, 0.3);
    totali.addHLine(0, 0, report.bodyWidth(), 0.6);
    for (int i : {d, a, s, c})
        totali.addVLine(x(i), 0, 7, 0.2);
    report.font = reportFont(9, QFont::Bold);
    totali.addLabel(0, 1.2, x(d) - 3, 4.5, QStringLiteral("Totali")).setAlignment(Qt::AlignRight);
    totali.addExpression(x(d), 1.2, larghezza(d) - 1.5, 4.5, [this] { return QVariant(totaleDare.toDouble()); },
                         maskImporti).setAlignment(Qt::AlignRight);
    totali.addExpression(x(a), 1.2, larghezza(a) - 1.5, 4.5, [this] { return QVariant(totaleAvere.toDouble()); },
                         maskImporti).setAlignment(Qt::AlignRight);
    totali.addField(x(s), 1.2, larghezza(s) - 1.5, 4.5, pn, QStringLiteral("Saldo"), maskSaldo)
        .setAlignment(Qt::AlignRight);
    return totali;
}
