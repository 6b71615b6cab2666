#include "Tabelle.h"

namespace Tabelle {

namespace {

FieldDef campo(const QString& name, FieldType type, int size = 0)
{
    FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    return f;
}

FieldDef testo(const QString& name, int size) { return campo(name, FieldType::String, size); }
FieldDef reale(const QString& name) { return campo(name, FieldType::Float); }
FieldDef valuta(const QString& name) { return campo(name, FieldType::Currency); }
FieldDef intero16(const QString& name) { return campo(name, FieldType::SmallInt); }
FieldDef intero32(const QString& name) { return campo(name, FieldType::Integer); }
FieldDef contatore(const QString& name) { return campo(name, FieldType::AutoInc); }
FieldDef data(const QString& name) { return campo(name, FieldType::Date); }

FieldDef logico(const QString& name, std::optional<bool> def = std::nullopt)
{
    FieldDef f = campo(name, FieldType::Boolean);
    if (def)
        f.defaultValue = *def;
    return f;
}

FieldDef conDefault(FieldDef f, const QVariant& def)
{
    f.defaultValue = def;
    return f;
}

FieldDef conIntervallo(FieldDef f, double min, double max)
{
    f.minValue = min;
    f.maxValue = max;
    return f;
}

IndexDef primario(const QString& name, const QStringList& fields)
{
    return IndexDef{name, fields, true, false};
}

IndexDef secondario(const QString& name, const QStringList& fields, bool caseInsensitive)
{
    return IndexDef{name, fields, false, caseInsensitive};
}

TableDef defAgenti()
{
    return {"Agenti",
            {reale("Codice"), testo("Nominativo", 50),
             conIntervallo(reale("Percentuale"), 0, 100), valuta("Provvigione")},
            {primario("TblAgentiIndex1", {"Codice"}),
             secondario("IdxNome", {"Nominativo"}, true)}};
}

TableDef defClienti()
{
    return {"Clienti",
            {reale("Codice"),
             intero16("Pagamento"),
             intero16("Mastro"),
             intero16("Conto"),
             logico("Incassabile", false),
             testo("Denominazione", 35),
             testo("Denominazione 2", 35),
             testo("Indirizzo", 30),
             testo("Comune", 30),
             testo("Partita iva", 11),
             testo("Codice fiscale", 16),
             testo("NumContratto", 20),
             data("Data contratto"),
             data("Data scadenza"),
             testo("Numero cc", 30),
             testo("CoordinateBanca", 100),
             testo("Banca", 70),
             testo("Rigo_3", 255),
             testo("Condizioni", 14),
             testo("Rigo 1", 50),
             testo("Rigo 2", 50),
             testo("Note", 255),
             testo("NoteServizi", 30),
             valuta("Imponibile"),
             testo("Flag", 1),
             reale("Fattura"),
             data("Data fattura"),
             logico("Escluso"),
             logico("Pagaiva", true),
             intero16("Scheda"),
             intero16("IndiceRev"),
             data("DataRev"),
             logico("Millesimi", false),
             logico("StampaEstesa"),
             logico("XML"),
             testo("Codice_FE", 7),
             intero16("Mese_Fatt"),
             logico("Scissione", false),
             testo("Causale", 255),
             testo("PEC", 255),
             testo("NATURA", 5),
             conDefault(intero16("ScadenzaFattura"), 0)},
            {primario("TblClientiIndex1", {"Codice"}),
             secondario("IdxName", {"Denominazione"}, true)}};
}

TableDef defSedi()
{
    return {"Sedi",
            {reale("Codice"),
             reale("Codice cliente"),
             testo("Indirizzo", 255),
             testo("Comune", 50),
             reale("Codice agente"),
             valuta("Imponibile"),
             intero16("Chiavi"),
             intero16("Iter"),
             testo("Frequenza", 20),
             intero16("Gruppo"),
             intero16("GruppoOrg"),
             intero16("Colore"),
             testo("IndirizzoGruppo", 30),
             logico("Ostrelo"),
             logico("DirGen"),
             logico("PrSocc"),
             testo("Ufficio", 100),
             testo("Scala", 5),
             testo("Piano", 5),
             testo("Sesso", 1),
             testo("Reparto", 100),
             testo("Altro", 255)},
            {primario("TblSediIndex1", {"Codice"}),
             secondario("IdxAgente", {"Codice agente"}, true),
             secondario("IdxCliente", {"Codice cliente"}, true),
             secondario("IdxIter", {"Iter", "Codice cliente", "Codice"}, true)}};
}

TableDef defNoleggi()
{
    return {"Noleggi",
            {reale("Codice sede"), reale("Codice servizio"), intero16("Quantita"),
             intero16("InFattura"), intero16("Sospesi"), valuta("Costo"), testo("Reparto", 100),
             testo("Sesso", 1), testo("Altro", 255), intero32("AltraDitta")},
            {primario("TblNoleggiIndex1", {"Codice sede", "Codice servizio"}),
             secondario("IdxSede", {"Codice sede"}, true)}};
}

TableDef defServizi()
{
    return {"Servizi",
            {reale("Codice"), testo("Descrizione", 50), testo("Tipo", 10), reale("Dentro"),
             reale("Fuori"), testo("Motivo", 50), logico("Fatturabile")},
            {primario("TblServiziIndex1", {"Codice"}),
             secondario("IdxName", {"Descrizione"}, true)}};
}

TableDef defStoMag()
{
    return {"Stomag",
            {contatore("Codice"), testo("Servizio", 61), data("Data movimento"),
             testo("Tipo movimento", 9), testo("Motivo", 50), testo("Cliente", 71),
             reale("Quantità"), reale("Giacenza")},
            {primario("TblStoMagIndex1", {"Codice"}),
             secondario("IdxServizio", {"Servizio", "Data movimento"}, true)}};
}

TableDef defConsumi()
{
    return {"Consumi",
            {contatore("Codice"), reale("Sede"), reale("Servizio"), reale("Quantita"),
             data("Data")},
            {primario("TblConsumiIndex1", {"Codice"}),
             secondario("IdxCliente", {"Sede", "Servizio", "Data"}, true)}};
}

TableDef defMedie()
{
    return {"Medie",
            {intero16("Codice"), reale("CodServizio"), testo("Servizio", 70), data("DaData"),
             data("AData"), reale("Totale"), intero16("Mesi"), reale("Media mensile")},
            {primario("TblMedieIndex1", {"Codice"}),
             secondario("IdxServizio", {"CodServizio"}, true)}};
}

TableDef defFattMan()
{
    QList<FieldDef> f{contatore("Codice"),        testo("Nome1", 35),
                      testo("Nome2", 35),         testo("Indirizzo", 50),
                      testo("Città", 50),         testo("Codice fiscale", 16),
                      testo("Partita iva", 11),   data("Data fattura"),
                      reale("Numero fattura")};
    for (int n = 1; n <= 11; ++n) {
        f << reale(QStringLiteral("Quantità %1").arg(n))
          << testo(QStringLiteral("Descrizione %1").arg(n), 50)
          << valuta(QStringLiteral("Prezzo unitario %1").arg(n));
    }
    for (int n = 1; n <= 6; ++n)
        f << testo(QStringLiteral("Rigo %1").arg(n), 50);
    f << testo("Rigo_7", 255) << reale("Iva") << testo("Codice_FE", 7) << testo("Cig", 50)
      << testo("NumContratto", 20) << data("DataContratto") << logico("Scissione")
      << data("DataInizioP") << data("DataFineP") << testo("Causale", 255)
      << testo("CoordinateBanca", 100) << testo("Banca", 255) << logico("PA")
      << testo("PEC", 255) << testo("NATURA", 5) << logico("Millesimi", false)
      << data("DataScadenza");
    return {"Fattman", f, {primario("TblFatturaManIndex1", {"Codice"})}};
}

TableDef defFatture()
{
    return {"Fatture",
            {reale("Cliente"), testo("Servizio", 50), intero16("Posizione"), reale("Quantita"),
             valuta("Prezzo"), data("Data"), logico("Moltiplicatore", true)},
            {primario("TblFattureIndex1", {"Cliente", "Servizio"}),
             secondario("IdxPos", {"Cliente", "Posizione", "Servizio"}, true)}};
}

TableDef defTotali()
{
    return {"Totali",
            {reale("Cliente"), reale("Servizio"), reale("Quantita"), reale("Sospesi"),
             valuta("Prezzo")},
            {primario("TblTotaliIndex1", {"Cliente", "Servizio"})}};
}

TableDef defPrimaNota()
{
    return {"PrimaNota",
            {contatore("Codice"), intero32("CodiceAltra"), reale("Cliente"),
             testo("Causale", 50), data("Data"), valuta("Importo"), logico("Incassata", false),
             intero16("Fattura"), data("DataRif"), intero16("Conto"), valuta("Saldo"),
             testo("MastroConto", 8), logico("InsManuale")},
            {primario("TblPrimaNotaIndex1", {"Codice"}),
             secondario("IdxDataFattura", {"Data", "Fattura"}, true),
             secondario("IdxClienteData", {"Cliente", "Data"}, true)}};
}

TableDef defModPag()
{
    return {"ModPag",
            {contatore("Codice"), testo("Descrizione", 30), intero16("Mastro"), intero16("Conto")},
            {primario("TblModPagIndex1", {"Codice"})}};
}

TableDef defAltreInfo()
{
    return {"AltreInfo",
            {reale("Cliente"), intero16("Progr"), intero16("Quantita"), testo("Descrizione", 50),
             valuta("Prezzo")},
            {primario("TblAltreInfoIndex1", {"Cliente", "Progr"})}};
}

TableDef defIter()
{
    return {"Iter",
            {intero16("Codice"), testo("Descrizione", 50), reale("Agente")},
            {primario("TblIterIndex1", {"Codice"})}};
}

TableDef defInterventi()
{
    return {"Interventi",
            {intero16("Codice"), conIntervallo(conDefault(intero16("Settimana"), 1), 1, 10),
             logico("Lunedi", false), logico("Martedi", false), logico("Mercoledi", false),
             logico("Giovedi", false), logico("Venerdi", false), logico("Sabato", false),
             reale("Sede")},
            {primario("TblInterventiIndex1", {"Codice"}),
             secondario("IdxSede", {"Sede"}, true)}};
}

TableDef defSospesi()
{
    return {"Sospesi",
            {intero32("Codice"), data("Data"), reale("Sede"), reale("Servizio"),
             intero16("Quantita")},
            {primario("TblSospesiIndex1", {"Codice"})}};
}

TableDef defOstrelo()
{
    return {"Ostrelo",
            {contatore("Progr"), reale("Sede"), logico("Ostrelo"), logico("DirGen"),
             logico("PrSocc"), testo("Ufficio", 100), testo("Scala", 5), testo("Piano", 5),
             testo("Reparto", 100), testo("Sesso", 1), testo("Altro", 255), reale("CotoneC"),
             reale("CotoneS"), reale("SaponiereC"), reale("SaponiereS"), reale("CartaIgienicaC"),
             reale("CartaIgienicaS"), reale("CartaMani"), reale("Igienizzante")},
            {primario("TblOstreloIndex1", {"Progr"})}};
}

// The single record of the company parameters: no key, the program binds the fields by name.
TableDef defParametri()
{
    return {"Parametri",
            {intero16("FE_Progr"), data("FE_Data"), testo("FE_PIva", 16), testo("FE_CedID", 16),
             testo("FE_CedNome", 50), testo("FE_CedRegFisc", 4), testo("FE_CedIndirizzo", 50),
             testo("FE_CedCAP", 5), testo("FE_CedComune", 40), testo("REA_Ufficio", 2),
             testo("REA_Numero", 20), valuta("REA_CapSoc"), testo("REA_SocioUnico", 2),
             testo("REA_StatoLiq", 2), intero16("NotaCre"), data("DataNotaCre"), logico("SoloPA"),
             testo("FEPath", 255), testo("Browser", 255), testo("FE_TipoDocFatt", 4),
             testo("FE_TipoDocNota", 4)},
            {}};
}

} // namespace

const TableDef& Agenti() { static const TableDef d = defAgenti(); return d; }
const TableDef& Clienti() { static const TableDef d = defClienti(); return d; }
const TableDef& Sedi() { static const TableDef d = defSedi(); return d; }
const TableDef& Noleggi() { static const TableDef d = defNoleggi(); return d; }
const TableDef& Servizi() { static const TableDef d = defServizi(); return d; }
const TableDef& StoMag() { static const TableDef d = defStoMag(); return d; }
const TableDef& Consumi() { static const TableDef d = defConsumi(); return d; }
const TableDef& Medie() { static const TableDef d = defMedie(); return d; }
const TableDef& FattMan() { static const TableDef d = defFattMan(); return d; }
const TableDef& Fatture() { static const TableDef d = defFatture(); return d; }
const TableDef& Totali() { static const TableDef d = defTotali(); return d; }
const TableDef& PrimaNota() { static const TableDef d = defPrimaNota(); return d; }
const TableDef& ModPag() { static const TableDef d = defModPag(); return d; }
const TableDef& AltreInfo() { static const TableDef d = defAltreInfo(); return d; }
const TableDef& Iter() { static const TableDef d = defIter(); return d; }
const TableDef& Interventi() { static const TableDef d = defInterventi(); return d; }
const TableDef& Sospesi() { static const TableDef d = defSospesi(); return d; }
const TableDef& Ostrelo() { static const TableDef d = defOstrelo(); return d; }
const TableDef& Parametri() { static const TableDef d = defParametri(); return d; }

QList<TableDef> installazione()
{
    return {Agenti(),  Clienti(), Sedi(),      Noleggi(), Servizi(),    StoMag(),     Consumi(),
            Medie(),   FattMan(), ModPag(),    AltreInfo(), Iter(),     Interventi(), Sospesi(),
            Parametri()};
}

const TableDef* perNome(const QString& name)
{
    // Accepts the names the program writes, "Clienti.DB" or "..\2019\PrimaNota.DB" included.
    QString bare = name;
    bare = bare.mid(qMax(bare.lastIndexOf(u'/'), bare.lastIndexOf(u'\\')) + 1);
    if (bare.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        bare.chop(3);
    static const QList<const TableDef*> tutte{
        &Agenti(),  &Clienti(),  &Sedi(),    &Noleggi(),   &Servizi(), &StoMag(), &Consumi(),
        &Medie(),   &FattMan(),  &Fatture(), &Totali(),    &PrimaNota(), &ModPag(), &AltreInfo(),
        &Iter(),    &Interventi(), &Sospesi(), &Ostrelo(), &Parametri()};
    for (const TableDef* d : tutte)
        if (d->name.compare(bare, Qt::CaseInsensitive) == 0)
            return d;
    return nullptr;
}

} // namespace Tabelle
