#include "TDataModule1.h"
#include "Clock.h"
#include "Errors.h"
#include "Tabelle.h"
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

// Statements that bring an older table up to date: the column probed and, when it is
// missing, the statements run in order. Each statement is its lines joined by line breaks.
struct ColumnCheck
{
    const char* table;
    const char* column;
    QStringList statements;
};

QString lines(std::initializer_list<const char*> parts)
{
    QStringList l;
    for (const char* p : parts)
        l << QString::fromUtf8(p);
    return l.join('\n');
}

const QList<ColumnCheck>& columnChecks()
{
    static const QList<ColumnCheck> checks = {
        {"Clienti", "Scissione", {lines({"ALTER TABLE Clienti", "ADD Scissione boolean"})}},
        {"Clienti", "Causale", {lines({"ALTER TABLE Clienti", "ADD Causale varchar(255)"})}},
        {"Clienti", "PEC", {lines({"ALTER TABLE Clienti", "ADD PEC varchar(255)"})}},
        {"Clienti", "NATURA", {lines({"ALTER TABLE Clienti", "ADD NATURA varchar(3)"})}},
        {"Clienti", "ScadenzaFattura",
         {lines({"ALTER TABLE Clienti", "ADD ScadenzaFattura smallint"}), "update Clienti set ScadenzaFattura = 0"}},
        {"FattMan", "NATURA", {lines({"ALTER TABLE FattMan", "ADD NATURA varchar(3)"})}},
        {"FattMan", "Scissione", {lines({"ALTER TABLE FattMan", "ADD Scissione boolean"})}},
        {"FattMan", "DataInizioP", {lines({"ALTER TABLE FattMan", "ADD DataInizioP date"})}},
        {"FattMan", "DataFineP", {lines({"ALTER TABLE FattMan", "ADD DataFineP date"})}},
        {"FattMan", "Causale", {lines({"ALTER TABLE FattMan", "ADD Causale varchar(255)"})}},
        {"FattMan", "CoordinateBanca", {lines({"ALTER TABLE FattMan", "ADD CoordinateBanca varchar(100)"})}},
        {"FattMan", "Banca", {lines({"ALTER TABLE FattMan", "ADD Banca varchar(255)"})}},
        {"FattMan", "PEC", {lines({"ALTER TABLE FattMan", "ADD PEC varchar(255)"})}},
        {"FattMan", "Millesimi",
         {lines({"ALTER TABLE FattMan", "ADD Millesimi boolean"}), "UPDATE FattMan SET Millesimi = False"}},
        {"FattMan", "DataScadenza", {lines({"ALTER TABLE FattMan", "ADD DataScadenza date"})}},
        {"Parametri", "NotaCre", {lines({"ALTER TABLE Parametri", "ADD NotaCre smallint"})}},
        {"Parametri", "DataNotaCre", {lines({"ALTER TABLE Parametri", "ADD DataNotaCre date"})}},
        {"Parametri", "SoloPA",
         {lines({"ALTER TABLE Parametri", "ADD SoloPA Boolean"}), "UPDATE Parametri SET SoloPA = True",
          lines({"ALTER TABLE Parametri", "ADD FEPath varchar(255)"}),
          lines({"ALTER TABLE Parametri", "ADD Browser varchar(255)"})}},
        {"Parametri", "FE_TipoDocFatt",
         {lines({"ALTER TABLE Parametri", "ADD FE_TipoDocFatt varchar(4)"}),
          lines({"ALTER TABLE Parametri", "ADD FE_TipoDocNota varchar(4)"}),
          "UPDATE Parametri SET FE_TipoDocFatt = 'TD24'", "UPDATE Parametri SET FE_TipoDocNota = 'TD04'"}},
        {"Fatture", "Moltiplicatore", {lines({"ALTER TABLE Fatture", "ADD Moltiplicatore boolean"})}},
    };
    return checks;
}

// The two columns that older versions created too narrow, and the width they get.
struct Widening
{
    QString column;
    int expecting;
    int actual;
};
const QList<Widening> widenings = {{"NATURA", 5, 3}, {"NumContratto", 20, 10}};

// A table that still fails to open after one of its columns was widened: this ends the
// start-up, unlike the other failures of the customer and manual-invoice tables.
class ReopenFailure : public LavError
{
public:
    using LavError::LavError;
};

} // namespace

