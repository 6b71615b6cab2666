// The layout of reports into pages: the bands laid out as the rows are read and placed on
// the pages, with the page breaks, repeated headers and blocks kept together.
#include "Report.h"

#include "Dataset.h"
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QScopeGuard>

namespace {

constexpr double eps = 1e-6;

// Text measured at a fixed high resolution, so that line breaks do not depend on the screen.
class Measure
{
public:
    Measure() : device(1, 1, QImage::Format_Mono)
    {
        device.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
        device.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    }
    const QFontMetricsF& metrics(const QFont& f)
    {
        for (auto& [font, fm] : cache)
            if (font == f)
                return fm;
        if (cache.size() > 16)
            cache.erase(cache.begin());
        return cache.emplace_back(f, QFontMetricsF(f, &device)).second;
    }
    static double toMm(double px) { return px * 25.4 / dpi; }
    static double toPx(double mm) { return mm * dpi / 25.4; }

private:
    static constexpr double dpi = 600;
    QImage device;
    std::vector<std::pair<QFont, QFontMetricsF>> cache;
};

bool sameKey(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return a == b;
}

const QRegularExpression& lineBreaks()
{
    static const QRegularExpression re(QStringLiteral("\r\n|\r|\n"));
    return re;
}

} // namespace

// The pages of one document being laid out, one report after the other.
//
// Bands are laid out as the rows are read and placed on the pages later: a band waits for the
// next one (which may want to keep with it), and a block kept together waits until it is
// complete. What waits is a list of steps: the laid bands, and the marks where a block kept
// together or a block with a repeated header opens and closes. Placing the steps in order
// decides the page breaks; the repeated headers are those of the blocks open at the break.
class ReportRun
{
public:
    ReportRun(PageModel& m, QSizeF paperSize) : model(m), paper(paperSize) {}
    void run(Report& r);
    void finish();
    int pageNumber() const { return pageNo; }

private:
    // A band laid out but not yet placed: items relative to the band's corner.
    struct LaidBand
    {
        double height = 0;
        bool keepWithNext = false;
        bool keepWithPrevious = false;
        bool alignBottom = false;
        Band* source = nullptr;
        std::vector<PageText> texts;
        std::vector<size_t> pageNumbers;    // texts whose page number is filled in when placed
        std::vector<PageLine> lines;
        std::vector<PageBox> boxes;
        std::vector<PageImage> images;
        void clear()
        {
            texts.clear();
            pageNumbers.clear();
            lines.clear();
            boxes.clear();
            images.clear();
        }
    };

    struct Step
    {
        enum Kind { Band, OpenRepeat, CloseRepeat, OpenKeep, CloseKeep };
        Kind kind = Band;
        size_t slot = 0;                    // Band: its laid band in `pending`
        bool repeated = false;              // Band: part of the innermost repeated header
    };

    // How a block opened by a band is printed: kept together, with its opening band repeated.
    struct Block
    {
        bool keep = false, repeat = false;
    };

    void runLevel(DataLevel& level, bool main);
    void runRows(DataLevel& level);
    Block openGroup(ReportGroup& g);
    void closeGroup(ReportGroup& g, Block b);
    Block openBlock(const Band* opening, bool repeat);
    void closeBlock(Block b);
    bool printBand(Band& b, bool repeated = false);
    void printDirect(Band& b, double at);
    void layoutBand(Band& b, LaidBand& out);
    QStringList linesOf(const ReportText& t, const QString& text, double& lineHeight);
    void place(const LaidBand& lb);
    bool lastKeepsWithNext() const;
    void release();
    void flush();
    void glue();
    double freshRoom() const;
    void breakPage();
    void newPage(bool withColumnHeader = true);
    void closePage();
    void reset();

    PageModel& model;
    QSizeF paper;
    Report* rep = nullptr;
    Measure measure;

    bool pageOpen = false;
    int pageNo = 0;
    double y = 0;
    double bodyTop = 0;                         // where the page's body begins, below its headers
    double bodyBottom = 0;
    bool fresh = true;                          // nothing but headers on the page yet

