#include "PageModel.h"

#include "QtPrompts.h"
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>

namespace {

// The paper of a page, in its orientation, without margins: the model places everything
// from the paper's corner.
QPageLayout paperOf(QSizeF mm)
{
    const bool landscape = mm.width() > mm.height();
    const QSizeF portrait = landscape ? mm.transposed() : mm;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QRectF scaled(const QRectF& r, double k)
{
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

} // namespace

Page& PageModel::addPage(QSizeF size, int number)
{
    Page& p = pageList.emplace_back();
    p.size = size;
    p.number = number;
    return p;
}

std::vector<PageModel::Hit> PageModel::find(const QString& text) const
{
    std::vector<Hit> hits;
    for (int i = 0; i < pageCount(); ++i)
        for (const PageText& t : pageList[size_t(i)].texts)
            if (t.text == text)
                hits.push_back({i, &t});
    return hits;
}

std::vector<PageModel::Hit> PageModel::findContaining(const QString& part) const
{
    std::vector<Hit> hits;
    for (int i = 0; i < pageCount(); ++i)
        for (const PageText& t : pageList[size_t(i)].texts)
            if (t.text.contains(part))
                hits.push_back({i, &t});
    return hits;
}

QStringList PageModel::texts(int index) const
{
    std::vector<const PageText*> sorted;
    for (const PageText& t : page(index).texts)
        sorted.push_back(&t);
    std::stable_sort(sorted.begin(), sorted.end(), [](const PageText* a, const PageText* b) {
        if (qAbs(a->rect.top() - b->rect.top()) > 0.01)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    QStringList out;
    for (const PageText* t : sorted)
        out << t->text;
    return out;
}

void PageModel::drawPage(QPainter& painter, int index, double k) const
{
    const Page& pg = page(index);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    for (const PageBox& b : pg.boxes) {
        const QRectF r = scaled(b.rect, k);
        if (b.fill.isValid())
            painter.fillRect(r, b.fill);
        if (b.border > 0) {
            painter.setPen(QPen(b.borderColor, b.border * k));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r);
        }
    }
    for (const PageImage& im : pg.images)
        painter.drawImage(scaled(im.rect, k), im.image);
    for (const PageLine& l : pg.lines) {
        painter.setPen(QPen(l.color, l.width * k, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(l.from.x() * k, l.from.y() * k), QPointF(l.to.x() * k, l.to.y() * k));
    }

    // Font sizes are points on paper: at this scale a point is worth k * 25.4 / 72 pixels,
    // whereas the device turns points into pixels at its own resolution.
    const double fontScale = k * 25.4 / painter.device()->logicalDpiY();
    QFont current;
    bool fontSet = false;
    QColor pen;
    for (const PageText& t : pg.texts) {
        if (!fontSet || !(t.font == current)) {
            current = t.font;
            QFont f = t.font;
            f.setPointSizeF(t.font.pointSizeF() * fontScale);
            painter.setFont(f);
            fontSet = true;
        }
        if (t.color != pen || painter.pen().style() == Qt::NoPen) {
            pen = t.color;
            painter.setPen(pen);
        }
        painter.drawText(scaled(t.rect, k), int(t.alignment) | Qt::TextDontClip | Qt::TextSingleLine, t.text);
    }
    painter.restore();
}

bool PageModel::writePdf(const QString& file, const QString& title) const
{
    // Written whole beside the old file and moved over it: a failure leaves the old one.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&out);
    writer.setResolution(600);
    writer.setCreator(TitoloApplicazione);
    writer.setTitle(title);
    writer.setPageLayout(paperOf(isEmpty() ? QSizeF(210, 297) : page(0).size));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const double k = writer.resolution() / 25.4;
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0) {
            if (page(i).size != page(i - 1).size)
                writer.setPageLayout(paperOf(page(i).size));
            writer.newPage();
        }
        drawPage(painter, i, k);
    }
    return painter.end() && out.commit();
}

bool PageModel::print(QPrinter& printer) const
{
    if (isEmpty())
        return true;
    int from = 1, to = pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(pageCount(), printer.toPage() > 0 ? printer.toPage() : pageCount());
    }
    if (from > to)
        return true;
    // Copies the printer does not make itself are sent again, collated when asked.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> order;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            for (int p = from; p <= to; ++p)
                order.push_back(p - 1);
    } else {
        for (int p = from; p <= to; ++p)
            for (int c = 0; c < copies; ++c)
                order.push_back(p - 1);
    }

    printer.setFullPage(true);
    printer.setPageLayout(paperOf(page(order.front()).size));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double k = printer.resolution() / 25.4;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0) {
            if (page(order[i]).size != page(order[i - 1]).size)
                printer.setPageLayout(paperOf(page(order[i]).size));
            printer.newPage();
        }
        drawPage(painter, order[i], k);
    }
    return painter.end();
}
