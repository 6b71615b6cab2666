#pragma once
#include "Report.h"
#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <initializer_list>

// Text measures shared by the customer reports, taken as the report engine takes them (600 dpi).
namespace TQRStile {

inline QFontMetricsF metrica(const QFont& font)
{
    static QImage device = [] {
        QImage d(1, 1, QImage::Format_Mono);
        d.setDotsPerMeterX(23622);
        d.setDotsPerMeterY(23622);
        return d;
    }();
    return QFontMetricsF(font, &device);
}

inline double mm(double pixel) { return pixel * 25.4 / 600; }

// Width of a text on one line, in millimetres.
inline double larghezza(const QFont& font, const QString& text)
{
    return mm(metrica(font).horizontalAdvance(text));
}

// Lines a text takes when wrapped at a width in millimetres, and the height of one line.
inline int righe(const QFont& font, const QString& text, double larghezzaMm, double* altezzaRiga = nullptr)
{
    const QFontMetricsF fm = metrica(font);
    if (altezzaRiga)
        *altezzaRiga = mm(fm.lineSpacing());
    const QRectF r = fm.boundingRect(QRectF(0, 0, larghezzaMm * 600 / 25.4, 1e6), Qt::TextWordWrap, text);
    return std::max(1, int(r.height() / fm.lineSpacing() + 0.5));
}

// Gives the element the font size `punti`, or a smaller one (down to `minimo`) that keeps its
// current text on one line within its width.
inline void adattaAllaLarghezza(ReportText& t, double punti, double minimo = 7)
{
    QFont f = t.font();
    f.setPointSizeF(punti);
    const double w = larghezza(f, t.value());
    if (w > t.rect.width())
        f.setPointSizeF(std::max(minimo, punti * t.rect.width() / w * 0.97));
    t.setFont(f);
}

// The grey of the shaded headings.
inline const QColor grigio{225, 225, 225};

struct TitoloColonna
{
    double x, larghezza;
    QString testo;
    Qt::Alignment allinea = {};
};

// A list's column titles in bold on a grey strip 6 mm high from `top`, ruled underneath.
inline Band& titoliSuGrigio(Report& r, double top, std::initializer_list<TitoloColonna> titoli)
{
    const double w = r.bodyWidth();
    auto& colonne = r.columnHeader(7);
    colonne.addShade(0, top, w, 6, grigio);
    colonne.addHLine(0, top + 6, w, 0.4);
    r.font = reportFont(9, QFont::Bold);
    for (const TitoloColonna& t : titoli) {
        ReportText& titolo = colonne.addLabel(t.x, top + 0.7, t.larghezza, 5, t.testo);
        if (t.allinea)
            titolo.setAlignment(t.allinea);
    }
    return colonne;
}

} // namespace TQRStile