    std::vector<LaidBand> pending;              // laid bands waiting to be placed; reused
    size_t pendingCount = 0;
    std::vector<Step> steps, placing;
    std::vector<bool> glued;
    int holding = 0;                            // blocks kept together still open
    LaidBand scratch;                           // page headers and footers
    // The repeated headers of the blocks open where the bands are being placed, outer first:
    // the bands of each that are already on a page.
    std::vector<std::vector<LaidBand>> repeats;

    struct TotalPatch
    {
        int page;
        size_t text;
    };
    std::vector<TotalPatch> totals;
};

void ReportRun::reset()
{
    pendingCount = 0;
    steps.clear();
    holding = 0;
    repeats.clear();
}

void ReportRun::run(Report& r)
{
    Report* previous = rep;
    rep = &r;
    r.running = this;
    bool printed = false;
    {
        const auto done = qScopeGuard([&] {
            r.running = nullptr;
            reset();
            // A report that printed nothing leaves the page to the one that opened it.
            if (!printed && previous)
                rep = previous;
        });
        if (!r.beforeRun || r.beforeRun()) {
            Dataset* ds = r.data;
            const bool hasRows = !ds || (ds->active() && !ds->isEmpty());
            if (hasRows || r.printIfEmpty) {
                printed = true;
                const bool opened = !pageOpen;
                if (opened)
                    newPage(false);
                if (r.titleB)
                    printBand(*r.titleB);
                if (r.colHeadB)
                    printBand(*r.colHeadB);
                // A group that wants a page of its own still starts on the first one.
                if (opened) {
                    if (!lastKeepsWithNext())
                        flush();
                    fresh = true;
                }
                runLevel(r, true);
                if (r.summaryB)
                    printBand(*r.summaryB);
                flush();
            }
        }
    }
    if (r.afterRun)
        r.afterRun();
}

void ReportRun::finish()
{
    flush();
    if (pageOpen)
        closePage();
    const QString total = QString::number(model.pageCount());
    for (const TotalPatch& p : totals)
        model.page(p.page).texts[p.text].text.replace(QLatin1String("%2"), total);
    totals.clear();
}

ReportRun::Block ReportRun::openBlock(const Band* opening, bool repeat)
{
    Block b;
    b.keep = opening && opening->visible && opening->keepTogether;
    b.repeat = opening && opening->visible && (repeat || opening->repeatOnNewPage);
    if (b.keep) {
        release();
        steps.push_back({Step::OpenKeep});
        ++holding;
    }
    if (b.repeat)
        steps.push_back({Step::OpenRepeat});
    return b;
}

void ReportRun::closeBlock(Block b)
{
    if (b.repeat)
        steps.push_back({Step::CloseRepeat});
    if (b.keep) {
        steps.push_back({Step::CloseKeep});
        --holding;
    }
}

void ReportRun::runLevel(DataLevel& level, bool main)
{
    if (!main && level.beforeRun && !level.beforeRun())
        return;
    Dataset* ds = level.data;
    const bool hasRows = !ds || (ds->active() && !ds->isEmpty());
    if (!main && !hasRows && !level.printIfEmpty)
        return;
    auto* sub = main ? nullptr : static_cast<SubDetail*>(&level);
    const Block block = openBlock(sub ? sub->head.get() : nullptr, false);
    if (sub && sub->head)
        printBand(*sub->head, block.repeat);
    if (hasRows) {
        if (ds) {
            runRows(level);
        } else {
            const Block row = openBlock(level.subs.empty() ? nullptr : level.det.get(), false);
            if (level.det)
                printBand(*level.det, row.repeat);
            for (auto& s : level.subs)
                runLevel(*s, false);
            closeBlock(row);
        }
    }
    if (sub && sub->foot)
        printBand(*sub->foot);
    closeBlock(block);
}