TDataModule1::TDataModule1(Prompts& p, const QString& folder, QObject* parent)
    : QObject(parent), prompts(p), db(QStringLiteral("DBLav")),
      TblAgenti(db, "TblAgenti"), TblClienti(db, "TblClienti"), TblSedi(db, "TblSedi"),
      TblNoleggi(db, "TblNoleggi"), TblServizi(db, "TblServizi"), TblStoMag(db, "TblStoMag"),
      TblConsumi(db, "TblConsumi"), TblMedie(db, "TblMedie"), TblFatturaMan(db, "TblFatturaMan"),
      TblFatture(db, "TblFatture"), TblTotali(db, "TblTotali"), TblPrimaNota(db, "TblPrimaNota"),
      TblPrevPN(db, "TblPrevPN"), TblModPag(db, "TblModPag"), TblAltreInfo(db, "TblAltreInfo"),
      TblIter(db, "TblIter"), TblInterventi(db, "TblInterventi"), TblSospesi(db, "TblSospesi"),
      TblOstrelo(db, "TblOstrelo"), TblParametri(db, "TblParametri"),
      DSAgenti(&TblAgenti), DSClienti(&TblClienti), DSSedi(&TblSedi), DSNoleggi(&TblNoleggi),
      DSServizi(&TblServizi), DSStoMag(&TblStoMag), DSConsumi(&TblConsumi), DSMedie(&TblMedie),
      DSFatturaMan(&TblFatturaMan), DSFatture(&TblFatture), DSTotali(&TblTotali),
      DSPrimaNota(&TblPrimaNota), DSPrevPN(&TblPrevPN), DSModPag(&TblModPag),
      DSAltreInfo(&TblAltreInfo), DSIter(&TblIter), DSInterventi(&TblInterventi),
      DSSospesi(&TblSospesi), DSOstrelo(&TblOstrelo), DSParametri(&TblParametri),
      QuerySedi(db, "QuerySedi"), QryNewSede(db, "QryNewSede"), QTemp(db, "QTemp"),
      workFolder(QDir(folder).absolutePath())
{
    DSFatturaMan.autoEdit = false;
    definisciTabelle();
    definisciCampi();
    definisciRegole();
}

TDataModule1::~TDataModule1()
{
    // Closed before they go, so that no detail reloads itself without its master.
    for (Table* t : {&TblNoleggi, &TblInterventi, &TblConsumi, &TblSedi, &TblAltreInfo, &TblFatture, &TblTotali,
                     &TblPrevPN, &TblPrimaNota, &TblClienti, &TblAgenti, &TblServizi, &TblStoMag, &TblMedie,
                     &TblFatturaMan, &TblModPag, &TblIter, &TblSospesi, &TblOstrelo, &TblParametri})
        t->close();
    db.close();
}

QString TDataModule1::cartellaArchivi() const
{
    return QDir(workFolder).absoluteFilePath(QStringLiteral("archivi"));
}

QString TDataModule1::nomeLedger(int year)
{
    return QStringLiteral("..\\%1\\PrimaNota.DB").arg(year);
}

