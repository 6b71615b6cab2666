#include "GestioneSospesi.h"
#include "TDataModule1.h"

GestioneSospesi::GestioneSospesi(TDataModule1& dati) : QryElenco(dati.db, QStringLiteral("QryElenco")), dm(dati)
{
    QryElenco.setSql(QStringLiteral(
        "SELECT Sospesi.Data, COALESCE(Clienti.Denominazione, '') || ' ' || COALESCE(Clienti.\"Denominazione 2\", '') AS Cliente, "
        "Sedi.Indirizzo, Sedi.Comune, Sospesi.Servizio, Sospesi.Quantita, Sospesi.Codice, "
        "COALESCE(Sedi.Indirizzo, '') || ' ' || COALESCE(Sedi.Comune, '') AS CcSede, "
        "COALESCE(Servizi.Descrizione, '') || ' ' || COALESCE(Servizi.Tipo, '') AS CcServizio "
        "FROM Sospesi JOIN Sedi ON Sospesi.Sede = Sedi.Codice JOIN Clienti ON Sedi.\"Codice cliente\" = Clienti.Codice "
        "LEFT JOIN Servizi ON Servizi.Codice = Sospesi.Servizio "
        "ORDER BY Sospesi.Data, Cliente, Sedi.Indirizzo, Sospesi.Servizio"));
}

void GestioneSospesi::Aggiorna()
{
    const QVariant codice = QryElenco.active() && !QryElenco.isEmpty() ? QryElenco["Codice"].value() : QVariant();
    QryElenco.close();
    QryElenco.open();
    if (codice.isValid())
        QryElenco.locate(QStringLiteral("Codice"), {codice});
    Allinea();
}

bool GestioneSospesi::Allinea()
{
    if (!dm.TblSospesi.active())
        dm.TblSospesi.open();
    if (!QryElenco.active() || QryElenco.isEmpty())
        return false;
    return dm.TblSospesi.locate(QStringLiteral("Codice"), {QryElenco["Codice"].value()});
}

bool GestioneSospesi::EliminaCorrente()
{
    if (!Allinea())
        return false;
    if (!dm.prompts.askYes(QStringLiteral("Elimino il sospeso?")))
        return false;
    dm.TblSospesi.remove();
    QryElenco.close();
    QryElenco.open();
    Allinea();
    return true;
}
