#include "Report.h"
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// Width of a text in the document type, measured at the engine's 600 dpi, in ems.
double emDi(const QFont& font, const QString& testo)
{
    QImage device(1, 1, QImage::Format_Mono);
    device.setDotsPerMeterX(23622);
    device.setDotsPerMeterY(23622);
    const double em = font.pointSizeF() * 600 / 72;
    return QFontMetricsF(font, &device).horizontalAdvance(testo) / em;
}

} // namespace

// The documents are drawn in the type built into the program, whatever fonts the machine has:
// a fallback to the machine's own type would break long lines elsewhere than intended.
TEST(ReportFonts, DocumentsUseTheBuiltInTypeWithArialWidths)
{
    for (QFont::Weight peso : {QFont::Normal, QFont::Bold}) {
        const QFont f = reportFont(10, peso);
        const QFontInfo info(f);
        EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(info.bold(), peso == QFont::Bold);
    }
    EXPECT_EQ(Report().font.family(), QStringLiteral("Liberation Sans"));

    // Arial's digits are 1139/2048 em wide, its space 569/2048: the widths the documents were
    // laid out for (a sans type of the machine, such as DejaVu Sans, is a sixth wider).
    EXPECT_NEAR(emDi(reportFont(10), QStringLiteral("0123456789")), 10 * 1139.0 / 2048, 0.05);
    EXPECT_NEAR(emDi(reportFont(10), QStringLiteral("          ")), 10 * 569.0 / 2048, 0.05);
    EXPECT_TRUE(registerReportFonts());
}
