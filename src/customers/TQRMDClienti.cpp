#include "TQRMDClienti.h"

#include "TDataModule1.h"
#include "TQRStile.h"

namespace {

const QColor grigio(225, 225, 225);

// Columns of the article lines, shared by the site lines and the totals.
constexpr double xPresso = 0, wPresso = 24;
constexpr double xMagazzino = 26, wMagazzino = 24;
constexpr double xDescrizione = 56, wDescrizione = 86;
constexpr double xTipo = 144, wTipo = 18;
constexpr double xPrezzo = 162, wPrezzo = 28;

} // namespace

TQRMDClienti::TQRMDClienti(TDataModule1& dati)
    : dm(dati), QryNoleggi(dati.db, QStringLiteral("QryNoleggi")), QryTotali(dati.db, QStringLiteral("QryTotali"))
{
    QryNoleggi.setSql(QStringLiteral(
        "SELECT Noleggi.Quantita, Noleggi.Sospesi, Noleggi.Costo, Servizi.Descrizione, Servizi.Tipo "
        "FROM Noleggi LEFT JOIN Servizi ON Noleggi.\"Codice servizio\" = Servizi.Codice "
        "WHERE Noleggi.\"Codice sede\" = :Sede ORDER BY Servizi.Descrizione"));
    QryTotali.setSql(QStringLiteral(
        "SELECT Totali.Quantita, Totali.Sospesi, Totali.Prezzo, Servizi.Descrizione, Servizi.Tipo "
        "FROM Totali LEFT JOIN Servizi ON Totali.Servizio = Servizi.Codice "
        "WHERE Totali.Cliente = :Cliente ORDER BY Servizi.Descrizione"));

    printIfEmpty = true;
    setMargins(12, 10, 8, 10);
    setDataset(&dm.TblClienti);
    beforeRun = [this] { return QRMDClientiBeforePrint(); };
    afterRun = [this] {
        QryNoleggi.close();
        QryTotali.close();
    };
    const double w = bodyWidth();

    // Title: the card number beside it in single mode.
    font = reportFont(15, QFont::Bold);
    auto& testa = titleBand(13);
    titolo = &testa.addLabel(0, 1, w, 9, QStringLiteral("SCHEDA CLIENTE N°"));
    const double dopoTitolo = TQRStile::larghezza(font, QStringLiteral("SCHEDA CLIENTE N°")) + 2.5;
    scheda = &testa.addField(dopoTitolo, 1, 30, 9, dm.TblClienti, QStringLiteral("Scheda"));
    testa.addHLine(0, 11, w, 0.6);

    // The customer: on one page with its sites and totals when they fit, named again at the
    // top of every page they run onto.
    auto& cliente = detail(19);
    cliente.keepWithNext = true;
    cliente.keepTogether = true;
    cliente.repeatOnNewPage = true;
    cliente.addShade(0, 2, w, 7, grigio);
    font = reportFont(9, QFont::Bold);
    cliente.addLabel(1.5, 3, 18, 5, QStringLiteral("CLIENTE:"));
    cliente.addLabel(130, 3, 24, 5, QStringLiteral("IMPONIBILE"));
    font.setPointSizeF(10.5);
    nomeCliente = &cliente.addExpression(20, 2.8, 108, 5, [this] {
        return dm.TblClienti["Denominazione"].asString() + ' ' + dm.TblClienti["Denominazione 2"].asString();
    });
    imponibile = &cliente.addField(154, 2.8, 34.5, 5, dm.TblClienti, QStringLiteral("Imponibile"));
    imponibile->setAlignment(Qt::AlignRight);
    font = reportFont(9);
    cliente.addExpression(1.5, 10, 105, 4.5, [this] {
        return QStringLiteral("Contratto n° ") + dm.TblClienti["NumContratto"].asString() + QStringLiteral(" del ")
               + dm.TblClienti["Data contratto"].asString();
    });
    cliente.addLabel(1.5, 14.5, 27, 4.5, QStringLiteral("Indice di rev. n°"));
    cliente.addField(28.5, 14.5, 10, 4.5, dm.TblClienti, QStringLiteral("IndiceRev"));
    cliente.addLabel(39, 14.5, 7, 4.5, QStringLiteral("del"));
    cliente.addField(46, 14.5, 25, 4.5, dm.TblClienti, QStringLiteral("DataRev"));
    font.setBold(true);
    cliente.addLabel(110, 14.5, w - 110, 4.5, QStringLiteral("Frequenza visite"));
    cliente.beforePrint = [this](Band&) { return QRBandClienteBeforePrint(); };
    cliente.afterPrint = [this](Band&) { ++clientiStampati; };

    // Its sites, each with its rented articles.
    auto& sedi = addSubDetail(dm.TblSedi);
    auto& sede = sedi.detail(13);
    sede.keepWithNext = true;
    sede.keepTogether = true;
    sede.repeatOnNewPage = true;     // with the column headings, its child
    sede.addHLine(0, 1, w, 0.3);
    font = reportFont(9, QFont::Bold);
    sede.addLabel(1.5, 2.5, 11, 4.5, QStringLiteral("SEDE"));
    font.setBold(false);
    indirizzoSede = &sede.addExpression(13, 2.5, 94, 4.5, [this] {
        return dm.TblSedi["Indirizzo"].asString() + ' ' + ' ' + dm.TblSedi["Comune"].asString();
    });
    indirizzoSede->setWordWrap().setBold();
    rigaChiavi = {&sede.addLabel(1.5, 7.5, 13, 4.5, QStringLiteral("Chiavi:")),
                  &sede.addField(14.5, 7.5, 12, 4.5, dm.TblSedi, QStringLiteral("Chiavi")),
                  &sede.addLabel(30, 7.5, 16, 4.5, QStringLiteral("Servizio:")),
                  &sede.addField(46, 7.5, 62, 4.5, dm.TblSedi, QStringLiteral("DescrIter"))};
    sede.beforePrint = [this](Band& b) { return QRBandSedeBeforePrint(b); };
    font.setPointSizeF(8);
    sede.addExpression(110, 2.6, w - 110, 4, [this] { return FrequenzaVisite(); });

    auto& intestazione = sede.child(6);
    intestazione.keepWithNext = true;
    intestazionePrezzo = &colonneArticoli(intestazione, 1);

    auto& noleggi = sedi.addSubDetail(QryNoleggi);
    noleggi.beforeRun = [this] { return QRSubDetailNoleggiBeforeRun(); };
    auto& noleggio = noleggi.detail(4.6);
    font = reportFont(9);
    prezzoNoleggio = &rigaArticoli(noleggio, QryNoleggi, QStringLiteral("Costo"), [this] {
        return QVariant(QryNoleggi["Quantita"].asInteger() - QryNoleggi["Sospesi"].asInteger());
    });
    noleggi.footer(2).keepWithPrevious = true;

    // The totals per article of the customer, after its sites.
    auto& totali = addSubDetail(QryTotali);
    totali.beforeRun = [this] { return QRSubDetailTotaliBeforeRun(); };
    auto& testaTotali = totali.header(13.5);
    testaTotali.keepWithNext = true;
    testaTotali.keepTogether = true;
    testaTotali.repeatOnNewPage = true;
    testaTotali.addHLine(0, 1.5, w, 0.3);
    testaTotali.addShade(0, 2.5, w, 5.5, grigio);
    font = reportFont(10, QFont::Bold);
    testaTotali.addLabel(1.5, 3, 40, 5, QStringLiteral("TOTALI"));
    colonneArticoli(testaTotali, 8.5);
    auto& totale = totali.detail(4.6);
    font = reportFont(9);
    prezzoTotale = &rigaArticoli(totale, QryTotali, QStringLiteral("Prezzo"), [this] {
        return QVariant(QryTotali["Quantita"].asFloat() - QryTotali["Sospesi"].asFloat());
    });
    totali.footer(3).keepWithPrevious = true;

    // The notes of the customer the table ends on; the count of the list.
    auto& fine = summary(18);
    fine.keepWithPrevious = true;
    fine.addHLine(0, 2, w, 0.6);
    font = reportFont(9);
    fine.addField(0, 4, w, 4.5, dm.TblClienti, QStringLiteral("Note")).setWordWrap();
    font = reportFont(10, QFont::Bold);
    etichettaTotaleClienti = &fine.addLabel(0, 11, 35, 5.5, QStringLiteral("TOTALE CLIENTI:"));
    totaleClienti = &fine.addExpression(36, 11, 30, 5.5, [this] { return QVariant(clientiStampati); });

    auto& piede = pageFooter(9);
    piede.addHLine(0, 2, w, 0.3);
    font = reportFont(8);
    codiceModulo = &piede.addLabel(0, 3, 60, 4.5, QStringLiteral("SC/02/01-10-01-04"));
    piede.addExpression(w - 70, 3, 70, 4.5, [this] {
        return QStringLiteral("Pagina ") + QString::number(pageNumber()) + QStringLiteral(" di ") + title;
    }).setAlignment(Qt::AlignRight);
}

