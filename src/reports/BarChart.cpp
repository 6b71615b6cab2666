#include "BarChart.h"

#include "DisplayMask.h"
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QValueAxis>
#include <algorithm>

namespace {

constexpr double footHeight = 34;

// Axis labels are rich text: a line break of the data becomes <br>.
QString twoLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.toHtmlEscaped().replace(breaks, QStringLiteral("<br>"));
}

} // namespace

BarChart::BarChart(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(400, 300);
    refresh();
}

BarChart::~BarChart() = default;

void BarChart::setTitle(const QString& title)
{
    chartTitle = title;
}

void BarChart::setSeries(int index, const QString& name, const QColor& color)
{
    if (index < 0 || index > 1)
        return;
    names[index] = name;
    colors[index] = color;
}

void BarChart::setValueMask(const QString& m)
{
    mask = m;
}

void BarChart::setFoot(const QString& first, const QString& second)
{
    footLines = {first, second};
}

void BarChart::clear()
{
    bars.clear();
}

void BarChart::addBar(const QString& category, double first, double second)
{
    bars.push_back({category, {first, second}});
}

QStringList BarChart::categories() const
{
    QStringList out;
    for (const Bar& b : bars)
        out << b.category;
    return out;
}

QStringList BarChart::valueLabels() const
{
    QStringList out;
    for (int s = 0; s < 2; ++s)
        for (const Bar& b : bars)
            out << formatMask(mask, b.values[s]);
    return out;
}

void BarChart::refresh()
{
    QChart* old = chart();
    setChart(build());
    delete old;
}

QChart* BarChart::build() const
{
    auto* c = new QChart;
    c->setTitle(chartTitle);
    QFont titleFont = c->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    c->setTitleFont(titleFont);
    c->setAnimationOptions(QChart::NoAnimation);
    c->setLocalizeNumbers(true);
    c->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setMargins(QMargins(10, 10, 10, int(footHeight) + 6));

    auto* series = new QBarSeries;
    QBarSet* sets[2];
    double top = 0;
    for (int s = 0; s < 2; ++s) {
        sets[s] = new QBarSet(names[s]);
        sets[s]->setColor(colors[s]);
        sets[s]->setBorderColor(colors[s].darker(130));
        for (const Bar& b : bars) {
            sets[s]->append(b.values[s]);
            top = std::max(top, b.values[s]);
        }
        series->append(sets[s]);
    }
    c->addSeries(series);

    // Categories must differ from one another: equal texts are told apart by invisible marks.
    QStringList labels;
    for (const Bar& b : bars) {
        QString label = twoLines(b.category);
        while (labels.contains(label))
            label += QChar(0x200B);
        labels << label;
    }
    auto* axisX = new QBarCategoryAxis;
    axisX->append(labels);
    axisX->setTruncateLabels(false);
    c->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    axisY->setRange(0, top > 0 ? top * 1.15 : 1);
    axisY->applyNiceNumbers();
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    c->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);

    // The value of each bar above it, written through the mask.
    struct Label
    {
        QGraphicsSimpleTextItem* item;
        double x, y;
    };
    auto labelsOnBars = std::make_shared<std::vector<Label>>();
    const double groupWidth = series->barWidth();
    for (int s = 0; s < 2; ++s)
        for (size_t i = 0; i < bars.size(); ++i) {
            auto* item = new QGraphicsSimpleTextItem(formatMask(mask, bars[i].values[s]), c);
            item->setZValue(10);
            const double x = double(i) - groupWidth / 2 + (s + 0.5) * groupWidth / 2;
            labelsOnBars->push_back({item, x, bars[i].values[s]});
        }
    auto* footItem = new QGraphicsSimpleTextItem(footLines.join(QLatin1Char('\n')), c);
    auto place = [c, series, labelsOnBars, footItem] {
        for (const Label& l : *labelsOnBars) {
            const QPointF p = c->mapToPosition(QPointF(l.x, l.y), series);
            const QRectF r = l.item->boundingRect();
            l.item->setPos(p.x() - r.width() / 2, p.y() - r.height() - 2);
        }
        const QRectF r = footItem->boundingRect();
        footItem->setPos((c->size().width() - r.width()) / 2, c->size().height() - footHeight);
    };
    QObject::connect(c, &QChart::plotAreaChanged, c, place);
    QObject::connect(c, &QGraphicsWidget::geometryChanged, c, place);
    return c;
}

QImage BarChart::toImage(QSize pixels) const
{
    QGraphicsScene scene;
    QChart* c = build();
    scene.addItem(c);
    c->resize(pixels);
    if (c->layout())
        c->layout()->activate();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    scene.render(&p, QRectF(QPointF(0, 0), QSizeF(pixels)), QRectF(QPointF(0, 0), QSizeF(pixels)));
    p.end();
    return image;
}