void TDataModule1::definisciTabelle()
{
    struct T { Table* table; const TableDef& def; const char* order; };
    const T tables[] = {
        {&TblAgenti, Tabelle::Agenti(), "IdxNome"},
        {&TblClienti, Tabelle::Clienti(), "IdxName"},
        {&TblSedi, Tabelle::Sedi(), "IdxCliente"},
        {&TblNoleggi, Tabelle::Noleggi(), "IdxSede"},
        {&TblServizi, Tabelle::Servizi(), "IdxName"},
        {&TblStoMag, Tabelle::StoMag(), "IdxServizio"},
        {&TblConsumi, Tabelle::Consumi(), nullptr},
        {&TblMedie, Tabelle::Medie(), "IdxServizio"},
        {&TblFatturaMan, Tabelle::FattMan(), nullptr},
        {&TblFatture, Tabelle::Fatture(), nullptr},
        {&TblTotali, Tabelle::Totali(), nullptr},
        {&TblPrimaNota, Tabelle::PrimaNota(), nullptr},
        {&TblPrevPN, Tabelle::PrimaNota(), "IdxClienteData"},
        {&TblModPag, Tabelle::ModPag(), nullptr},
        {&TblAltreInfo, Tabelle::AltreInfo(), nullptr},
        {&TblIter, Tabelle::Iter(), nullptr},
        {&TblInterventi, Tabelle::Interventi(), "IdxSede"},
        {&TblSospesi, Tabelle::Sospesi(), nullptr},
        {&TblOstrelo, Tabelle::Ostrelo(), nullptr},
        {&TblParametri, Tabelle::Parametri(), nullptr},
    };
    for (const T& t : tables) {
        t.table->setTableName(t.def.name);
        t.table->setDefinition(t.def);
        if (t.order)
            t.table->setIndexName(QString::fromUtf8(t.order));
    }
    TblConsumi.setIndexName(QStringLiteral("IdxCliente"));
    TblFatturaMan.setIndexFieldNames(QStringLiteral("Codice"));
    TblModPag.setIndexFieldNames(QStringLiteral("Codice"));
    TblSospesi.setIndexFieldNames(QStringLiteral("Codice"));
    TblAltreInfo.setIndexFieldNames(QStringLiteral("Cliente;Progr"));
    TblFatture.setIndexFieldNames(QStringLiteral("Cliente"));
    TblTotali.setIndexFieldNames(QStringLiteral("Cliente"));

    TblSedi.setMaster(&TblClienti, QStringLiteral("Codice"), QStringLiteral("Codice cliente"));
    TblNoleggi.setMaster(&TblSedi, QStringLiteral("Codice"), QStringLiteral("Codice sede"));
    TblInterventi.setMaster(&TblSedi, QStringLiteral("Codice"), QStringLiteral("Sede"));
    TblConsumi.setMaster(&TblSedi, QStringLiteral("Codice"), QStringLiteral("Sede"));
    TblAltreInfo.setMaster(&TblClienti, QStringLiteral("Codice"), QStringLiteral("Cliente"));
    TblFatture.setMaster(&TblClienti, QStringLiteral("Codice"), QStringLiteral("Cliente"));
    TblTotali.setMaster(&TblClienti, QStringLiteral("Codice"), QStringLiteral("Cliente"));
    TblPrevPN.setMaster(&TblClienti, QStringLiteral("Codice"), QStringLiteral("Cliente"));
}

