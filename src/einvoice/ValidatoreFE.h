#pragma once
#include "Prompts.h"
#include <QByteArray>
#include <QString>
#include <QStringList>

// The outcome of checking one electronic-invoice file, as the validation window shows it.
struct EsitoFE
{
    enum class Stato
    {
        NonLetto,         // missing, unreadable, too large or not well-formed XML
        SchemaMancante,   // the schema is not installed beside the program
        NonValido,        // not valid against the schema
        ScartoSdI,        // valid against the schema, refused by the exchange system's checks
        Valido,
    };
    Stato stato = Stato::NonLetto;
    MsgType tipo = MsgType::Information;   // the box the message is shown in
    QString messaggio;
    QString firmatario;     // signed files: who signed
    QStringList scarti;     // the failed checks of the exchange system, one per line
    QByteArray xml;         // the document read (the content of a signed file)

    bool valido() const { return stato == Stato::Valido; }
};

// Checks electronic-invoice files: well-formedness, then the FatturaPA 1.2 schema found in a
// folder (the program's), then the checks of the exchange system. The schema is compiled once
// per process; the XML-Signature schema it imports is always read from the copy beside it,
// whatever address the import names, and nothing is ever fetched from the network. A signed
// file (.p7m, DER or base64) is opened and its content checked.
class ValidatoreFE
{
public:
    explicit ValidatoreFE(const QString& cartellaSchema = {});

    EsitoFE Valida(const QString& percorso);
    // The same on bytes already read; `dimensione` is the size reported for a valid file.
    EsitoFE ValidaDati(const QByteArray& dati, qint64 dimensione);

    QString percorsoSchema() const;

    // A valid file above this size is reported with a warning.
    static constexpr qint64 sogliaDimensione = 200560;
    // Files above this size are not read at all.
    static constexpr qint64 dimensioneMassima = 64ll * 1024 * 1024;

private:
    QString cartella;
};

// The byte position (from 1) of a line and column (in characters, from 1) of a text.
qint64 PosizioneNelFile(const QByteArray& dati, int riga, int colonna);
