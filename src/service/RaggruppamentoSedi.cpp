#include "RaggruppamentoSedi.h"
#include "TDataModule1.h"

RaggruppamentoSedi::RaggruppamentoSedi(TDataModule1& dati) : QryGruppi(dati.db, QStringLiteral("QryGruppi")), dm(dati)
{
    QryGruppi.setSql(QStringLiteral("SELECT Codice, Gruppo, Indirizzo, Comune, GruppoOrg, Colore FROM Sedi "
                                    "WHERE \"Codice cliente\" = :Cliente ORDER BY Gruppo, GruppoOrg"));
}

void RaggruppamentoSedi::Aggiorna()
{
    const bool conCliente = dm.TblClienti.active() && !dm.TblClienti.isEmpty();
    QryGruppi.close();
    QryGruppi.setParam(QStringLiteral("Cliente"), conCliente ? dm.TblClienti["Codice"].value() : QVariant());
    QryGruppi.open();
}

QVariant RaggruppamentoSedi::valoreDi(double sede, const QString& campo)
{
    return dm.TblSedi.lookup(QStringLiteral("Codice"), {sede}, campo);
}

// The site table is walked with its screens held still and comes back to the site it was on.
void RaggruppamentoSedi::assegnaGruppo(double sede, const QVariant& gruppo)
{
    Table& sedi = dm.TblSedi;
    if (!sedi.locate(QStringLiteral("Codice"), {sede}))
        return;
    if (sedi["Gruppo"].value() == gruppo && !sedi["Gruppo"].isNull())
        return;
    sedi.edit();
    sedi["Gruppo"] = gruppo;
    sedi.post();
}

void RaggruppamentoSedi::Raggruppa(const QList<double>& selezionate)
{
    if (!selezionate.isEmpty()) {
        const ControlsOff riprendi(dm.TblSedi, ControlsOff::BackToRecord);
        const QVariant gruppo = valoreDi(selezionate.first(), QStringLiteral("Gruppo"));
        for (double sede : selezionate)
            assegnaGruppo(sede, gruppo);
    }
    Ricolora();
}

void RaggruppamentoSedi::Separa(const QList<double>& selezionate)
{
    if (!selezionate.isEmpty()) {
        const ControlsOff riprendi(dm.TblSedi, ControlsOff::BackToRecord);
        for (double sede : selezionate)
            assegnaGruppo(sede, valoreDi(sede, QStringLiteral("GruppoOrg")));
    }
    Ricolora();
}

void RaggruppamentoSedi::Ricolora()
{
    Aggiorna();
    Table& sedi = dm.TblSedi;
    const ControlsOff riprendi(sedi, ControlsOff::BackToRecord);
    int colore = 0;
    QVariant precedente = QryGruppi.isEmpty() ? QVariant() : QryGruppi.valueAt(0, QStringLiteral("Gruppo"));
    for (int i = 0; i < QryGruppi.recordCount(); ++i) {
        const QVariant gruppo = QryGruppi.valueAt(i, QStringLiteral("Gruppo"));
        if (gruppo != precedente)
            colore = 1 - colore;
        precedente = gruppo;
        if (!sedi.locate(QStringLiteral("Codice"), {QryGruppi.valueAt(i, QStringLiteral("Codice"))}))
            continue;
        if (!sedi["Colore"].isNull() && sedi["Colore"].asInteger() == colore)
            continue;
        sedi.edit();
        sedi["Colore"] = colore;
        sedi.post();
    }
    Aggiorna();
}