TQRMDClienti::~TQRMDClienti() = default;

// A line of articles under the headings of colonneArticoli: in use (`inUso`, the quantity
// less the pending ones), pending, description, type and the price, which is returned.
ReportText& TQRMDClienti::rigaArticoli(Band& b, Dataset& ds, const QString& prezzo, std::function<QVariant()> inUso)
{
    b.addExpression(xPresso, 0.3, wPresso, 4.3, std::move(inUso)).setAlignment(Qt::AlignRight);
    b.addField(xMagazzino, 0.3, wMagazzino, 4.3, ds, QStringLiteral("Sospesi")).setAlignment(Qt::AlignRight);
    b.addField(xDescrizione, 0.3, wDescrizione, 4.3, ds, QStringLiteral("Descrizione"));
    b.addField(xTipo, 0.3, wTipo, 4.3, ds, QStringLiteral("Tipo"));
    ReportText& p = b.addField(xPrezzo, 0.3, wPrezzo, 4.3, ds, prezzo);
    p.setAlignment(Qt::AlignRight);
    return p;
}

// The column headings of the article lines; the price heading is returned.
ReportText& TQRMDClienti::colonneArticoli(Band& b, double y)
{
    font = reportFont(8, QFont::Bold);
    font.setItalic(true);
    b.addLabel(xPresso, y, wPresso, 4, QStringLiteral("Presso cliente")).setAlignment(Qt::AlignRight);
    b.addLabel(xMagazzino, y, wMagazzino, 4, QStringLiteral("In magazzino")).setAlignment(Qt::AlignRight);
    b.addLabel(xDescrizione, y, wDescrizione, 4, QStringLiteral("Descrizione"));
    b.addLabel(xTipo, y, wTipo, 4, QStringLiteral("Tipo"));
    b.addHLine(0, y + 4.6, bodyWidth(), 0.1).setColor(Qt::darkGray);
    return b.addLabel(xPrezzo, y, wPrezzo, 4, QStringLiteral("Prezzo unitario")).setAlignment(Qt::AlignRight);
}

