#include "TQRSchedaSettimanale.h"
#include "DateIt.h"
#include "TDataModule1.h"

namespace {

// Columns of the stops, in millimetres from the left margin.
constexpr double xControllo = 86, wControllo = 52;      // "Controllo": "Visivo" and "Funzionale"
constexpr double xAnnotazioni = xControllo + wControllo;

} // namespace

TQRSchedaSettimanale::TQRSchedaSettimanale(TDataModule1& dati, LayoutScheda layout)
    : SSS(dati.db, QStringLiteral("TblSSS")), dm(dati), lay(layout), QryArticoli(dati.db, QStringLiteral("QryArticoli"))
{
    SSS.setTableName(QStringLiteral("SSS"));
    SSS.setDefinition(PianificazioneSettimanale::definizione(layout));
    SSS.setIndexName(QStringLiteral("TblSSSIndex1"));
    SSS.addCalculatedField(QStringLiteral("GiornoSettimana"), FieldType::String, 10);
    SSS.addCalculatedField(QStringLiteral("CalcIndirizzo"), FieldType::String, 255);
    SSS.onCalcFields += [](Dataset& s) {
        s["GiornoSettimana"] = PianificazioneSettimanale::NomeGiorno(int(s["Giorno"].asInteger()));
        s["CalcIndirizzo"] = s["IndirizzoGruppo"].isNull() ? s["Indirizzo"].asString() : s["IndirizzoGruppo"].asString();
    };

    title = QStringLiteral("Scheda settimanale di servizio");
    setMargins(10);
    setDataset(&SSS);
    // The page header of the first page reads the first row.
    beforeRun = [this] {
        if (!SSS.active())
            return false;
        SSS.first();
        return true;
    };
    afterRun = [this] { QryArticoli.close(); };

    const double w = bodyWidth();
    creaTestata(w);
    creaGiorno(w);
    creaFermata(w);
    if (vecchia())
        creaArticoli(w);

    auto& piede = pageFooter(8);
    font.setBold(false);
    font.setPointSizeF(punti(8));
    piede.addLabel(0, 2, 60, 5, vecchia() ? QStringLiteral("SSS/02/02-28-01-06") : QStringLiteral("SSS/02/03-15-05-15"));
    piede.addPageNumber(w - 60, 2, 60, 5, QStringLiteral("Pagina %1 di %2")).setAlignment(Qt::AlignRight);
}

TQRSchedaSettimanale::~TQRSchedaSettimanale() = default;

QString TQRSchedaSettimanale::Dal()
{
    const int settimana = int(SSS["Settimana"].asInteger());
    return QStringLiteral("Dal  ") + formatDate(PianificazioneSettimanale::Lunedi(riferimento, settimana));
}

QString TQRSchedaSettimanale::Al()
{
    const int settimana = int(SSS["Settimana"].asInteger());
    return QStringLiteral("Al  ") + formatDate(PianificazioneSettimanale::Lunedi(riferimento, settimana).addDays(5));
}

// Boxes from left to right: the company, the title with the day, the auditor's signature, the week.
void TQRSchedaSettimanale::creaTestata(double w)
{
    const double h = 24;
    const double xTitolo = 42, xFirma = 124, xSettimana = 156;
    auto& testa = pageHeader(h);
    testa.addFrame(0, 0, w, h, 0.4);
    testa.addVLine(xTitolo, 0, h, 0.4);
    testa.addVLine(xFirma, 0, h, 0.4);
    testa.addVLine(xSettimana, 0, h, 0.4);

    font.setBold(true);
    font.setPointSizeF(punti(15));
    testa.addLabel(1, 8, xTitolo - 2, 8, QStringLiteral("Mister Zanfo")).setAlignment(Qt::AlignCenter);
    font.setPointSizeF(punti(11));
    testa.addLabel(xTitolo + 1, 3, xFirma - xTitolo - 2, 6, QStringLiteral("SCHEDA SETTIMANALE DI SERVIZIO"))
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    font.setPointSizeF(punti(13));
    testa.addField(xTitolo + 1, 12, xFirma - xTitolo - 2, 7, SSS, QStringLiteral("GiornoSettimana"))
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    font.setBold(false);
    font.setPointSizeF(punti(8));
    testa.addLabel(xFirma + 1, 1.5, xSettimana - xFirma - 2, 8, QStringLiteral("Firma CRSERV per verifica"))
        .setWordWrap()
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    font.setPointSizeF(punti(10));
    font.setBold(true);
    testa.addExpression(xSettimana + 2, 2, w - xSettimana - 3, 6, [this] {
        const qint64 settimana = SSS["Settimana"].asInteger();
        return QStringLiteral("Settimana  ") + (settimana != 0 ? QString::number(settimana) : QString());
    });
    font.setBold(false);
    testa.addExpression(xSettimana + 2, 9.5, w - xSettimana - 3, 6, [this] { return Dal(); });
    testa.addExpression(xSettimana + 2, 16, w - xSettimana - 3, 6, [this] { return Al(); });
    testa.child(4);
}

