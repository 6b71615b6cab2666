#pragma once
#include <QStringList>

class TDataModule1;
class TFrmCopiaFile;

// The rolling copy taken each time the program ends: every file of the archive folder goes to
// the folder of today's weekday below the working folder (1 = Sunday … 7 = Saturday), replacing
// last week's copy. The live database is copied through SQLite's backup, never byte by byte
// while open, and only when it passes its integrity check; every file takes the place of its
// old copy in one rename, so a crash leaves the old copy or the new one, whole. Sub-folders and
// the journal are passed over. The files that could not be copied are named in the window and
// in an error message, and returned ("note.txt: accesso negato").
// finestra, when given, shows each file as it goes.
QStringList CopiaArchivi(TDataModule1& dm, TFrmCopiaFile* finestra);
