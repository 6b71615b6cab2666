#include "BarChart.h"
#include "LetturaPdf.h"
#include "Report.h"
#include "TestoQt.h"
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The consumption chart as the statistics fill it: average and total per material.
void consumi(BarChart& c)
{
    c.setTitle("Media e totale consumi");
    c.setSeries(0, "Media", Qt::green);
    c.setSeries(1, "Totale", Qt::red);
    c.addBar("Sapone liquido\r\nmedia su totale mesi: 3", 10, 30);
    c.addBar("Carta mani\r\nmedia su totale mesi: 12", 104.25, 1251);
    c.addBar("Carta mani\r\nmedia su totale mesi: 12", 0.04, 0.5);
    c.setFoot("", "Periodo compreso tra 01/01/2024 e 31/12/2024");
    c.refresh();
}

int pixelsOf(const QImage& image, QColor color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                ++n;
    return n;
}

} // namespace

TEST(BarChart, TwoSeriesWithMaskedValuesOverTwoLineCategories)
{
    BarChart c;
    consumi(c);
    EXPECT_EQ(c.valueLabels(), (QStringList{"10", "104,3", "0", "30", "1.251", "0,5"}));
    EXPECT_EQ(c.foot(), (QStringList{"", "Periodo compreso tra 01/01/2024 e 31/12/2024"}));

    QChart* chart = c.chart();
    EXPECT_EQ(chart->title(), "Media e totale consumi");
    auto* series = qobject_cast<QBarSeries*>(chart->series().value(0));
    ASSERT_TRUE(series);
    ASSERT_EQ(series->count(), 2);
    EXPECT_EQ(series->barSets()[0]->label(), "Media");
    EXPECT_EQ(series->barSets()[0]->color(), QColor(Qt::green));
    EXPECT_EQ(series->barSets()[1]->label(), "Totale");
    EXPECT_EQ(series->barSets()[1]->at(1), 1251);
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(axis);
    // Every material keeps its bar, equal descriptions included, in two lines.
    ASSERT_EQ(axis->count(), 3);
    EXPECT_EQ(axis->at(0), "Sapone liquido<br>media su totale mesi: 3");
}

TEST(BarChart, DrawnAsAnImageInAWindowAndInAReport)
{
    BarChart c;
    consumi(c);
    c.resize(800, 600);
    c.show();
    const QImage shown = c.grab().toImage();
    EXPECT_GT(pixelsOf(shown, Qt::red), 1000);

    const QImage image = c.toImage(QSize(800, 600));
    ASSERT_EQ(image.size(), QSize(800, 600));
    EXPECT_GT(pixelsOf(image, Qt::green), 200);
    EXPECT_GT(pixelsOf(image, Qt::red), 1000);

    Report r;
    r.detail(120).addImage(0, 0, 190, 120, [&c](QSizeF mm) { return c.toImage((mm * 4).toSize()); });
    QTemporaryDir dir;
    ASSERT_TRUE(r.exportPdf(dir.filePath("grafico.pdf")));
    ASSERT_EQ(r.pages().page(0).images.size(), 1u);
    EXPECT_EQ(r.pages().page(0).images[0].image.size(), QSize(760, 480));
    EXPECT_EQ(r.pages().page(0).images[0].rect, QRectF(10, 10, 190, 120));
    EXPECT_EQ(LetturaPdf::pagine(dir.filePath("grafico.pdf")), 1);
}
