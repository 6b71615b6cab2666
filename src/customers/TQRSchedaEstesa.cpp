#include "TQRSchedaEstesa.h"

#include "TDataModule1.h"

namespace {

const QColor grigio(225, 225, 225);

// The counters of a row, in the order of their columns.
const char* const contatori[] = {"CotoneC",    "CotoneS",        "SaponiereC", "SaponiereS",
                                 "CartaIgienicaC", "CartaIgienicaS", "CartaMani",  "Igienizzante"};

// Left edges of the columns (mm from the left margin): six CWS/STEINER pairs, "CARTA MANI",
// "IGIENIZZANTE", "REPARTO", "UOMO", "DONNA", "ALTRO"; the last value is the right edge.
constexpr double colonna[] = {0, 19, 38, 57, 76, 95, 114, 136, 160, 206, 221, 236, 277};
constexpr int colReparto = 8, colUomo = 9, colDonna = 10, colAltro = 11;

double larghezzaColonna(int i) { return colonna[i + 1] - colonna[i]; }

} // namespace

TQRSchedaEstesa::TQRSchedaEstesa(TDataModule1& dati) : dm(dati)
{
    setOrientation(QPageLayout::Landscape);
    setMargins(10);
    setDataset(&dm.TblOstrelo);
    beforeRun = [this] {
        totali.fill(0);
        dm.TblOstrelo.setIndexFieldNames(QStringLiteral("Sede;Progr"));
        name = QStringLiteral("Scheda estesa ") + dm.TblClienti["Denominazione"].asString();
        return true;
    };
    const double w = bodyWidth();
    Table& o = dm.TblOstrelo;

    font = reportFont(10, QFont::Bold);
    titleBand(8).addExpression(0, 0, w, 5.5, [this] {
        return QStringLiteral("Indice di rev. n°") + ' ' + dm.TblClienti["IndiceRev"].asString() + QStringLiteral(" del ")
               + dm.TblClienti["DataRev"].asString();
    }).setAlignment(Qt::AlignRight);

    // Every row is a block of its own: the customer, the site's kind and place, the headings.
    auto& blocco = addGroup(QStringLiteral("Progr"));
    auto& testa = blocco.header(24);
    testa.keepWithNext = true;
    testa.addFrame(0, 3, 150, 7, 0.3);
    font = reportFont(11, QFont::Bold);
    testa.addExpression(2, 3, 146, 7, [this] { return dm.TblClienti["Denominazione"].asString(); })
        .setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    font.setBold(false);
    testa.addExpression(150, 3, 50, 7, [this] {
        return dm.TblOstrelo["Ostrelo"].asBoolean() ? QStringLiteral("OSTRELO") : QStringLiteral("MARBETO");
    }).setAlignment(Qt::AlignCenter).setFramed(0.3);
    direzione = &testa.addLabel(200, 3, w - 200, 7, QStringLiteral("DIREZIONE GENERALE"));
    direzione->setAlignment(Qt::AlignCenter).setFramed(0.3);

    font = reportFont(10);
    etichettaScala = &testa.addLabel(0, 11.5, 15, 5, QStringLiteral(" SCALA"));
    scala = &testa.addField(15, 11.5, 14, 5, o, QStringLiteral("Scala"));
    scala->setBold();
    etichettaPiano = &testa.addLabel(31, 11.5, 15, 5, QStringLiteral(" PIANO"));
    piano = &testa.addField(46, 11.5, 14, 5, o, QStringLiteral("Piano"));
    piano->setBold();
    ambulatorio = &testa.addLabel(62, 11.5, 40, 5, QStringLiteral(" AMBULATORIO"));

    testa.addShade(0, 18, w, 6, grigio);
    testa.addFrame(0, 18, w, 6, 0.3);
    font = reportFont(8.5, QFont::Bold);
    const std::pair<const char*, int> titoli[] = {{"COTONE", 0},         {"SAPONE", 2}, {"CARTA IGIENICA", 4},
                                                  {"CARTA MANI", 6},     {"IGIENIZZANTE", 7},
                                                  {"REPARTO", colReparto}, {"SEZIONE", colUomo}, {"ALTRO", colAltro}};
    for (size_t i = 0; i < std::size(titoli); ++i) {
        const int da = titoli[i].second;
        const int a = i + 1 < std::size(titoli) ? titoli[i + 1].second : 12;
        testa.addLabel(colonna[da], 18, colonna[a] - colonna[da], 6, QString::fromLatin1(titoli[i].first))
            .setAlignment(Qt::AlignCenter);
        if (da > 0)
            testa.addVLine(colonna[da], 18, 6, 0.3);
    }
    testa.beforePrint = [this](Band&) {
        Table& r = dm.TblOstrelo;
        direzione->visible = r["DirGen"].asBoolean();
        etichettaScala->visible = scala->visible = !r["Scala"].asString().trimmed().isEmpty();
        etichettaPiano->visible = piano->visible = !r["Piano"].asString().trimmed().isEmpty();
        ambulatorio->visible = r["PrSocc"].asBoolean();
        return true;
    };

    // Sub-headings with the department and the other notes, then the counters and the sex.
    auto& riga = detail(11);
    riga.setFrame(Band::Left | Band::Right | Band::Bottom, 0.3);
    font = reportFont(7.5, QFont::Bold);
    for (int i = 0; i < 6; ++i) {
        riga.addShade(colonna[i], 0, larghezzaColonna(i), 5, grigio);
        riga.addLabel(colonna[i], 0, larghezzaColonna(i), 5, i % 2 ? QStringLiteral("STEINER") : QStringLiteral("CWS"))
            .setAlignment(Qt::AlignCenter);
    }
    riga.addShade(colonna[6], 0, colonna[colReparto] - colonna[6], 5, grigio);   // no sub-headings here
    for (int i : {colUomo, colDonna}) {
        riga.addShade(colonna[i], 0, larghezzaColonna(i), 5, grigio);
        riga.addLabel(colonna[i], 0, larghezzaColonna(i), 5, i == colUomo ? QStringLiteral("UOMO") : QStringLiteral("DONNA"))
            .setAlignment(Qt::AlignCenter);
    }
    riga.addHLine(0, 5, colonna[colReparto], 0.2);
    riga.addHLine(colonna[colUomo], 5, colonna[colAltro] - colonna[colUomo], 0.2);
    for (int i = 1; i < 12; ++i)
        riga.addVLine(colonna[i], 0, 11, i == 2 || i == 4 || i == colReparto || i == colUomo || i == colAltro ? 0.3 : 0.2)
            .setToBandBottom();

    font = reportFont(9);
    riga.addField(colonna[colReparto] + 1.5, 0.8, larghezzaColonna(colReparto) - 3, 4.5, o, QStringLiteral("Reparto"))
        .setWordWrap();
    riga.addField(colonna[colAltro] + 1.5, 0.8, larghezzaColonna(colAltro) - 3, 4.5, o, QStringLiteral("Altro"))
        .setWordWrap();
    font = reportFont(10, QFont::Bold);
    for (int i = 0; i < 8; ++i)
        riga.addField(colonna[i], 5.5, larghezzaColonna(i), 5, o, QString::fromLatin1(contatori[i]), QStringLiteral("#"))
            .setAlignment(Qt::AlignCenter);
    riga.addExpression(colonna[colUomo], 5.5, larghezzaColonna(colUomo), 5, [this] {
        return dm.TblOstrelo["Sesso"].asString().trimmed().toUpper() == QLatin1String("M") ? QStringLiteral("X") : QString();
    }).setAlignment(Qt::AlignCenter);
    riga.addExpression(colonna[colDonna], 5.5, larghezzaColonna(colDonna), 5, [this] {
        return dm.TblOstrelo["Sesso"].asString().trimmed().toUpper() == QLatin1String("F") ? QStringLiteral("X") : QString();
    }).setAlignment(Qt::AlignCenter);
    riga.afterPrint = [this](Band&) {
        for (size_t i = 0; i < totali.size(); ++i)
            totali[i] += dm.TblOstrelo[QString::fromLatin1(contatori[i])].asFloat();
    };

    // The sums of the counters over every row.
    auto& somme = summary(17);
    somme.keepWithPrevious = true;      // never alone at the top of a page
    somme.addShade(0, 4, colonna[colReparto], 6, grigio);
    somme.addFrame(0, 4, colonna[colReparto], 12, 0.3);
    somme.addHLine(0, 10, colonna[colReparto], 0.2);
    font = reportFont(9, QFont::Bold);
    somme.addLabel(0, 4, colonna[colReparto], 6, QStringLiteral("TOTALI")).setAlignment(Qt::AlignCenter);
    font.setPointSizeF(10);
    for (int i = 0; i < 8; ++i) {
        if (i > 0)
            somme.addVLine(colonna[i], 10, 6, i == 2 || i == 4 ? 0.3 : 0.2);
        somme.addExpression(colonna[i], 10.5, larghezzaColonna(i), 5, [this, i] { return QVariant(totali[size_t(i)]); },
                            QStringLiteral("#"))
            .setAlignment(Qt::AlignCenter);
    }

    auto& piede = pageFooter(8);
    font = reportFont(8);
    piede.addLabel(0, 3, 60, 4.5, QStringLiteral("SCA/00/00-01-02-14"));
    piede.addPageNumber(w - 60, 3, 60, 4.5, QStringLiteral("Pag. %1 di %2")).setAlignment(Qt::AlignRight);
}

TQRSchedaEstesa::~TQRSchedaEstesa() = default;
