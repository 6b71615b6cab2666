#pragma once
#include "Comandi.h"

// "fe": the electronic invoices without a window. Subcommands genera, nota, manuale, valida,
// mostra; each prints the files it writes, one a line, and its messages on the error output.
int ComandoFE(const QStringList& args, Uscite u);
