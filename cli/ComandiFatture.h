#pragma once
#include "Comandi.h"

// The invoicing jobs of lavanderia-cli, writing a PDF file where the program would print:
// the periodic run with its print, and the print of one manual invoice.
int ComandoFatture(const QStringList& args, Uscite u);
int ComandoFatturaManuale(const QStringList& args, Uscite u);
