#include "TQRFatture.h"

#include "DisplayMask.h"
#include "Periodicita.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QScopeGuard>

namespace {

// Columns of the lines, in mm from the left margin; the six rules run along their edges.
constexpr double xQuantita = 0, xDescrizione = 20, xPrezzo = 120, xMensilita = 148, xImporto = 164, xFine = 190;
constexpr double colonne[] = {xQuantita, xDescrizione, xPrezzo, xMensilita, xImporto, xFine};

const QString mensile = QStringLiteral("Mensile");
const QColor grigio(225, 225, 225);

} // namespace

TQRFatture::TQRFatture(TDataModule1& dati)
    : dm(dati), clienti(dati.db, QStringLiteral("QRClienti")), righe(dati.db, QStringLiteral("QRFatture"))
{
    clienti.setTableName(QStringLiteral("Clienti"));
    clienti.setDefinition(Tabelle::Clienti());
    clienti.setIndexName(QStringLiteral("IdxName"));
    righe.setTableName(QStringLiteral("Fatture"));
    righe.setDefinition(Tabelle::Fatture());
    righe.setIndexName(QStringLiteral("IdxPos"));
    righe.setMaster(&clienti, QStringLiteral("Codice"), QStringLiteral("Cliente"));
    righe.addCalculatedField(QStringLiteral("Importo"), FieldType::Currency);
    righe.onCalcFields += [](Dataset& f) {
        if (f["Quantita"].asFloat() > 0 && f["Prezzo"].asFloat() > 0)
            f["Importo"] = f["Prezzo"].asMoney() * f["Quantita"].asFloat();
    };

    title = QStringLiteral("Stampa Fatture");
    setMargins(10);
    setDataset(&clienti);
    beforeRun = [this] { return QRFattureBeforePrint(); };
    afterRun = [this] { ripristina(); };
    const QFont base = font;
    auto carattere = [&](double punti, bool grassetto = false) {
        font = base;
        font.setPointSizeF(punti);
        font.setBold(grassetto);
    };

    // The company's paper keeps its own heading at the top of every page.
    pageHeader(54);

    // Invoice header: the addressee at the left, date and number in a box at the right.
    auto& testa = detail(14);
    testa.forceNewPage = true;
    testa.keepWithNext = true;
    carattere(10);
    testa.addLabel(2, 1, 100, 4.5, QStringLiteral("Spett.le"));
    carattere(11, true);
    testa.addExpression(2, 5.5, 112, 5, [this] {
        return clienti["Denominazione"].asString() + ' ' + clienti["Denominazione 2"].asString();
    }).setWordWrap();
    testa.addFrame(120, 1, 70, 13);
    testa.addVLine(155, 1, 13);
    carattere(9);
    testa.addLabel(121, 2, 33, 4.5, QStringLiteral("Data fattura")).setAlignment(Qt::AlignHCenter);
    testa.addLabel(156, 2, 33, 4.5, QStringLiteral("N. fattura")).setAlignment(Qt::AlignHCenter);
    carattere(10);
    testa.addExpression(121, 7.5, 33, 5, [this] { return dataStampa; }).setAlignment(Qt::AlignHCenter);
    carattere(10, true);
    testa.addExpression(156, 7.5, 33, 5, [this] {
        const QString numero = clienti["Fattura"].isNull() ? QString() : QString::number(clienti["Fattura"].asInteger());
        return numero + '/' + esercizio;
    }).setAlignment(Qt::AlignHCenter);

    auto& indirizzo = testa.child(16);
    indirizzo.keepWithNext = true;
    carattere(10);
    indirizzo.addExpression(2, 0.5, 112, 4.5, [this] {
        return clienti["Indirizzo"].asString() + ' ' + clienti["Comune"].asString();
    });
    indirizzo.addLabel(2, 6, 28, 4.5, QStringLiteral("Codice fiscale:"));
    indirizzo.addField(30, 6, 60, 4.5, clienti, QStringLiteral("Codice fiscale"));
    indirizzo.addLabel(2, 10.5, 28, 4.5, QStringLiteral("Partita iva:"));
    indirizzo.addField(30, 10.5, 60, 4.5, clienti, QStringLiteral("Partita iva"));

    auto& intestazioni = indirizzo.child(7);
    intestazioni.keepWithNext = true;
    intestazioni.setFrame(Band::Top | Band::Bottom);
    carattere(9, true);
    const std::pair<double, const char*> titoli[] = {{xQuantita, "Quantità"}, {xDescrizione, "Descrizione"},
                                                     {xPrezzo, "Prezzo unitario"}, {xMensilita, "Mensilità"},
                                                     {xImporto, "Importo"}};
    for (size_t i = 0; i < std::size(titoli); ++i) {
        const double x = titoli[i].first, w = colonne[i + 1] - x;
        intestazioni.addLabel(x, 1.5, w, 4.5, QString::fromUtf8(titoli[i].second)).setAlignment(Qt::AlignHCenter);
    }
    intestazioni.onPlaced = [this](Band&, int pagina, double sopra, double) { inizioColonne[pagina] = sopra; };
    intestazioni.child(2);

    // The lines: priced lines by text, then the text-only lines in their order.
    auto& linee = addSubDetail(righe);
    linee.printIfEmpty = true;
    auto& riga = linee.detail(5);
    carattere(10);
    riga.addExpression(xQuantita + 1, 0.4, xDescrizione - xQuantita - 2, 4.5,
                       [this] { return righe["Quantita"].value(); }, QStringLiteral("'n° ' #;;#"));
    riga.addField(xDescrizione + 1.5, 0.4, xPrezzo - xDescrizione - 3, 4.5, righe, QStringLiteral("Servizio"));
    prezzo = &riga.addExpression(xPrezzo + 1, 0.4, xMensilita - xPrezzo - 2.5, 4.5,
                                 [this] { return righe["Prezzo"].value(); });
    prezzo->setAlignment(Qt::AlignRight);
    riga.addExpression(xMensilita + 1, 0.4, xImporto - xMensilita - 2, 4.5, [this] {
        return MensilitaRiga(clienti["Condizioni"].asString(), righe["Prezzo"].asFloat() != 0,
                             righe["Moltiplicatore"].asBoolean());
    }, QStringLiteral("#")).setAlignment(Qt::AlignHCenter);
    importo = &riga.addExpression(xImporto + 1, 0.4, xFine - xImporto - 2.5, 4.5, [this] {
        const int per = MoltiplicatoreRiga(clienti["Condizioni"].asString(), righe["Quantita"].asFloat(),
                                           righe["Moltiplicatore"].asBoolean());
        return (righe["Importo"].asMoney() * double(per)).toDouble();
    });
    importo->setAlignment(Qt::AlignRight);
    riga.beforePrint = [this](Band&) {
        const bool tre = millesimi();
        prezzo->setMask(tre ? QStringLiteral("0,.000") : QStringLiteral("0,.00"));
        importo->setMask(tre ? QStringLiteral("'€ '#,.000;;#") : QStringLiteral("'€ '#,.00;;#"));
        return true;
    };

    // Invoice footer at the bottom of the page: free lines, period, bank, totals.
    auto& piede = linee.footer(44);
    piede.alignBottom = true;
    carattere(10);
    piede.addField(2, 1, 186, 4.5, clienti, QStringLiteral("Rigo 1"));
    piede.addField(2, 5.5, 186, 4.5, clienti, QStringLiteral("Rigo 2"));
    piede.addExpression(2, 10, 186, 4.5, [this] { return testoPeriodo(); });
    piede.addHLine(0, 15.5, xFine, 0.8);
    carattere(9, true);
    piede.addLabel(2, 17.5, 60, 4.5, QStringLiteral("Coordinate bancarie:"));
    carattere(9);
    piede.addExpression(2, 22, 116, 4.5, [this] {
        const QString cc = clienti["Numero cc"].asString();
        return clienti["CoordinateBanca"].asString() + (cc.isEmpty() ? QString() : QStringLiteral(" - C/C n° ") + cc);
    });
    piede.addField(2, 26.5, 116, 4.5, clienti, QStringLiteral("Banca"));
    piede.addField(2, 31, 116, 4.5, clienti, QStringLiteral("Rigo_3")).setWordWrap();

    piede.addShade(122, 17.5, 68, 24, grigio);
    piede.addFrame(122, 17.5, 68, 24);
    carattere(10);
    piede.addLabel(124, 19, 30, 5, QStringLiteral("Imponibile"));
    piede.addExpression(150, 19, 38, 5, [this] { return formatCurrency(clienti["Imponibile"].asMoney().toDouble()); })
        .setAlignment(Qt::AlignRight);
    didascaliaIva = &piede.addLabel(124, 25.5, 30, 5, QString());
    importoIva = &piede.addExpression(150, 25.5, 38, 5, [this] {
        return clienti["Pagaiva"].asBoolean() ? Arrotonda(2, clienti["Imponibile"].asMoney() * 0.22).toDouble()
                                                    : QVariant();
    }, QStringLiteral("'€ ' #,.00;;#"));
    importoIva->setAlignment(Qt::AlignRight);
    carattere(10, true);
    piede.addLabel(124, 33, 30, 5, QStringLiteral("Importo fattura"));
    piede.addExpression(150, 33, 38, 5, [this] {
        const Money imponibile = clienti["Imponibile"].asMoney();
        const Money iva = clienti["Pagaiva"].asBoolean() ? Arrotonda(2, imponibile * 0.22) : Money();
        return formatCurrency((imponibile + iva).toDouble(), 2);
    }).setAlignment(Qt::AlignRight);
    piede.beforePrint = [this](Band&) {
        didascaliaIva->setText(clienti["Pagaiva"].asBoolean() ? QStringLiteral("Iva 22%") : QString());
        return true;
    };
    piede.onPlaced = [this](Band&, int pagina, double sopra, double) { fineColonne[pagina] = sopra; };
    font = base;
}

