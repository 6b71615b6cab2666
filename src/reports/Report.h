#pragma once
#include "PageModel.h"
#include "ReportFonts.h"
#include <QPageLayout>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class Dataset;
class Field;
class Prompts;
class QPrinter;
class QWidget;
class Report;
class ReportRun;

// The banded reports of the program. A report walks the rows of a dataset and prints bands:
//
//   title (once)                        page header, column header (every page)
//   group headers (outer first)         detail, then each sub-detail over its own rows
//   group footers (inner first)         summary (once)             page footer (every page)
//
// Every size is in millimetres; x counts from the left margin, y from the top of the band.
// A report lays out into a PageModel that the preview, the printer and the PDF writer draw.
//
//     Report r;
//     r.setDataset(&dm.TblClienti);
//     r.titleBand(10).addLabel(0, 0, 190, 8, "Elenco sintetico clienti").setBold();
//     r.detail(5).addField(0, 0, 80, 5, dm.TblClienti, "Denominazione");
//     r.pageFooter(6).addPageNumber(150, 0, 40, 5, "Pagina %1 di %2").setAlignment(Qt::AlignRight);
//     r.preview(prompts);

enum class BandKind { Title, PageHeader, ColumnHeader, GroupHeader, GroupFooter, Detail, SubDetailHeader,
                      SubDetailFooter, Child, Summary, PageFooter };

class ReportElement
{
public:
    explicit ReportElement(const QRectF& r) : rect(r) {}
    virtual ~ReportElement() = default;
    QRectF rect;
    bool visible = true;
};

// A text: a fixed label, the value of a field, the value of an expression, or the page
// number. Fields and expressions go through the display mask when one is set.
class ReportText : public ReportElement
{
public:
    enum class Source { Label, Field, Expression, PageNumber };
    ReportText(const QRectF& r, Source s, const QFont& f) : ReportElement(r), src(s), fnt(f) {}

    ReportText& setText(const QString& t) { txt = t; return *this; }
    ReportText& setMask(const QString& m) { msk = m; return *this; }
    ReportText& setAlignment(Qt::Alignment a);
    ReportText& setFont(const QFont& f) { fnt = f; return *this; }
    ReportText& setFontSize(double points) { fnt.setPointSizeF(points); return *this; }
    ReportText& setBold(bool on = true) { fnt.setBold(on); return *this; }
    ReportText& setItalic(bool on = true) { fnt.setItalic(on); return *this; }
    ReportText& setColor(const QColor& c) { col = c; return *this; }
    // Wraps at the element's width; the band grows to show every line.
    ReportText& setWordWrap(bool on = true) { wrap = on; return *this; }
    // A border around the element's rectangle (grown with the text).
    ReportText& setFramed(double width = 0.2) { frame = width; return *this; }

    Source source() const { return src; }
    // The label's text, or the page number's format ("%1", "Pagina %1 di %2").
    const QString& text() const { return txt; }
    const QString& mask() const { return msk; }
    const QFont& font() const { return fnt; }
    Qt::Alignment alignment() const { return align; }
    bool wordWrap() const { return wrap; }
    // What the element prints for the current rows (the page number element: its format).
    QString value() const;

private:
    friend class Band;
    friend class ReportRun;
    Source src;
    QString txt, msk;
    QFont fnt;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    QColor col = Qt::black;
    bool wrap = false;
    double frame = 0;
    Dataset* ds = nullptr;
    QString fieldName;
    mutable Field* fieldPtr = nullptr;
    std::function<QVariant()> expression;
};

// Rules, frames, shaded boxes and the empty squares of the check columns.
class ReportShape : public ReportElement
{
public:
    enum class Kind { Frame, HorizontalLine, VerticalLine, Shade, CheckBox };
    ReportShape(const QRectF& r, Kind k) : ReportElement(r), shapeKind(k) {}

    ReportShape& setPenWidth(double mm) { pen = mm; return *this; }
    ReportShape& setColor(const QColor& c) { col = c; return *this; }
    ReportShape& setFill(const QColor& c) { fillColor = c; return *this; }
    // Vertical rules and frames that reach the bottom of a band grown by its texts.
    ReportShape& setToBandBottom(bool on = true) { toBottom = on; return *this; }
    Kind kind() const { return shapeKind; }

private:
    friend class ReportRun;
    Kind shapeKind;
    double pen = 0.2;
    QColor col = Qt::black;
    QColor fillColor;
    bool toBottom = false;
};

// A picture: fixed, or drawn when the band prints at the size it gets (a chart).
class ReportImage : public ReportElement
{
public:
    using Source = std::function<QImage(QSizeF mm)>;
    ReportImage(const QRectF& r, QImage im, Source s) : ReportElement(r), image(std::move(im)), source(std::move(s)) {}
    QImage image;
    Source source;
};

