#pragma once
#include "Comandi.h"

// The invoicing jobs of lavanderia-cli, writing a PDF file where the program would print:
// the periodic run with its print.
int ComandoFatture(const QStringList& args, Uscite u);

