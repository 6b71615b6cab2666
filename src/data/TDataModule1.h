#pragma once
#include "ContatoreFatture.h"
#include "DataSource.h"
#include "Database.h"
#include "Dataset.h"
#include "Prompts.h"
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
    // must end.
    std::function<void()> sceltaAnno;
    bool Avvia();
    // The switch of the year (OK of the year dialog): true when the year is now y.
    bool CambiaAnno(int y);
    // Merges one table file of the update folder into the archive.
    void AggiornaStruttura(const QString& fileName);
    // The table name of a year's ledger as the program writes it: ..\2019\PrimaNota.DB
    static QString nomeLedger(int year);

    // A working folder without archive: true when it holds no archivi/DBLav.db.
    static bool archivioMancante(const QString& workFolder);
    // Creates a new, empty archive: the tables that exist from installation, Parametri with
    // its single record.
    static void CreaArchivio(const QString& workFolder);

    bool cascata = false;     // set while a deletion is part of a cascade
    bool ModoElenco = false;  // list mode of the customer report

    // Months of the billing period of the manual invoice being shown (the line amounts are
    // multiplied by it); the manual invoice window recomputes it through ricalcolaMesiPeriodo
    // for a row that has its invoice date.
    double MesiPeriodo = 0;
    std::function<void(Dataset&)> ricalcolaMesiPeriodo;

    // Opens the invoice lines of the periodic run, adding the columns older tables lack.
    void ApriFatture();

Q_SIGNALS:
    void annoCambiato(int year);

private:
    void definisciTabelle();
    void definisciCampi();
    void avviaAggiornamenti();
    void apriTabelle();
    void apriClienti();
    void apriFatturaMan();
    void apriParametri();
    bool controllaColonne(const QString& table);
    void allargaColonna(const QString& table, const QString& column, int width);

    QString workFolder;
    int anno = 0;
    QString contatoreFile;
    ContatoreFatture counter;
};
