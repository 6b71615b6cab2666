#pragma once
#include "TDataModule1.h"
#include <memory>

// The data module on the archive of a working folder, in the fiscal year given, started as
// the program starts (update folder, column checks, shared tables). Throws LavError, in
// Italian, when the folder has no archive or the year no ledger: a command never creates one.
std::unique_ptr<TDataModule1> ApriEsercizio(const QString& cartella, int anno, Prompts& prompts);
