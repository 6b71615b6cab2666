#include "Testo.h"
#include <QTextBoundaryFinder>

QString tagliaTesto(const QString& testo, int larghezza)
{
    if (larghezza <= 0 || testo.size() <= larghezza)
        return testo;
    QTextBoundaryFinder confini(QTextBoundaryFinder::Grapheme, testo);
    confini.setPosition(larghezza);
    if (!confini.isAtBoundary())
        confini.toPreviousBoundary();
    const qsizetype fine = confini.position();
    return testo.left(fine < 0 ? 0 : fine);
}
