#pragma once
#include "ContatoreFatture.h"
#include "DataSource.h"
#include "Database.h"
#include "Dataset.h"
#include "Prompts.h"
#include <QHash>
#include <QObject>
#include <functional>

// The data module: owns the database connection, every table object and data source for the
// whole run, and the rules that hold whichever window edits the data.
class TDataModule1 : public QObject
{
    Q_OBJECT
public:
    TDataModule1(Prompts& prompts, const QString& workFolder, QObject* parent = nullptr);
    ~TDataModule1() override;

    Prompts& prompts;
    Database db;

    Table TblAgenti, TblClienti, TblSedi, TblNoleggi, TblServizi, TblStoMag, TblConsumi,
        TblMedie, TblFatturaMan, TblFatture, TblTotali, TblPrimaNota, TblPrevPN, TblModPag,
        TblAltreInfo, TblIter, TblInterventi, TblSospesi, TblOstrelo, TblParametri;
    DataSource DSAgenti, DSClienti, DSSedi, DSNoleggi, DSServizi, DSStoMag, DSConsumi, DSMedie,
        DSFatturaMan, DSFatture, DSTotali, DSPrimaNota, DSPrevPN, DSModPag, DSAltreInfo, DSIter,
        DSInterventi, DSSospesi, DSOstrelo, DSParametri;

    // The working folder: archivi, the year folders, update and the weekday copies live here.
    QString cartellaLavoro() const { return workFolder; }
    QString cartellaArchivi() const;

    // The current fiscal year and its counter file; switched together with the ledger.
    int annoEsercizio() const { return anno; }
    QString AnnoCorrente() const { return anno ? QString::number(anno) : QString(); }
    QString FileContatore() const { return contatoreFile; }
    ContatoreFatture& contatore() { return counter; }

    // Start-up: connects, lets the user choose the year (through sceltaAnno, which must end
    // by calling CambiaAnno), merges the update folder, adds missing columns, repairs narrow
    // ones and opens the shared tables. Returns false when no ledger is open, so the program
    // must end; when the year could not be opened at all (a damaged archive or ledger) it
    // returns at once, having changed no file.
    std::function<void()> sceltaAnno;
    bool Avvia();
    // The switch of the year (OK of the year dialog): true when the year is now y. The
    // archive is checked when it is first opened: a damaged one is refused with a message
    // naming the sound weekday copies. A failure leaves the year in force as it was.
    bool CambiaAnno(int y);
    // Whether the last CambiaAnno failed and left no ledger open.
    bool annoNonApribile() const { return annoNonAperto; }
    // Merges one table file of the update folder into the archive. A file that is not a valid
    // update throws AggiornamentoNonValido; a file already merged (the program stopped before
    // it could remove it) is only removed.
    void AggiornaStruttura(const QString& fileName);
    class AggiornamentoNonValido : public LavError
    {
    public:
        using LavError::LavError;
    };
    // The table name of a year's ledger as the program writes it: ..\2019\PrimaNota.DB
    static QString nomeLedger(int year);

    // A working folder without archive: true when it holds no archivi/DBLav.db.
    static bool archivioMancante(const QString& workFolder);
    // Creates a new, empty archive: the tables that exist from installation, Parametri with
    // its single record. It is built under a temporary name and moved into place whole.
    static void CreaArchivio(const QString& workFolder);
    // The weekday copies of the archive (folders 1 … 7) that pass the integrity check, newest
    // first, each as "cartella 3 (04/03/2024 18:02)".
    static QStringList copieIntegre(const QString& workFolder);
    // What the user reads about a damaged archive: what is wrong and how to restore it.
    QString messaggioArchivioDanneggiato(const QString& problema) const;

    bool cascata = false;     // set while a deletion is part of a cascade
    // DSClienti.tag and DSSedi.tag while a navigator of the customer screen acts: posting a
    // site or a rental then does not post the customer or the site being inserted.
    static constexpr int tagNavigatore = 1;
    bool ModoElenco = false;  // list mode of the customer report

    // Months of the billing period of the manual invoice being shown (the line amounts are
    // multiplied by it), recomputed through ricalcolaMesiPeriodo for every row calculated
    // (the manual invoices' operations set it).
    double MesiPeriodo = 0;
    std::function<void(Dataset&)> ricalcolaMesiPeriodo;

    // Opens the invoice lines of the periodic run, adding the columns older tables lack.
    void ApriFatture();
    // The same without opening: the table exists, with every column, for SQL to fill.
    void PreparaFatture();

    // Shared queries: the sites of an agent, the highest site group of a customer, the
    // pending-delivery rows of a site and article (newest first).
    Query QuerySedi, QryNewSede, QTemp;

    // Stock movement log and stock.
    void RegistraMovimento(const QString& tipo, const QString& motivo, double quantita, const QString& cliente);
    void RientroMerce(double quantita, double codiceServizio);
    // TblServizi.tag while the stock screen posts a change of stock (0 otherwise).
    static constexpr int tagIncremento = 1, tagDecremento = 2;
    // Quantity of the change the stock screen is posting and its reason text, read only while
    // that screen is shown (the post comes from its navigator, not from a call that could
    // carry them).
    double QuantitaMagazzino = 0;
    std::function<QString()> motivoMagazzino;
    std::function<void()> pulisciMotivoMagazzino;

