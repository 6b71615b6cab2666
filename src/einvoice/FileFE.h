#pragma once
#include <QByteArray>
#include <QString>

// Files of the electronic invoices.

// The folder of the program, where the published schema and style sheet are installed.
QString CartellaProgramma();

// Writes the whole file under a temporary name in its folder and moves it into place, so that
// the file is either the old one or the new one, never half written. Throws LavError naming
// the file when it cannot be written.
void ScriviFileIntero(const QString& percorso, const QByteArray& dati);

// Moves a temporary file written beside its destination into place, replacing the file there.
// False when the system refuses.
bool SostituisciFile(const QString& temporaneo, const QString& destinazione, QString* errore = nullptr);

// Reads a whole file; throws LavError naming it when it cannot be read.
QByteArray LeggiFile(const QString& percorso);
