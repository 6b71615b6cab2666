#pragma once
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

// The arguments of a command: one folder and options "--nome valore" or "--nome=valore",
// each among those the command knows.
struct Opzioni
{
    QString cartella;
    QHash<QString, QString> valori;     // by name without the dashes

    // Reads args; false with the reason in `errore` for an unknown option, an option without
    // its value, or a second folder.
    bool leggi(const QStringList& args, const QStringList& nomi, QString& errore);

    bool ha(const QString& nome) const { return valori.contains(nome); }
    QString valore(const QString& nome) const { return valori.value(nome); }
    // The option as a date typed GG/MM/AAAA (invalid when absent or not a date).
    QDate data(const QString& nome) const;
};
