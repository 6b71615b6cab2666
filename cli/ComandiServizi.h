#pragma once
#include "Comandi.h"

// The service jobs: weekly sheet of a route, pending deliveries, consumption statistic of a
// customer, inventory; each writes a PDF.
int ComandoServizio(const QStringList& args, Uscite u);
int ComandoSospesi(const QStringList& args, Uscite u);
int ComandoConsumi(const QStringList& args, Uscite u);
int ComandoInventario(const QStringList& args, Uscite u);