// One group per planned day, on a page of its own: the route and its agent, the column
// headings, and at the end the daily signature line.
void TQRSchedaSettimanale::creaGiorno(double w)
{
    addGroup(QStringLiteral("Settimana"));
    auto& giorno = addGroup(QStringLiteral("Giorno"));
    giorno.newPage = true;
    giorno.reprintHeader = true;

    const double xVisivo = xControllo, xFunzionale = xControllo + wControllo / 2;
    auto& testa = giorno.header(26);
    font.setBold(true);
    font.setPointSizeF(punti(11));
    testa.addExpression(0, 0, w, 6, [this] { return descrizioneGiro; });
    font.setBold(false);
    font.setPointSizeF(punti(10));
    testa.addExpression(0, 6, w, 5.5, [this] { return agenteGiro; }).setAlignment(Qt::AlignRight | Qt::AlignTop);

    const double y = 13, h = 12;
    testa.addFrame(0, y, w, h, 0.3);
    testa.addVLine(xControllo, y, h, 0.3);
    testa.addVLine(xFunzionale, y + h / 2, h / 2, 0.3);
    testa.addVLine(xAnnotazioni, y, h, 0.3);
    testa.addHLine(xControllo, y + h / 2, wControllo, 0.3);
    font.setBold(true);
    font.setPointSizeF(punti(9));
    testa.addLabel(1, y + 1, xControllo - 2, h - 2, QStringLiteral("Pianificazione e requisiti del servizio"))
        .setWordWrap()
        .setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    testa.addLabel(xControllo, y + 0.8, wControllo, 4.5, QStringLiteral("Controllo")).setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    font.setBold(false);
    testa.addLabel(xVisivo, y + h / 2 + 0.8, wControllo / 2, 4.5, QStringLiteral("Visivo")).setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    testa.addLabel(xFunzionale, y + h / 2 + 0.8, wControllo / 2, 4.5, QStringLiteral("Funzionale"))
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    font.setPointSizeF(punti(6.5));
    testa.addLabel(xAnnotazioni + 1, y + 0.5, w - xAnnotazioni - 2, h - 1,
                   QStringLiteral("Annotazioni/Anomalie/Riparazioni. Annotazione orario esecuzione servizio in caso di chiamata."))
        .setWordWrap();

    auto& piede = giorno.footer(12);
    piede.addHLine(0, 0, w, 0.2);
    font.setPointSizeF(punti(9));
    piede.addLabel(0, 5, w, 5,
                   QStringLiteral("Firma per attestazione attività giornaliera:"
                                  "...................................................................................."))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
}

// One line per stop: the customer with the stop's address and town, the squares of the visual
// and functional checks, and the customer's sheet reference in the current layout.
void TQRSchedaSettimanale::creaFermata(double w)
{
    auto& fermata = detail(vecchia() ? 8 : 10);
    fermata.addVLine(0, 0, fermata.height, 0.2).setToBandBottom();
    fermata.addFrame(xControllo, 0, wControllo, fermata.height, 0.2).setToBandBottom();
    fermata.addVLine(w, 0, fermata.height, 0.2).setToBandBottom();
    font.setBold(false);
    font.setPointSizeF(punti(9));
    fermata.addExpression(1.5, 1.5, xControllo - 3, 5, [this] {
        return SSS["Cliente"].asString() + u' ' + SSS["CalcIndirizzo"].asString() + u' ' + SSS["Comune"].asString();
    }).setWordWrap();

    font.setPointSizeF(punti(7));
    const double lato = 3.5, y = 2;
    const double passo = wControllo / 4;
    for (int i = 0; i < 4; ++i) {
        const double x = xControllo + i * passo + 2;
        fermata.addCheckBox(x, y, lato);
        fermata.addLabel(x + lato + 1, y, passo - lato - 2, lato, i % 2 == 0 ? QStringLiteral("pos") : QStringLiteral("neg"))
            .setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (!vecchia()) {
        font.setPointSizeF(punti(8));
        fermata.addField(xAnnotazioni + 1.5, 1.5, w - xAnnotazioni - 3, 5, SSS, QStringLiteral("Scheda")).setWordWrap();
    }
}

// Under each stop of the old layout, the articles of the customer's sites of that group with
// the units at the customer (placed minus pending).
void TQRSchedaSettimanale::creaArticoli(double w)
{
    QryArticoli.setSql(QStringLiteral(
        "SELECT Servizi.Codice, Servizi.Descrizione, Servizi.Tipo, SUM(Noleggi.Quantita) AS Quantita, "
        "SUM(Noleggi.Sospesi) AS Sospesi FROM Sedi JOIN Noleggi ON Sedi.Codice = Noleggi.\"Codice sede\" "
        "JOIN Servizi ON Noleggi.\"Codice servizio\" = Servizi.Codice "
        "WHERE Sedi.\"Codice cliente\" = :Cliente AND Sedi.Gruppo IS :Gruppo "
        "GROUP BY Servizi.Codice, Servizi.Descrizione, Servizi.Tipo ORDER BY Servizi.Codice"));
    QryArticoli.addCalculatedField(QStringLiteral("Servizio"), FieldType::String, 61);
    QryArticoli.onCalcFields += [](Dataset& a) {
        a["Servizio"] = a["Descrizione"].asString() + u' ' + a["Tipo"].asString();
    };

    auto& articoli = addSubDetail(QryArticoli);
    articoli.beforeRun = [this] {
        QryArticoli.close();
        QryArticoli.setParam(QStringLiteral("Cliente"), SSS["CodCliente"].value());
        QryArticoli.setParam(QStringLiteral("Gruppo"), SSS["Gruppo"].value());
        QryArticoli.open();
        return true;
    };
    auto& riga = articoli.detail(4.2);
    riga.addVLine(0, 0, riga.height, 0.2).setToBandBottom();
    riga.addVLine(xControllo, 0, riga.height, 0.2).setToBandBottom();
    riga.addVLine(w, 0, riga.height, 0.2).setToBandBottom();
    font.setPointSizeF(punti(8));
    riga.addField(6, 0.3, xControllo - 30, 4, QryArticoli, QStringLiteral("Servizio"));
    riga.addExpression(xControllo - 22, 0.3, 20, 4, [this] {
        return QVariant(QryArticoli["Quantita"].asInteger() - QryArticoli["Sospesi"].asInteger());
    }).setAlignment(Qt::AlignRight | Qt::AlignTop);
    articoli.footer(1).addHLine(0, 0, w, 0.2);
}