class Band
{
public:
    Band(Report& report, BandKind kind, double h) : height(h), rep(report), bandKind(kind) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandKind kind() const { return bandKind; }
    Report& report() const { return rep; }

    double height;
    bool visible = true;
    // Printed on the same page as the band that follows it.
    bool keepWithNext = false;
    // Printed on the same page as the band before it (a footer or a total that must not stand
    // alone at the top of a page).
    bool keepWithPrevious = false;
    // For a band that opens a block (a group header: the group down to its footer; a detail:
    // its row with the sub-details under it; a sub-detail header: its rows down to its
    // footer): the block starts on a new page rather than split, when it fits on one page.
    bool keepTogether = false;
    // For the same bands: printed again, with its children, at the top of every page the block
    // runs onto, as it was printed first (its callbacks do not run again).
    bool repeatOnNewPage = false;
    // Printed at the bottom of the page body; what follows starts a new page.
    bool alignBottom = false;
    // Starts a new page unless nothing has been printed on the current one yet.
    bool forceNewPage = false;
    // Runs each time the band is about to print; may change its elements. Returning false
    // leaves the band (and its child) out this time.
    std::function<bool(Band&)> beforePrint;
    std::function<void(Band&)> afterPrint;
    // Runs once the band has its place in the page body: the index of the page, the band's
    // top and its height, in mm from the paper's corner (for marks that span several bands).
    std::function<void(Band&, int page, double top, double height)> onPlaced;

    enum Side { Top = 1, Bottom = 2, Left = 4, Right = 8, AllSides = 15 };
    // Rules along the band's sides, across the page body and down its grown height.
    void setFrame(int sides, double width = 0.2) { frameSides = sides; frameWidth = width; }

    // A band printed right after this one whenever this one prints (made on the first call).
    Band& child(double height);
    Band* childBand() const { return childPtr.get(); }

    ReportText& addLabel(double x, double y, double w, double h, const QString& text);
    ReportText& addField(double x, double y, double w, double h, Dataset& ds, const QString& field,
                         const QString& mask = {});
    ReportText& addExpression(double x, double y, double w, double h, std::function<QVariant()> value,
                              const QString& mask = {});
    // "%1" is the page number, "%2" the number of pages of the whole document.
    ReportText& addPageNumber(double x, double y, double w, double h, const QString& format = QStringLiteral("%1"));
    ReportShape& addFrame(double x, double y, double w, double h, double width = 0.2);
    ReportShape& addHLine(double x, double y, double w, double width = 0.2);
    ReportShape& addVLine(double x, double y, double h, double width = 0.2);
    ReportShape& addShade(double x, double y, double w, double h, const QColor& fill = QColor(220, 220, 220));
    ReportShape& addCheckBox(double x, double y, double size = 3.5);
    ReportImage& addImage(double x, double y, double w, double h, const QImage& image);
    ReportImage& addImage(double x, double y, double w, double h, ReportImage::Source source);

    const std::vector<std::unique_ptr<ReportElement>>& elements() const { return items; }

private:
    friend class ReportRun;
    template <class E> E& add(std::unique_ptr<E> e);
    Report& rep;
    BandKind bandKind;
    std::unique_ptr<Band> childPtr;
    std::vector<std::unique_ptr<ReportElement>> items;
    int frameSides = 0;
    double frameWidth = 0.2;
};

class DataLevel;

// A group of consecutive rows sharing a key: a field of the level's dataset or an expression.
class ReportGroup
{
public:
    ReportGroup(Report& report, QString field, std::function<QVariant()> key)
        : rep(report), keyField(std::move(field)), keyExpression(std::move(key)) {}

    Band& header(double height);
    Band& footer(double height);
    Band* headerBand() const { return head.get(); }
    Band* footerBand() const { return foot.get(); }

    // Each group starts on a page of its own.
    bool newPage = false;
    // The header is printed again at the top of a page the group runs onto (the same as the
    // header's repeatOnNewPage).
    bool reprintHeader = false;
    // Runs when a group starts, before its header (totals are reset here).
    std::function<void()> onStart;

private:
    friend class ReportRun;
    Report& rep;
    QString keyField;
    std::function<QVariant()> keyExpression;
    std::unique_ptr<Band> head, foot;
};

class SubDetail;

// The rows of one dataset with their groups, detail band and sub-details. Without a dataset
// the detail prints once.
class DataLevel
{
public:
    explicit DataLevel(Report& report) : rep(report) {}
    virtual ~DataLevel();
    DataLevel(const DataLevel&) = delete;
    DataLevel& operator=(const DataLevel&) = delete;