void ReportRun::runRows(DataLevel& level)
{
    Dataset& ds = *level.data;
    const size_t n = level.groups.size();

    // Keys on fields are read from the next row without moving there; a key computed by an
    // expression needs the cursor on the row.
    std::vector<int> keyFields(n, -1);
    bool peek = true;
    for (size_t g = 0; g < n; ++g) {
        const ReportGroup& grp = *level.groups[g];
        if (grp.keyExpression) {
            peek = false;
            continue;
        }
        for (int i = 0; i < ds.fieldCount(); ++i)
            if (ds.fieldAt(i).name().compare(grp.keyField, Qt::CaseInsensitive) == 0)
                keyFields[g] = i;
        if (keyFields[g] < 0)
            throw LavError(QStringLiteral("%1: campo '%2' non trovato.").arg(ds.objectName(), grp.keyField));
    }
    auto keyAt = [&](size_t g, int row) {
        const ReportGroup& grp = *level.groups[g];
        return grp.keyExpression ? grp.keyExpression() : ds.valueAt(row, keyFields[g]);
    };

    // Only a detail with sub-details under it opens a block of its own.
    const Band* rowOpening = level.subs.empty() ? nullptr : level.det.get();
    std::vector<QVariant> keys(n), next(n);
    std::vector<Block> blocks(n);
    ds.first();
    for (size_t g = 0; g < n; ++g)
        keys[g] = keyAt(g, ds.currentRow());
    size_t opening = 0;
    for (;;) {
        for (size_t g = opening; g < n; ++g)
            blocks[g] = openGroup(*level.groups[g]);
        const Block row = openBlock(rowOpening, false);
        if (level.det)
            printBand(*level.det, row.repeat);
        for (auto& s : level.subs)
            runLevel(*s, false);
        closeBlock(row);

        // Which groups end after this row: footers print with the group's last row current.
        size_t changed = n;
        bool atEnd;
        if (peek) {
            const int row = ds.currentRow() + 1;
            atEnd = row >= ds.recordCount();
            for (size_t g = 0; !atEnd && g < n; ++g) {
                next[g] = keyAt(g, row);
                if (changed == n && !sameKey(next[g], keys[g]))
                    changed = g;
            }
        } else {
            ds.next();
            atEnd = ds.eof();
            for (size_t g = 0; !atEnd && g < n; ++g) {
                next[g] = keyAt(g, ds.currentRow());
                if (changed == n && !sameKey(next[g], keys[g]))
                    changed = g;
            }
            if (!atEnd && changed < n)
                ds.prior();
        }
        if (atEnd) {
            for (size_t g = n; g-- > 0;)
                closeGroup(*level.groups[g], blocks[g]);
            break;
        }
        for (size_t g = n; g-- > changed;)
            closeGroup(*level.groups[g], blocks[g]);
        if (peek || changed < n)
            ds.next();
        keys.swap(next);
        opening = changed;
    }
}

ReportRun::Block ReportRun::openGroup(ReportGroup& g)
{
    if (g.onStart)
        g.onStart();
    if (g.newPage)
        breakPage();
    const Block block = openBlock(g.head.get(), g.reprintHeader);
    if (g.head)
        printBand(*g.head, block.repeat);
    return block;
}

void ReportRun::closeGroup(ReportGroup& g, Block b)
{
    if (g.foot)
        printBand(*g.foot);
    closeBlock(b);
}

bool ReportRun::printBand(Band& b, bool repeated)
{
    if (!b.visible)
        return false;
    if (b.beforePrint && !b.beforePrint(b))
        return false;
    if (b.forceNewPage)
        breakPage();
    else if (!b.keepWithPrevious)
        release();
    if (pendingCount == pending.size())
        pending.emplace_back();
    LaidBand& lb = pending[pendingCount];
    layoutBand(b, lb);
    steps.push_back({Step::Band, pendingCount, repeated});
    lb.source = &b;
    ++pendingCount;
    if (b.afterPrint)
        b.afterPrint(b);
    if (b.childPtr)
        printBand(*b.childPtr, repeated);
    return true;
}