QString TQRMDClienti::mascheraPrezzo() const
{
    return dm.TblClienti["Millesimi"].asBoolean() ? QStringLiteral("0,.000") : QStringLiteral("0,.00");
}

bool TQRMDClienti::QRMDClientiBeforePrint()
{
    clientiStampati = 0;
    const bool elenco = dm.ModoElenco;
    if (elenco) {
        dm.RicalcolaTotali();
        stampaTotali = true;
    } else {
        stampaTotali = dm.RicalcolaTotaliCliente() > 1;
    }
    if (!dm.TblTotali.active())
        dm.TblTotali.open();
    titolo->setText(elenco ? QStringLiteral("ELENCO CLIENTI") : QStringLiteral("SCHEDA CLIENTE N°"));
    // The title holds the page count: the document goes by this name.
    name = elenco ? QStringLiteral("Elenco clienti")
                  : QStringLiteral("Scheda cliente ") + dm.TblClienti["Denominazione"].asString();
    scheda->visible = !elenco;
    codiceModulo->visible = !elenco;
    etichettaTotaleClienti->visible = elenco;
    totaleClienti->visible = elenco;
    summaryBand()->height = elenco ? 18 : 10;
    // The prices of the sites show when the totals of the customer do not.
    const bool prezzi = !stampaTotali;
    prezzoNoleggio->visible = prezzi;
    intestazionePrezzo->visible = prezzi;
    return true;
}

