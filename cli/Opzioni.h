#pragma once
#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The arguments of a command: one folder and options "--nome valore" or "--nome=valore",
// each among those the command knows.
struct Opzioni
{
    QString cartella;
    QHash<QString, QString> valori;     // by name without the dashes
    QSet<QString> interruttori;         // the switches given ("--stampa")

    // Reads args; false with the reason in `errore` for an unknown option, an option without
    // its value, or a second folder. `senzaValore` names the switches, which take no value.
    bool leggi(const QStringList& args, const QStringList& nomi, QString& errore, const QStringList& senzaValore = {});

    bool ha(const QString& nome) const { return valori.contains(nome); }
    bool attivo(const QString& nome) const { return interruttori.contains(nome); }
    QString valore(const QString& nome) const { return valori.value(nome); }
    // The option as a date typed GG/MM/AAAA (invalid when absent or not a date).
    QDate data(const QString& nome) const;
};