// Page headers and footers: placed where they belong, without looking at the room left.
void ReportRun::printDirect(Band& b, double at)
{
    if (!b.visible || (b.beforePrint && !b.beforePrint(b)))
        return;
    layoutBand(b, scratch);
    const double saved = y;
    y = at;
    place(scratch);
    y = at + scratch.height;
    if (b.afterPrint)
        b.afterPrint(b);
    if (b.childPtr)
        printDirect(*b.childPtr, y);
    if (b.kind() == BandKind::PageFooter)
        y = saved;
}

QStringList ReportRun::linesOf(const ReportText& t, const QString& text, double& lineHeight)
{
    const QFontMetricsF& fm = measure.metrics(t.fnt);
    lineHeight = Measure::toMm(fm.lineSpacing());
    const QStringList paragraphs = text.split(lineBreaks());
    if (!t.wrap)
        return paragraphs;
    const double width = Measure::toPx(t.rect.width());
    QStringList lines;
    for (const QString& para : paragraphs) {
        QString line;
        const QStringList words = para.split(QLatin1Char(' '));
        for (const QString& word : words) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (fm.horizontalAdvance(candidate) <= width || line.isEmpty()) {
                line = candidate;
            } else {
                lines << line;
                line = word;
            }
            // A word longer than the whole width is cut where it must be.
            while (fm.horizontalAdvance(line) > width && line.size() > 1) {
                qsizetype fit = line.size() - 1;
                while (fit > 1 && fm.horizontalAdvance(line.left(fit)) > width)
                    --fit;
                lines << line.left(fit);
                line = line.mid(fit);
            }
        }
        lines << line;
    }
    return lines;
}

void ReportRun::layoutBand(Band& b, LaidBand& out)
{
    out.clear();
    out.keepWithNext = b.keepWithNext;
    out.keepWithPrevious = b.keepWithPrevious;
    out.alignBottom = b.alignBottom;
    double height = b.height;

    // Texts first: those that wrap or hold line breaks make the band grow.
    struct Grown
    {
        size_t first, count;
        double lineHeight;
        const ReportText* element;
    };
    std::vector<Grown> multi;
    for (const auto& e : b.items) {
        if (!e->visible)
            continue;
        auto* t = dynamic_cast<ReportText*>(e.get());
        if (!t)
            continue;
        QString text = t->value();
        if (t->src == ReportText::Source::PageNumber) {
            out.pageNumbers.push_back(out.texts.size());
        } else if (t->wrap || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
            double lh = 0;
            const QStringList lines = linesOf(*t, text, lh);
            if (lines.size() > 1 || t->frame > 0) {
                const size_t first = out.texts.size();
                for (qsizetype i = 0; i < lines.size(); ++i) {
                    const QRectF r(t->rect.x(), t->rect.y() + i * lh, t->rect.width(), lh);
                    out.texts.push_back({r, lines[i], t->fnt, (t->align & Qt::AlignHorizontal_Mask) | Qt::AlignTop, t->col});
                }
                multi.push_back({first, size_t(lines.size()), lh, t});
                height = std::max(height, t->rect.y() + std::max(t->rect.height(), lines.size() * lh));
                continue;
            }
            text = lines.value(0);
        }
        if (t->frame > 0)
            multi.push_back({out.texts.size(), 1, t->rect.height(), t});
        out.texts.push_back({t->rect, text, t->fnt, t->align, t->col});
    }
    for (const Grown& g : multi) {
        const ReportText& t = *g.element;
        if (t.frame > 0) {
            const double h = std::max(t.rect.height(), g.count * g.lineHeight);
            out.boxes.push_back({QRectF(t.rect.x(), t.rect.y(), t.rect.width(), h), QColor(), t.frame});
        }
    }

    for (const auto& e : b.items) {
        if (!e->visible)
            continue;
        if (auto* s = dynamic_cast<ReportShape*>(e.get())) {
            QRectF r = s->rect;
            if (s->toBottom)
                r.setBottom(height);
            switch (s->shapeKind) {
            case ReportShape::Kind::HorizontalLine:
                out.lines.push_back({r.topLeft(), r.topRight(), s->pen, s->col});
                break;
            case ReportShape::Kind::VerticalLine:
                out.lines.push_back({r.topLeft(), r.bottomLeft(), s->pen, s->col});
                break;
            case ReportShape::Kind::Frame:
            case ReportShape::Kind::CheckBox:
                out.boxes.push_back({r, QColor(), s->pen, s->col});
                break;
            case ReportShape::Kind::Shade:
                out.boxes.push_back({r, s->fillColor, s->pen, s->col});
                break;
            }
        } else if (auto* im = dynamic_cast<ReportImage*>(e.get())) {
            QImage image = im->source ? im->source(im->rect.size()) : im->image;
            if (!image.isNull())
                out.images.push_back({im->rect, std::move(image)});
        }
    }

    if (b.frameSides) {
        const double w = paper.width() - rep->marg.left() - rep->marg.right();
        const double pw = b.frameWidth;
        if (b.frameSides & Band::Top)
            out.lines.push_back({QPointF(0, 0), QPointF(w, 0), pw});
        if (b.frameSides & Band::Bottom)
            out.lines.push_back({QPointF(0, height), QPointF(w, height), pw});
        if (b.frameSides & Band::Left)
            out.lines.push_back({QPointF(0, 0), QPointF(0, height), pw});
        if (b.frameSides & Band::Right)
            out.lines.push_back({QPointF(w, 0), QPointF(w, height), pw});
    }
    out.height = height;
}