    void setDataset(Dataset* ds) { data = ds; }
    Dataset* dataset() const { return data; }
    // Headers and footers print even when there are no rows.
    bool printIfEmpty = false;
    // Runs before the rows are read (a query re-run for the master row); false leaves the
    // level out this time.
    std::function<bool()> beforeRun;

    ReportGroup& addGroup(const QString& field);
    ReportGroup& addGroup(std::function<QVariant()> key);
    Band& detail(double height);
    Band* detailBand() const { return det.get(); }
    // Rows of another dataset printed after each detail row, in the order they are added.
    SubDetail& addSubDetail(Dataset& ds);

protected:
    friend class ReportRun;
    Report& rep;
    Dataset* data = nullptr;
    std::vector<std::unique_ptr<ReportGroup>> groups;
    std::unique_ptr<Band> det;
    std::vector<std::unique_ptr<SubDetail>> subs;
};

class SubDetail : public DataLevel
{
public:
    SubDetail(Report& report, Dataset& ds) : DataLevel(report) { setDataset(&ds); }
    Band& header(double height);
    Band& footer(double height);
    Band* headerBand() const { return head.get(); }
    Band* footerBand() const { return foot.get(); }

private:
    friend class ReportRun;
    std::unique_ptr<Band> head, foot;
};

// What can be laid out, previewed, printed and exported: one report or several in a row.
class ReportDocument
{
public:
    virtual ~ReportDocument();

    // Lays out every page without showing them; the number of pages.
    int prepare();
    const PageModel& pages() const { return model; }
    int pageCount() const { return model.pageCount(); }

    // Lays the pages out again and shows them in the preview window; a document without
    // pages is not shown (false).
    bool preview(Prompts& prompts, QWidget* parent = nullptr);
    // Shows the pages as last laid out (a print that was laid out by its own operation).
    bool showPreview(Prompts& prompts, QWidget* parent = nullptr);
    // Through the print dialog (printer, copies, pages); false when cancelled or failed.
    bool print(Prompts& prompts);
    // On the default printer, without asking.
    bool printDirect();
    bool printTo(QPrinter& printer);
    bool exportPdf(const QString& file);

    // Shown in the preview's caption and written into exported files.
    QString title;
    // The document's name ("Scheda cliente 7"), when the title is not one: the preview's caption
    // and the file name its export proposes.
    QString name;
    QString displayName() const { return name.isEmpty() ? title : name; }

protected:
    virtual void layout(PageModel& into) = 0;
    PageModel model;
};

class Report : public ReportDocument, public DataLevel
{
public:
    Report();
    ~Report() override;

    void setOrientation(QPageLayout::Orientation o) { orient = o; }
    QPageLayout::Orientation orientation() const { return orient; }
    void setMargins(double left, double top, double right, double bottom);
    void setMargins(double all) { setMargins(all, all, all, all); }
    QMarginsF margins() const { return marg; }
    // A4 in the report's orientation, and the width between the margins.
    QSizeF paperSize() const;
    double bodyWidth() const;

    // Font of the elements added from now on.
    QFont font;

    Band& titleBand(double height);
    Band& pageHeader(double height);
    Band& columnHeader(double height);
    Band& summary(double height);
    Band& pageFooter(double height);
    Band* titleBandPtr() const { return titleB.get(); }
    Band* pageHeaderBand() const { return pageHeadB.get(); }
    Band* columnHeaderBand() const { return colHeadB.get(); }
    Band* summaryBand() const { return summaryB.get(); }
    Band* pageFooterBand() const { return pageFootB.get(); }

    // Runs after the pages are laid out (queries closed, filters removed).
    std::function<void()> afterRun;

    // While laying out: the number of the page being filled.
    int pageNumber() const;

protected:
    void layout(PageModel& into) override;

private:
    friend class ReportRun;
    friend class CompositeReport;
    QPageLayout::Orientation orient = QPageLayout::Portrait;
    QMarginsF marg{10, 10, 10, 10};
    std::unique_ptr<Band> titleB, pageHeadB, colHeadB, summaryB, pageFootB;
    ReportRun* running = nullptr;
};

// Reports printed one after the other as one document: each continues on the page where the
// previous one ended, and the page numbers run on. The paper is the composite's.
class CompositeReport : public ReportDocument
{
public:
    void add(Report& r) { parts.push_back(&r); }
    void setOrientation(QPageLayout::Orientation o) { orient = o; }
    std::function<void()> afterRun;

protected:
    void layout(PageModel& into) override;

private:
    std::vector<Report*> parts;
    QPageLayout::Orientation orient = QPageLayout::Portrait;
};
