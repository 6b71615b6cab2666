#include "ReportFonts.h"
#include <QFontDatabase>
#include <QStringList>
#include <QtDebug>

bool registerReportFonts()
{
    static const bool registered = [] {
        bool ok = true;
        for (const char* style : {"Regular", "Bold", "Italic", "BoldItalic"}) {
            const QString file = QStringLiteral(":/fonts/LiberationSans-%1.ttf").arg(QLatin1String(style));
            if (QFontDatabase::addApplicationFont(file) < 0) {
                // Only a build without its font files gets here: the documents then fall back
                // to a type of the machine, and the warning says why they look different.
                qWarning("Carattere di stampa non registrato: %s", qPrintable(file));
                ok = false;
            }
        }
        return ok;
    }();
    return registered;
}

QFont reportFont(qreal points, QFont::Weight weight)
{
    registerReportFonts();
    QFont f(QString::fromLatin1(reportFontFamily));
    f.setPointSizeF(points);
    f.setWeight(weight);
    return f;
}
