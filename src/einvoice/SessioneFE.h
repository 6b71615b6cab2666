#pragma once
#include "DocumentoFE.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class TDataModule1;

// The electronic invoices of one invoicing screen: it writes one FatturaPA file per document
// into the working folder, numbering the files from the stored progressive, and copies them to
// the export folder, advancing the stored values for each file copied. It needs no widget: the
// screens' group "Fatture Elettroniche" and lavanderia-cli both drive it.
class SessioneFE
{
public:
    enum class Schermata
    {
        Fatture,      // periodic invoices of the last run
        NotaCre,      // credit notes on the periodic invoice of a customer
        FatturaMan,   // the current manual invoice
        NotaCreMan,   // the credit note on the current manual invoice
    };

    SessioneFE(TDataModule1& dm, Schermata schermata);

    Schermata schermata() const { return quale; }
    bool periodica() const { return quale == Schermata::Fatture || quale == Schermata::NotaCre; }

    // A file of the last generation, with the numbers it carries.
    struct FileFE
    {
        QString nome;
        qint64 progressivo = 0;
        qint64 notaCre = 0;       // credit notes: their number
        QString cliente;          // the addressee's name, for messages
    };

    // The screen is shown: the counter restarts from the stored progressive, the file name is
    // cleared and the export folder is the stored one (the program's folder when there is none).
    // A pending generation is kept.
    void Mostra();
    // "Data ultimo invio" as the screen shows it: the stored date of the last sending, else today.
    QDate dataUltimoInvio() const;

    // Generation. Each returns the names of the files written, in order; a stop (a missing
    // tender code, a file that cannot be written) is told through the prompts and keeps the
    // files written before it.
    //
    // Periodic invoices: `elabora` rebuilds the lines of the run without numbering; then one
    // file per customer and invoice date of the run, by name. `anno` is the year of the billing
    // period.
    QStringList GeneraFatture(const QString& anno, const std::function<void()>& elabora = {});
    // Credit notes on the last run's invoice of one customer, dated `emissione`.
    QStringList GeneraNoteCredito(double cliente, const QString& anno, const QDate& emissione);
    // The current manual invoice (or its credit note, dated `emissione`).
    QStringList GeneraManuale(const QDate& emissione = {});

    // The files just written checked as "Valida" checks them: one line per file that the
    // schema or the exchange system would refuse, naming the file, its addressee and the reason.
    QStringList Controlla(const QStringList& nomi) const;

    // Export: false, after telling the user why, when there is nothing to copy or the date of
    // the last sending is not a date. Call before asking for the folder.
    bool ControllaPrimaDiSalvare(const QString& dataUltimoInvio);
    // Copies the pending files into the folder, in order. For each file copied the stored
    // progressive becomes its number, the date of the last sending is stored, and so are the
    // folder and, for credit notes, their number and date. The first file that cannot be copied
    // (or whose numbers were taken meanwhile) stops the export with a message and stays pending
    // with the files after it. Returns the names copied.
    QStringList Salva(const QString& cartella, const QString& dataUltimoInvio, const QDate& emissione = {});

    // The path "Valida" hands the validation window: the exported copy of the last file when
    // it is there, else the file in the working folder; empty before any generation.
    QString percorsoValidazione() const;

    // State shown by the screen.
    QString nomeFile;                              // the last file generated
    qint64 contatore = 0;                          // progressive of the last file generated
    std::optional<QList<FileFE>> elenco;           // the files pending export
    QString cartellaEsportazione;                  // where the export dialog starts

private:
    QString cartellaLavoro() const;
    qint64 progressivoSalvato() const;
    void nuovoElenco();
    // Writes the file of one document with the next progressive; false when the generation
    // must stop (the user has been told).
    bool scriviDocumento(DocumentoFE& d);
    // The files of the documents of the last run, in order, each with its lines and period,
    // completed by `completa`; stops at the first that cannot be written.
    QStringList scriviPeriodici(const QList<DocumentoFE>& documenti, TipoFE tipo, const QString& anno,
                                const std::function<void(DocumentoFE&)>& completa);
    bool progressivoDisponibile(qint64 n, const QString& azione);

    TDataModule1& dm;
    Schermata quale;
};
