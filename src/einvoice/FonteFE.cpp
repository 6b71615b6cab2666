#include "FonteFE.h"

#include "Database.h"
#include "DateIt.h"
#include "Dataset.h"

namespace {

std::optional<double> reale(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

bool logico(const QVariant& v)
{
    return !v.isNull() && v.toLongLong() != 0;
}

QString sqlDocumenti(TipoFE tipo, bool soloPA, bool unCliente)
{
    QString sql = QStringLiteral(
        "SELECT DISTINCT c.Codice, c.XML, c.Codice_FE, c.PEC, c.\"Partita iva\", c.\"Codice fiscale\", "
        "c.Denominazione, c.\"Denominazione 2\", c.Indirizzo, c.Comune, c.Imponibile, c.Pagaiva, "
        "c.NATURA, c.Fattura, c.Condizioni, c.NumContratto, c.\"Data contratto\", c.Rigo_3, "
        "f.Data, c.Scissione, c.Causale, c.Millesimi");
    if (tipo == TipoFE::Fattura)
        sql += QStringLiteral(", c.Banca, c.CoordinateBanca, c.ScadenzaFattura");
    sql += QStringLiteral(" FROM Clienti c JOIN Fatture f ON c.Codice = f.Cliente"
                          " WHERE c.Codice_FE IS NOT NULL AND f.Data IS NOT NULL");
    if (soloPA)
        sql += QStringLiteral(" AND c.XML = 1");
    if (unCliente)
        sql += QStringLiteral(" AND c.Codice = :Cliente");
    if (tipo == TipoFE::Fattura)
        sql += QStringLiteral(" ORDER BY c.Denominazione COLLATE NOCASE, c.Codice, f.Data");
    return sql;
}

} // namespace

ParametriFE LeggiParametriFE(Dataset& p)
{
    ParametriFE r;
    if (p.isEmpty())
        return r;
    r.piva = p["FE_PIva"].asString();
    r.cedID = p["FE_CedID"].asString();
    r.cedNome = p["FE_CedNome"].asString();
    r.cedIndirizzo = p["FE_CedIndirizzo"].asString();
    r.cedCAP = p["FE_CedCAP"].asString();
    r.cedComune = p["FE_CedComune"].asString();
    r.reaUfficio = p["REA_Ufficio"].asString();
    r.reaNumero = p["REA_Numero"].asString();
    if (!p["REA_CapSoc"].isNull())
        r.reaCapSoc = p["REA_CapSoc"].asMoney();
    r.reaSocioUnico = p["REA_SocioUnico"].asString();
    r.reaStatoLiq = p["REA_StatoLiq"].asString();
    r.tipoDocFatt = p["FE_TipoDocFatt"].asString();
    r.tipoDocNota = p["FE_TipoDocNota"].asString();
    if (!p["NotaCre"].isNull())
        r.notaCre = p["NotaCre"].asInteger();
    if (!p["FE_Progr"].isNull())
        r.progr = p["FE_Progr"].asInteger();
    return r;
}

QList<DocumentoFE> DocumentiPeriodici(Database& db, TipoFE tipo, bool soloPA, std::optional<double> cliente)
{
    QList<DocumentoFE> documenti;
    if (!db.tableExists(QStringLiteral("Fatture")))
        return documenti;
    QVariantMap parametri;
    if (cliente)
        parametri[QStringLiteral(":Cliente")] = *cliente;
    QSqlQuery q = db.exec(sqlDocumenti(tipo, soloPA, cliente.has_value()), parametri);
    while (q.next()) {
        DocumentoFE d;
        d.tipo = tipo;
        d.codice = q.value(0).toDouble();
        d.pa = logico(q.value(1));
        d.codiceFE = q.value(2).toString();
        d.pec = q.value(3).toString();
        d.partitaIva = q.value(4).toString();
        d.codiceFiscale = q.value(5).toString();
        d.nome1 = q.value(6).toString();
        d.nome2 = q.value(7).toString();
        d.indirizzo = q.value(8).toString();
        d.comune = q.value(9).toString();
        d.imponibile = Money::fromDouble(q.value(10).toDouble());
        d.pagaIva = logico(q.value(11));
        d.natura = q.value(12).toString();
        d.numero = reale(q.value(13));
        d.condizioni = q.value(14).toString();
        d.numContratto = q.value(15).toString();
        d.dataContratto = fromIso(q.value(16).toString());
        d.rigo3 = q.value(17).toString();
        d.dataFattura = fromIso(q.value(18).toString());
        d.scissione = logico(q.value(19));
        d.causale = q.value(20).toString();
        d.millesimi = logico(q.value(21));
        if (tipo == TipoFE::Fattura) {
            d.banca = q.value(22).toString();
            d.coordinateBanca = q.value(23).toString();
            d.scadenzaFattura = q.value(24).toInt();
        }
        documenti.append(d);
    }
    return documenti;
}

DocumentoFE DocumentoManuale(Dataset& f, TipoFE tipo)
{
    DocumentoFE d;
    d.tipo = tipo;
    d.codice = f["Codice"].asFloat();
    d.pa = f["PA"].asBoolean();
    d.codiceFE = f["Codice_FE"].asString();
    d.pec = f["PEC"].asString();
    d.partitaIva = f["Partita iva"].asString();
    d.codiceFiscale = f["Codice fiscale"].asString();
    d.nome1 = f["Nome1"].asString();
    d.nome2 = f["Nome2"].asString();
    d.indirizzo = f["Indirizzo"].asString();
    d.comune = f["Città"].asString();
    d.dataFattura = f["Data fattura"].asDate();
    if (!f["Numero fattura"].isNull())
        d.numero = f["Numero fattura"].asFloat();
    if (!f["Iva"].isNull())
        d.iva = f["Iva"].asFloat();
    d.natura = f["NATURA"].asString();
    d.imponibile = f["Imponibile"].asMoney();
    d.totale = f["Totale"].asMoney();
    d.scissione = f["Scissione"].asBoolean();
    d.millesimi = f["Millesimi"].asBoolean();
    d.cig = f["Cig"].asString();
    d.numContratto = f["NumContratto"].asString();
    d.dataContratto = f["DataContratto"].asDate();
    d.dataInizioP = f["DataInizioP"].asDate();
    d.dataFineP = f["DataFineP"].asDate();
    d.dataScadenza = f["DataScadenza"].asDate();
    d.banca = f["Banca"].asString();
    d.coordinateBanca = f["CoordinateBanca"].asString();
    d.causale = f["Causale"].asString();
    return d;
}

RigheFE::RigheFE(Database& db, TipoFE tipo) : tipo(tipo)
{
    QString sql;
    if (Periodico(tipo)) {
        sql = QStringLiteral("SELECT DISTINCT Servizio, Prezzo, Quantita, Moltiplicatore FROM Fatture"
                             " WHERE Cliente = ? AND Quantita > 0 ORDER BY Servizio");
    } else {
        const QString condizione = tipo == TipoFE::FatturaManuale ? QStringLiteral("<> 0") : QStringLiteral("> 0");
        QStringList parti;
        for (int n = 1; n <= 11; ++n)
            parti << QStringLiteral("SELECT DISTINCT \"Descrizione %1\" AS Servizio, \"Prezzo unitario %1\" AS Prezzo,"
                                    " \"Quantità %1\" AS Quantita FROM Fattman"
                                    " WHERE Codice = ? AND \"Prezzo unitario %1\" %2")
                         .arg(n)
                         .arg(condizione);
        sql = parti.join(QStringLiteral(" UNION ALL "));
    }
    q = db.prepare(sql);
}

QList<RigaFE> RigheFE::leggi(double codice)
{
    const int parametri = Periodico(tipo) ? 1 : 11;
    for (int i = 0; i < parametri; ++i)
        q.bindValue(i, codice);
    Database::run(q);
    QList<RigaFE> righe;
    while (q.next()) {
        RigaFE r;
        r.servizio = q.value(0).toString();
        r.prezzo = reale(q.value(1));
        r.quantita = q.value(2).toDouble();
        r.moltiplicatore = Periodico(tipo) ? logico(q.value(3)) : true;
        righe.append(r);
    }
    q.finish();
    return righe;
}
