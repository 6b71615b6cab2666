#pragma once
#include <QString>

// Writing files so that a crash or a full disk never leaves a half-written one in place: the new
// content goes to a temporary file beside the target, is flushed to the disk, and then takes the
// target's name with one atomic rename. The target is either the old file or the new one, whole.

// The temporary name used beside a target ("DBLav.db" -> "DBLav.db.nuovo").
QString fileTemporaneo(const QString& destinazione);

// Flushes the temporary file to the disk and renames it over the target in one step; the folder
// is flushed too, so that the new name survives a power cut. Throws LavError naming the target.
void sostituisciFile(const QString& temporaneo, const QString& destinazione);

// Copies a file over another through a temporary file: the target is never left half-copied.
// Throws LavError naming the file and why it could not be copied.
void copiaFileSicura(const QString& origine, const QString& destinazione);

// Flushes a file or a folder to the disk; false when it cannot be opened.
bool sincronizzaSuDisco(const QString& percorso);