void ReportRun::place(const LaidBand& lb)
{
    Page& page = model.page(model.pageCount() - 1);
    const QPointF at(rep->marg.left(), y);
    const size_t firstText = page.texts.size();
    for (const PageText& t : lb.texts) {
        page.texts.push_back(t);
        page.texts.back().rect.translate(at);
    }
    for (size_t i : lb.pageNumbers) {
        QString& text = page.texts[firstText + i].text;
        text.replace(QLatin1String("%1"), QString::number(pageNo));
        if (text.contains(QLatin1String("%2")))
            totals.push_back({model.pageCount() - 1, firstText + i});
    }
    for (const PageLine& l : lb.lines)
        page.lines.push_back({l.from + at, l.to + at, l.width, l.color});
    for (const PageBox& b : lb.boxes) {
        page.boxes.push_back(b);
        page.boxes.back().rect.translate(at);
    }
    for (const PageImage& im : lb.images)
        page.images.push_back({im.rect.translated(at), im.image});
}

bool ReportRun::lastKeepsWithNext() const
{
    for (auto it = steps.rbegin(); it != steps.rend(); ++it)
        if (it->kind == Step::Band)
            return pending[it->slot].keepWithNext;
    return false;
}

// The bands waiting are placed unless they wait for what comes next.
void ReportRun::release()
{
    if (holding == 0 && !lastKeepsWithNext())
        flush();
}

// For each waiting band but the last, whether it goes on the same page as the next one: kept
// with it, or in the same block kept together that fits on a page.
void ReportRun::glue()
{
    glued.assign(pendingCount, false);
    for (size_t k = 0; k + 1 < pendingCount; ++k)
        glued[k] = pending[k].keepWithNext || pending[k + 1].keepWithPrevious;
    const double room = freshRoom();
    std::vector<size_t> open;                   // the first band of each block still open
    size_t bands = 0;
    for (const Step& s : steps) {
        if (s.kind == Step::Band) {
            ++bands;
        } else if (s.kind == Step::OpenKeep) {
            open.push_back(bands);
        } else if (s.kind == Step::CloseKeep && !open.empty()) {
            // A block split by a forced page break closes in a later round: nothing to join.
            const size_t first = open.back();
            open.pop_back();
            double height = 0;
            for (size_t k = first; k < bands; ++k)
                height += pending[k].height;
            if (bands > first && height <= room + eps)
                for (size_t k = first; k + 1 < bands; ++k)
                    glued[k] = true;
        }
    }
}