QString TQRFatture::Periodo(int m, const QString& condizioni, const QString& anno)
{
    return ::Periodo(m, condizioni, anno);
}

int TQRFatture::MoltiplicatoreRiga(const QString& condizioni, double quantita, bool moltiplicatore)
{
    if (quantita == 0)
        return 0;
    if (condizioni == mensile || !moltiplicatore)
        return 1;
    return MesiPerFattura(condizioni);
}

int TQRFatture::MensilitaRiga(const QString& condizioni, bool prezzo, bool moltiplicatore)
{
    return prezzo && moltiplicatore ? MesiPerFattura(condizioni) : 0;
}

bool TQRFatture::millesimi()
{
    return clienti["Millesimi"].asBoolean();
}

QString TQRFatture::testoPeriodo()
{
    return QStringLiteral("periodo dal 01/") + Periodo(meseContatore.toInt(), clienti["Condizioni"].asString(), anno)
           + QStringLiteral(" al ") + fineContatore + '/' + meseContatore + '/' + anno;
}

bool TQRFatture::QRFattureBeforePrint()
{
    QString filtro = QStringLiteral("Flag = '1' and not Escluso");
    if (!ClienteSingolo.isEmpty())
        filtro += QStringLiteral(" and Codice = ") + ClienteSingolo;
    clienti.setFilter(filtro);
    clienti.setFiltered(true);
    clienti.open();
    if (clienti.isEmpty()) {
        ripristina();
        return false;
    }
    // The month and the period end as the run stored them.
    meseContatore = dm.contatore().LeggiMese();
    fineContatore = dm.contatore().LeggiFinePeriodo();
    dm.PreparaFatture();
    righe.open();
    return true;
}

void TQRFatture::ripristina()
{
    righe.close();
    clienti.close();
}

void TQRFatture::layout(PageModel& into)
{
    inizioColonne.clear();
    fineColonne.clear();
    {
        auto chiudi = qScopeGuard([this] { ripristina(); });
        Report::layout(into);
        chiudi.dismiss();
    }
    // The rules of the columns run from the headings (or the top of a continuation page)
    // down to the invoice footer (or the bottom of a page the lines run over).
    const double sinistra = margins().left();
    const double sopra = margins().top() + pageHeaderBand()->height;
    const double sotto = paperSize().height() - margins().bottom();
    for (int p = 0; p < into.pageCount(); ++p) {
        const double y0 = inizioColonne.value(p, sopra), y1 = fineColonne.value(p, sotto);
        for (double x : colonne)
            into.page(p).lines.push_back({QPointF(sinistra + x, y0), QPointF(sinistra + x, y1), 0.2});
    }
}