void TDataModule1::definisciCampi()
{
    // Customers: VAT at the fixed 22 %, total, and the last invoice number with the year.
    TblClienti.addCalculatedField(QStringLiteral("Iva"), FieldType::Currency);
    TblClienti.addCalculatedField(QStringLiteral("Totale"), FieldType::Currency);
    TblClienti.addCalculatedField(QStringLiteral("FattNum"), FieldType::String, 10);
    TblClienti.onCalcFields += [this](Dataset& c) {
        const Money imponibile = c["Imponibile"].asMoney();
        const Money iva = Arrotonda(2, imponibile * 22.0 / 100.0);
        c["Iva"] = iva;
        c["Totale"] = imponibile + iva;
        const QString numero = c["Fattura"].isNull() ? QString() : QString::number(c["Fattura"].asInteger());
        c["FattNum"] = numero + '/' + AnnoCorrente();
    };

    TblIter.addLookupField(QStringLiteral("DescAgente"), FieldType::String, 50, QStringLiteral("Agente"),
                           TblAgenti, QStringLiteral("Codice"), QStringLiteral("Nominativo"));
    TblSedi.addLookupField(QStringLiteral("DescrIter"), FieldType::String, 50, QStringLiteral("Iter"),
                           TblIter, QStringLiteral("Codice"), QStringLiteral("Descrizione"));
    TblSedi.addLookupField(QStringLiteral("DescAgente"), FieldType::String, 50, QStringLiteral("Iter"),
                           TblIter, QStringLiteral("Codice"), QStringLiteral("DescAgente"));

    TblNoleggi.addLookupField(QStringLiteral("Servizio"), FieldType::String, 50, QStringLiteral("Codice servizio"),
                              TblServizi, QStringLiteral("Codice"), QStringLiteral("Descrizione"));
    TblNoleggi.addLookupField(QStringLiteral("Tipo"), FieldType::String, 10, QStringLiteral("Codice servizio"),
                              TblServizi, QStringLiteral("Codice"), QStringLiteral("Tipo"));
    TblNoleggi.addCalculatedField(QStringLiteral("Qta"), FieldType::Integer);
    TblNoleggi.onCalcFields += [](Dataset& n) { n["Qta"] = n["Quantita"].asInteger() - n["Sospesi"].asInteger(); };

    TblConsumi.addLookupField(QStringLiteral("DescrServ"), FieldType::String, 50, QStringLiteral("Servizio"),
                              TblServizi, QStringLiteral("Codice"), QStringLiteral("Descrizione"));
    TblConsumi.addCalculatedField(QStringLiteral("Mesi"), FieldType::Integer);

    TblTotali.addLookupField(QStringLiteral("DescrServ"), FieldType::String, 50, QStringLiteral("Servizio"),
                             TblServizi, QStringLiteral("Codice"), QStringLiteral("Descrizione"));
    TblTotali.addLookupField(QStringLiteral("Tipo"), FieldType::String, 10, QStringLiteral("Servizio"),
                             TblServizi, QStringLiteral("Codice"), QStringLiteral("Tipo"));

    // Invoice lines of the periodic run: the amount only when quantity and price are positive.
    TblFatture.addCalculatedField(QStringLiteral("Importo"), FieldType::Currency);
    TblFatture.onCalcFields += [](Dataset& f) {
        if (f["Quantita"].asFloat() > 0 && f["Prezzo"].asFloat() > 0)
            f["Importo"] = f["Prezzo"].asMoney() * f["Quantita"].asFloat();
    };

    // Manual invoices: line amounts over the billing period, taxable amount, VAT and total,
    // and the number the next invoice would get.
    for (int i = 1; i <= 11; ++i)
        TblFatturaMan.addCalculatedField(QStringLiteral("Importo %1").arg(i), FieldType::Currency);
    TblFatturaMan.addCalculatedField(QStringLiteral("Imponibile"), FieldType::Currency);
    TblFatturaMan.addCalculatedField(QStringLiteral("Imponibile ivato"), FieldType::Currency);
    TblFatturaMan.addCalculatedField(QStringLiteral("Totale"), FieldType::Currency);
    TblFatturaMan.addCalculatedField(QStringLiteral("NumFatt"), FieldType::Integer);
    TblFatturaMan.onCalcFields += [this](Dataset& f) {
        if (ricalcolaMesiPeriodo)
            ricalcolaMesiPeriodo(f);
        Money imponibile;
        for (int i = 1; i <= 11; ++i) {
            const double q = f[QStringLiteral("Quantità %1").arg(i)].asFloat();
            const Money prezzo = f[QStringLiteral("Prezzo unitario %1").arg(i)].asMoney();
            if (q != 0 && !prezzo.isZero()) {
                const Money importo = prezzo * (q * MesiPeriodo);
                f[QStringLiteral("Importo %1").arg(i)] = importo;
                imponibile += importo;
            }
        }
        f["Imponibile"] = imponibile;
        const Money iva = Arrotonda(2, imponibile * f["Iva"].asFloat() / 100.0);
        f["Imponibile ivato"] = iva;
        f["Totale"] = imponibile + iva;
        if (!counter.path().isEmpty())
            f["NumFatt"] = int(counter.ProssimoNumeroFattura(false));
    };

    // Ledger: debit and credit columns, and the accounts of the payment method in view.
    TblPrimaNota.addCalculatedField(QStringLiteral("Dare"), FieldType::Currency);
    TblPrimaNota.addCalculatedField(QStringLiteral("Avere"), FieldType::Currency);
    TblPrimaNota.addCalculatedField(QStringLiteral("MastroCP"), FieldType::SmallInt);
    TblPrimaNota.addCalculatedField(QStringLiteral("ContoCP"), FieldType::SmallInt);
    TblPrimaNota.onCalcFields += [this](Dataset& p) {
        const Money importo = p["Importo"].asMoney();
        if (importo <= Money())
            p["Dare"] = importo;
        else
            p["Avere"] = -importo;
        if (TblModPag.active() && !TblModPag.isEmpty()) {
            p["MastroCP"] = TblModPag["Mastro"].value();
            p["ContoCP"] = TblModPag["Conto"].value();
        }
    };
}

bool TDataModule1::archivioMancante(const QString& folder)
{
    return !QFileInfo::exists(QDir(folder).absoluteFilePath(QStringLiteral("archivi/") + Database::fileName()));
}