    // Totals per customer and article.
    void RicalcolaTotali();
    int RicalcolaTotaliCliente();
    static int MesiTraDate(const QDate& fine, const QDate& inizio);
    // Rolls back the transaction left open by a customer deletion; the table goes to its first record.
    void AnnullaModifiche(Table& table);
    // "Denominazione Denominazione 2" of the current customer, as the movement log records it.
    QString nomeClienteCorrente();

    // Ledger.
    void RegistraFattura(Money importo, const QDate& data);
    void IncassaFattura(const QString& filtro, const QDate& data);
    void RegistraIncassoConto(int numero, const QString& causale, qint64& codiceAltra, const QString& filtro,
                              Money importo, const QDate& dataRif, const QDate& data);
    void RegistraIncassoCliente(int numero, qint64 codiceAltra, const QString& filtro, Money importo,
                                const QDate& dataRif, const QDate& data);
    void CalcolaSaldi(const QString& filtro);
    void CollegaPrimaNota(const QString& campi, DataSource& master);
    void ScollegaPrimaNota();
    // Undoes a collection along its pairing chain, from the movement of the given code back to
    // the invoice, which becomes open again.
    void AnnullaIncasso(qint64 codice);

    // Fiscal years: the next year with the customers' balances carried forward.
    void CreaAnnoSuccessivo();
    // Opens the parameters screen at the end of CreaAnnoSuccessivo, once that screen exists.
    std::function<void()> mostraParametri;

Q_SIGNALS:
    void annoCambiato(int year);

private:
    void definisciRegole();
    void numeraPrimaDiInserire(Table& t);
    void riallinea(Dataset* tranne);
    void TblClientiBeforePost(Dataset& c);
    void TblClientiBeforeDelete(Dataset& c);
    void TblSediNewRecord(Dataset& s);
    void TblSediAfterPost(Dataset& s);
    void TblSediBeforeDelete(Dataset& s);
    void TblNoleggiBeforeInsert(Dataset& n);
    void TblNoleggiBeforePost(Dataset& n);
    void TblNoleggiAfterPost(Dataset& n);
    void TblNoleggiBeforeDelete(Dataset& n);
    void TblServiziBeforePost(Dataset& a);
    void TblServiziAfterPost(Dataset& a);
    void TblServiziBeforeDelete(Dataset& a);
    void TblModPagBeforeDelete(Dataset& m);
    void TblConsumiBeforePost(Dataset& c);
    void aggiornaGiacenza(double codiceServizio, double quantita);
    qint64 aggiungiIncasso(int numero, const QString& causale, qint64 codiceAltra, qint64 conto, const QString& filtro,
                           Money importo, const QDate& dataRif, const QDate& data);
    void registraSospeso(Dataset& n);
    bool trovaArticolo(double codice);
    void ricalcolaTotali(bool tutti);
    bool cambiaAnno(int y);
    void apriArchivio();
    // Writes the ledger file of a year whole under a temporary name (with the carried
    // balances, when given) and moves it over file.
    struct Riporto
    {
        QVariant cliente;
        Money saldo;
    };
    void creaLedger(const QString& cartella, const QString& file, const QList<Riporto>& riporti = {});
    // Points the ledger at another year's table and opens it; on failure the year in force
    // stays open.
    void passaAlLedger(const QString& nome);
    void scartaAggiornamento(const QString& file, const QString& motivo);
    void definisciTabelle();
    void definisciCampi();
    void avviaAggiornamenti();
    void apriTabelle();
    void apriClienti();
    void apriFatturaMan();
    void apriParametri();
    bool controllaColonne(const QString& table);
    void allargaColonna(const QString& table, const QString& column, int width);

    // Remembered between an insert's start and the new record: the table's last code, the
    // colour of the customer's last site, the last extra-line number.
    QHash<const Dataset*, qint64> ultimoCodice;
    int ultimoColore = 0;
    int ultimoProgr = 0;
    // The rental as it was before the current edit (zeros for a new rental).
    double qtaRicordata = 0;
    double servizioRicordato = 0;
    int sospesiRicordati = 0;
    bool giacenzaZero = false;     // the removal of a whole article logs a stock of 0
    bool riallineando = false;
    // What the rules remember, as it was when each atomic post or delete began (the rules'
    // own posts nest inside), so that a failure gives it back together with the files.
    struct Memoria
    {
        double quantita = 0, servizio = 0;
        int sospesi = 0;
        int tagServizi = 0;
        bool cascata = false;
        QList<DatasetState> stati;   // of every table, in the order of tabelle()
    };
    std::vector<Memoria> memoria;
    void ricordaMemoria();
    void restituisciMemoria(Dataset& fallito, bool riuscita);
    QList<Table*> tabelle();

    QString workFolder;
    int anno = 0;
    bool annoNonAperto = false;
    QString contatoreFile;
    ContatoreFatture counter;
};
