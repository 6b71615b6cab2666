#pragma once
#include <QString>

// A text cut to a field's width without splitting a character: a letter with its accents or an
// emoji (two UTF-16 units) either fits whole or is left out.
QString tagliaTesto(const QString& testo, int larghezza);
