#include "StampaServizi.h"
#include "Errors.h"
#include "TDataModule1.h"
#include "TQRServizi.h"
#include "TQRServiziOld.h"
#include <QSqlQuery>

StampaServizi::StampaServizi(TDataModule1& dati) : dm(dati) {}

StampaServizi::~StampaServizi() = default;

TQRSchedaSettimanale& StampaServizi::report(LayoutScheda layout)
{
    if (layout == LayoutScheda::Corrente) {
        if (!qrServizi)
            qrServizi = std::make_unique<TQRServizi>(dm);
        return *qrServizi;
    }
    if (!qrServiziOld)
        qrServiziOld = std::make_unique<TQRServiziOld>(dm);
    return *qrServiziOld;
}

TQRSchedaSettimanale& StampaServizi::Prepara(int iter, LayoutScheda layout, const QDate& riferimento)
{
    QSqlQuery q = dm.db.exec(QStringLiteral("SELECT i.Descrizione, a.Nominativo FROM Iter i "
                                            "LEFT JOIN Agenti a ON a.Codice = i.Agente WHERE i.Codice = ?"),
                             {iter});
    if (!q.next())
        throw LavError(QStringLiteral("Il giro %1 non esiste.").arg(iter));
    const QString descrizione = q.value(0).toString();
    const QString agente = q.value(1).toString();
    q.finish();

    // The planning table is dropped and made again: neither layout may hold it open.
    Chiudi();
    PianificazioneSettimanale::Pianifica(dm.db, iter, layout);
    TQRSchedaSettimanale& r = report(layout);
    r.riferimento = riferimento;
    r.descrizioneGiro = descrizione;
    r.agenteGiro = agente;
    r.SSS.open();
    return r;
}

void StampaServizi::Chiudi()
{
    if (qrServizi)
        qrServizi->SSS.close();
    if (qrServiziOld)
        qrServiziOld->SSS.close();
}

int StampaServizi::CercaGiro(Database& db, const QString& descrizione)
{
    QSqlQuery q = db.exec(QStringLiteral("SELECT Codice FROM Iter WHERE Descrizione = ? COLLATE NOCASE ORDER BY Codice"),
                          {descrizione.trimmed()});
    return q.next() ? q.value(0).toInt() : 0;
}