// The height of the body of a new page, below its headers and the repeated ones.
double ReportRun::freshRoom() const
{
    double room = paper.height() - rep->marg.top() - rep->marg.bottom();
    for (const Band* b : {rep->pageFootB.get(), rep->pageHeadB.get(), rep->colHeadB.get()})
        if (b && b->visible)
            room -= b->height;
    for (const auto& r : repeats)
        for (const LaidBand& lb : r)
            room -= lb.height;
    return room;
}

void ReportRun::flush()
{
    if (steps.empty())
        return;
    glue();
    // A band too tall for an empty page is placed all the same (and runs over the bottom).
    auto newPageHelps = [this] { return y > bodyTop + eps; };
    placing.swap(steps);
    steps.clear();
    size_t k = 0;
    for (const Step& s : placing) {
        switch (s.kind) {
        case Step::OpenRepeat:
            repeats.emplace_back();
            continue;
        case Step::CloseRepeat:
            if (!repeats.empty())
                repeats.pop_back();
            continue;
        case Step::OpenKeep:
        case Step::CloseKeep:
            continue;
        case Step::Band:
            break;
        }
        const LaidBand& lb = pending[s.slot];
        // Bands joined together move to a new page together, when they fit on one.
        if (k == 0 || !glued[k - 1]) {
            double joined = 0;
            for (size_t j = k; j < pendingCount; ++j) {
                joined += pending[j].height;
                if (!glued[j])
                    break;
            }
            if (y + joined > bodyBottom + eps && joined <= freshRoom() + eps && newPageHelps())
                newPage();
        }
        if (lb.alignBottom) {
            if (bodyBottom - lb.height < y - eps && newPageHelps())
                newPage();
            y = std::max(y, bodyBottom - lb.height);
        } else if (y + lb.height > bodyBottom + eps && newPageHelps()) {
            newPage();
        }
        place(lb);
        if (lb.source && lb.source->onPlaced)
            lb.source->onPlaced(*lb.source, model.pageCount() - 1, y, lb.height);
        y += lb.height;
        fresh = false;
        if (lb.alignBottom)
            y = std::max(y, bodyBottom);
        if (s.repeated && !repeats.empty())
            repeats.back().push_back(lb);
        ++k;
    }
    placing.clear();
    pendingCount = 0;
}

void ReportRun::breakPage()
{
    flush();
    if (!fresh)
        newPage();
}

void ReportRun::newPage(bool withColumnHeader)
{
    if (pageOpen)
        closePage();
    model.addPage(paper, ++pageNo);
    pageOpen = true;
    y = rep->marg.top();
    const Band* footer = rep->pageFootB.get();
    bodyBottom = paper.height() - rep->marg.bottom() - (footer && footer->visible ? footer->height : 0);
    // Bands waiting to be placed keep their slots: the headers use their own.
    if (rep->pageHeadB)
        printDirect(*rep->pageHeadB, y);
    if (withColumnHeader && rep->colHeadB)
        printDirect(*rep->colHeadB, y);
    // The blocks running on from the page before, outer first, as they were printed there.
    for (const auto& r : repeats)
        for (const LaidBand& lb : r) {
            place(lb);
            y += lb.height;
        }
    bodyTop = y;
    fresh = true;
}

void ReportRun::closePage()
{
    // The last page closes after its report has finished: the footer still reads the page.
    ReportRun* running = rep->running;
    rep->running = this;
    if (Band* footer = rep->pageFootB.get(); footer && footer->visible)
        printDirect(*footer, paper.height() - rep->marg.bottom() - footer->height);
    rep->running = running;
    pageOpen = false;
}

int Report::pageNumber() const
{
    return running ? running->pageNumber() : 0;
}

void Report::layout(PageModel& into)
{
    ReportRun run(into, paperSize());
    run.run(*this);
    run.finish();
}

void CompositeReport::layout(PageModel& into)
{
    ReportRun run(into, orient == QPageLayout::Landscape ? QSizeF(297, 210) : QSizeF(210, 297));
    for (Report* r : parts)
        run.run(*r);
    run.finish();
    if (afterRun)
        afterRun();
}
