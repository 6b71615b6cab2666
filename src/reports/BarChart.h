#pragma once
#include <QChartView>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

// The bar chart of the consumption statistics: a title, two series of bars with their names
// and colours, one bar of each per category, the value of each bar written above it through
// a display mask, and a foot of two lines under the chart. Shown in a window, or drawn as an
// image into a report.
class BarChart : public QChartView
{
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);
    ~BarChart() override;

    void setTitle(const QString& title);
    QString title() const { return chartTitle; }
    void setSeries(int index, const QString& name, const QColor& color);   // index 0 or 1
    void setValueMask(const QString& mask);                                 // "#,##0.#"
    void setFoot(const QString& first, const QString& second);
    QStringList foot() const { return footLines; }

    void clear();
    // A category (two lines when it holds a line break) with its value in each series.
    void addBar(const QString& category, double first, double second);
    int barCount() const { return int(bars.size()); }
    QStringList categories() const;
    // The labels over the bars, first series then second, as the mask writes them.
    QStringList valueLabels() const;

    // Draws the chart again after changes.
    void refresh();
    // The chart drawn at the given size, on white.
    QImage toImage(QSize pixels) const;

private:
    struct Bar
    {
        QString category;
        double values[2];
    };
    QChart* build() const;

    QString chartTitle;
    QString names[2] = {QStringLiteral("Serie 1"), QStringLiteral("Serie 2")};
    QColor colors[2] = {Qt::green, Qt::red};
    QString mask = QStringLiteral("#,##0.#");
    QStringList footLines{QString(), QString()};
    std::vector<Bar> bars;
};