void TDataModule1::CreaArchivio(const QString& folder)
{
    const QString archivi = QDir(folder).absoluteFilePath(QStringLiteral("archivi"));
    const QString file = QDir(archivi).absoluteFilePath(Database::fileName());
    if (QFileInfo::exists(file))
        throw LavError(QStringLiteral("La cartella '%1' contiene già un archivio.").arg(QDir::toNativeSeparators(archivi)));
    // Built whole: a crash or a full disk leaves either no archive or a complete one, never
    // one without tables.
    Database::creaFile(file, [](Database& nuovo) {
        for (const TableDef& def : Tabelle::installazione())
            nuovo.createTable(def.name, def);
        nuovo.exec(QStringLiteral("INSERT INTO Parametri (FE_Progr, NotaCre, SoloPA, FE_TipoDocFatt, FE_TipoDocNota) "
                                  "VALUES (0, 0, 1, 'TD24', 'TD04')"));
    });
    QDir(folder).mkpath(QStringLiteral("update"));
}

bool TDataModule1::CambiaAnno(int y)
{
    annoNonAperto = false;
    try {
        return cambiaAnno(y);
    } catch (...) {
        // Not an undo: the failure is recorded, so that start-up knows no year is open.
        annoNonAperto = !TblPrimaNota.active();
        throw;
    }
}

bool TDataModule1::cambiaAnno(int y)
{
    if (!db.isOpen())
        apriArchivio();
    const QString yearFolder = QDir(workFolder).absoluteFilePath(QString::number(y));
    const QString nome = nomeLedger(y);
    if (!QFileInfo(yearFolder).isDir()) {
        if (!prompts.askYes(QStringLiteral("Anno selezionato inesistente, creo?"), MsgType::Warning))
            return false;
        if (!QDir().mkpath(yearFolder))
            throw LavError(QStringLiteral("Impossibile creare la cartella '%1'.").arg(QDir::toNativeSeparators(yearFolder)));
        auto togliCartella = qScopeGuard([&] { QDir().rmdir(yearFolder); });
        creaLedger(yearFolder, db.fileOf(nome));
        togliCartella.dismiss();
    } else if (QFileInfo(db.fileOf(nome)).size() == 0) {
        // A year folder without its ledger (or with the empty file of a creation that never
        // finished) gets a new, empty one: there is nothing in it to lose.
        db.detach(nome);
        creaLedger(yearFolder, db.fileOf(nome));
    }
    passaAlLedger(nome);
    anno = y;
    contatoreFile = QDir(yearFolder).absoluteFilePath(QStringLiteral("fatture.dat"));
    counter.setPath(contatoreFile);
    Q_EMIT annoCambiato(y);
    return true;
}

bool TDataModule1::Avvia()
{
    db.close();
    cascata = false;
    annoNonAperto = false;
    if (sceltaAnno)
        sceltaAnno();
    else
        CambiaAnno(oggi().year());
    const bool ledgerOpen = TblPrimaNota.active();
    // A year that could not be opened ends the program without touching any file.
    if (!db.isOpen() || annoNonAperto)
        return false;
    try {
        avviaAggiornamenti();
        apriTabelle();
    } catch (const Abort&) {
    } catch (const LavError& e) {
        prompts.standardError(e.message());
    }
    return ledgerOpen;
}

void TDataModule1::avviaAggiornamenti()
{
    QDir update(QDir(workFolder).absoluteFilePath(QStringLiteral("update")));
    if (!update.exists() && !QDir().mkpath(update.absolutePath()))
        throw LavError(QStringLiteral("Impossibile creare la cartella '%1'.").arg(QDir::toNativeSeparators(update.absolutePath())));
    // The name filter ignores letter case: Servizi.DB and servizi.db are both update tables.
    const QStringList files = update.entryList({QStringLiteral("*.db")}, QDir::Files | QDir::Hidden | QDir::System,
                                               QDir::Name | QDir::IgnoreCase);
    if (files.isEmpty())
        return;
    prompts.restructStart();
    const auto fine = qScopeGuard([this] { prompts.restructEnd(); });
    for (const QString& f : files) {
        prompts.restructFile(f);
        try {
            AggiornaStruttura(f);
        } catch (const AggiornamentoNonValido& e) {
            scartaAggiornamento(update.absoluteFilePath(f), e.message());
        }
    }
}