bool TQRMDClienti::QRBandClienteBeforePrint()
{
    TQRStile::adattaAllaLarghezza(*nomeCliente, 10.5);
    const bool millesimi = dm.TblClienti["Millesimi"].asBoolean();
    imponibile->setMask(millesimi ? QStringLiteral("'€ '#,.000;;#") : QStringLiteral("'€ '#,.00;;#"));
    prezzoNoleggio->setMask(mascheraPrezzo());
    prezzoTotale->setMask(mascheraPrezzo());
    return true;
}

// A long address takes more lines: the keys and the route move down below it.
bool TQRMDClienti::QRBandSedeBeforePrint(Band& sede)
{
    double riga = 0;
    const int n = TQRStile::righe(indirizzoSede->font(), indirizzoSede->value(), indirizzoSede->rect.width(), &riga);
    for (ReportText* t : rigaChiavi)
        t->rect.moveTop(7.5 + (n - 1) * riga);
    sede.height = 13 + (n - 1) * riga;
    return true;
}

bool TQRMDClienti::QRSubDetailNoleggiBeforeRun()
{
    QryNoleggi.close();
    QryNoleggi.setParam(QStringLiteral("Sede"), dm.TblSedi["Codice"].value());
    QryNoleggi.open();
    return true;
}

bool TQRMDClienti::QRSubDetailTotaliBeforeRun()
{
    if (!stampaTotali)
        return false;
    QryTotali.close();
    QryTotali.setParam(QStringLiteral("Cliente"), dm.TblClienti["Codice"].value());
    QryTotali.open();
    return true;
}

QString TQRMDClienti::FrequenzaVisite()
{
    const QString frequenza = dm.TblSedi["Frequenza"].asString();
    if (!frequenza.trimmed().isEmpty())
        return frequenza;
    struct Giorno
    {
        const char* campo;
        const char* sigla;
    };
    static const Giorno giorni[] = {{"Lunedi", "Lun"},    {"Martedi", "Mar"}, {"Mercoledi", "Mer"},
                                    {"Giovedi", "Gio"},   {"Venerdi", "Ven"}, {"Sabato", "Sab"}};
    Table& interventi = dm.TblInterventi;
    QStringList righe;
    for (interventi.first(); !interventi.eof(); interventi.next()) {
        QString riga = QStringLiteral("Sett. n°") + interventi["Settimana"].asString() + QStringLiteral(": ");
        for (const Giorno& g : giorni) {
            const Field& giorno = interventi[QString::fromLatin1(g.campo)];
            const QString sigla = QString::fromLatin1(g.sigla);
            if (giorno.isNull())    // grey: a mandatory visit
                riga += sigla + (sigla == QLatin1String("Sab") ? QStringLiteral("[O]") : QStringLiteral("[O] "));
            else if (giorno.asBoolean())
                riga += sigla + QStringLiteral("[F] ");
        }
        righe << riga;
    }
    return righe.join(QStringLiteral("\r\n"));
}
