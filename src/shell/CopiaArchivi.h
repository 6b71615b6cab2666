#pragma once

class TDataModule1;
class TFrmCopiaFile;

// The rolling copy taken each time the program ends: every file of the archive folder goes to
// the folder of today's weekday below the working folder (1 = Sunday … 7 = Saturday), replacing
// last week's copy. The live database is copied through SQLite's backup, never byte by byte
// while open; what cannot be copied (sub-folders, the journal, unreadable files) is passed
// over without a word. finestra, when given, shows each file as it goes.
void CopiaArchivi(TDataModule1& dm, TFrmCopiaFile* finestra);