bool TDataModule1::controllaColonne(const QString& table)
{
    for (const ColumnCheck& c : columnChecks()) {
        if (table.compare(QString::fromUtf8(c.table), Qt::CaseInsensitive) != 0)
            continue;
        const QString probe = lines({"SELECT", ("  " + std::string(c.column)).c_str(), "FROM", ("  " + std::string(c.table)).c_str()});
        bool present = true;
        try {
            QSqlQuery q = db.exec(probe);
            q.finish();
        } catch (const LavError&) {
            present = false;
        }
        if (present)
            continue;
        for (const QString& statement : c.statements)
            db.exec(statement);
    }
    return true;
}

void TDataModule1::allargaColonna(const QString& table, const QString& column, int width)
{
    const QString alter = QStringLiteral("ALTER TABLE ") + table;
    const QStringList statements = {
        alter + QStringLiteral("\nADD temp varchar(%1)").arg(width),
        QStringLiteral("UPDATE %1 SET temp = %2").arg(table, column),
        alter + QStringLiteral("\nDROP Column ") + column,
        alter + QStringLiteral("\nADD %1 varchar(%2)").arg(column).arg(width),
        QStringLiteral("UPDATE %1 SET %2 = temp").arg(table, column),
        alter + QStringLiteral("\nDROP Column Temp"),
    };
    for (const QString& s : statements)
        db.exec(s);
}

namespace {

// Opens a table, widening a column that an older version created too narrow, as many times
// as the table reports one (a table may need both widenings).
void openWidening(Table& t, const QString& sqlName, const std::function<void()>& check,
                  const std::function<void(const QString&, const QString&, int)>& widen)
{
    bool repaired = false;
    for (int attempt = 0;; ++attempt) {
        try {
            check();
            t.open();
            return;
        } catch (const SizeMismatch& e) {
            const auto it = std::find_if(widenings.begin(), widenings.end(), [&](const Widening& w) {
                return w.column.compare(e.fieldName, Qt::CaseInsensitive) == 0 && w.expecting == e.expected
                       && w.actual == e.actualSize;
            });
            if (it == widenings.end() || attempt >= widenings.size()) {
                if (repaired)
                    throw ReopenFailure(e.message());
                throw;
            }
            try {
                widen(sqlName, it->column, it->expecting);
            } catch (const LavError& w) {
                throw ReopenFailure(w.message());
            }
            repaired = true;
        } catch (const ReopenFailure&) {
            throw;
        } catch (const LavError& e) {
            if (repaired)
                throw ReopenFailure(e.message());
            throw;
        }
    }
}

} // namespace

void TDataModule1::apriClienti()
{
    openWidening(TblClienti, QStringLiteral("Clienti"), [this] { controllaColonne(QStringLiteral("Clienti")); },
                 [this](const QString& t, const QString& c, int w) { allargaColonna(t, c, w); });
}

void TDataModule1::apriFatturaMan()
{
    openWidening(TblFatturaMan, QStringLiteral("FattMan"), [this] { controllaColonne(QStringLiteral("FattMan")); },
                 [this](const QString& t, const QString& c, int w) { allargaColonna(t, c, w); });
}

void TDataModule1::apriParametri()
{
    controllaColonne(QStringLiteral("Parametri"));
    TblParametri.open();
}

void TDataModule1::ApriFatture()
{
    if (TblFatture.active())
        return;
    PreparaFatture();
    TblFatture.open();
}

void TDataModule1::PreparaFatture()
{
    if (!TblFatture.exists())
        TblFatture.createTable();
    controllaColonne(QStringLiteral("Fatture"));
}

void TDataModule1::apriTabelle()
{
    TblAgenti.open();
    TblSedi.open();
    // A customer table that cannot be opened stays closed without a word; start-up goes on.
    try {
        apriClienti();
    } catch (const ReopenFailure&) {
        throw;
    } catch (const LavError&) {
    }
    // A manual-invoice table that cannot be opened is reported; start-up goes on.
    try {
        apriFatturaMan();
    } catch (const ReopenFailure&) {
        throw;
    } catch (const LavError& e) {
        prompts.error(e.message());
    }
    for (Table* t : {&TblNoleggi, &TblServizi, &TblStoMag, &TblConsumi, &TblAltreInfo, &TblModPag, &TblIter,
                     &TblInterventi, &TblSospesi})
        t->open();
    apriParametri();
}
