#include "Report.h"

#include "Dataset.h"
#include "DisplayMask.h"
#include "Prompts.h"
#include "ReportPreview.h"
#include <QPrinter>
#include <QPrinterInfo>

// ---------------------------------------------------------------- elements and bands

ReportText& ReportText::setAlignment(Qt::Alignment a)
{
    if (!(a & Qt::AlignVertical_Mask))
        a |= Qt::AlignTop;
    if (!(a & Qt::AlignHorizontal_Mask))
        a |= Qt::AlignLeft;
    align = a;
    return *this;
}

QString ReportText::value() const
{
    switch (src) {
    case Source::Label:
    case Source::PageNumber:
        return txt;
    case Source::Field: {
        if (!fieldPtr)
            fieldPtr = ds->findField(fieldName);
        if (!fieldPtr)
            return {};
        return msk.isEmpty() ? fieldPtr->text() : formatMask(msk, fieldPtr->value());
    }
    case Source::Expression:
        return expression ? formatMask(msk, expression()) : QString();
    }
    return {};
}

template <class E>
E& Band::add(std::unique_ptr<E> e)
{
    E& ref = *e;
    items.push_back(std::move(e));
    return ref;
}

Band& Band::child(double h)
{
    if (!childPtr)
        childPtr = std::make_unique<Band>(rep, BandKind::Child, h);
    return *childPtr;
}

ReportText& Band::addLabel(double x, double y, double w, double h, const QString& text)
{
    auto& t = add(std::make_unique<ReportText>(QRectF(x, y, w, h), ReportText::Source::Label, rep.font));
    t.txt = text;
    return t;
}

ReportText& Band::addField(double x, double y, double w, double h, Dataset& ds, const QString& field,
                           const QString& mask)
{
    auto& t = add(std::make_unique<ReportText>(QRectF(x, y, w, h), ReportText::Source::Field, rep.font));
    t.ds = &ds;
    t.fieldName = field;
    t.msk = mask;
    return t;
}

ReportText& Band::addExpression(double x, double y, double w, double h, std::function<QVariant()> value,
                                const QString& mask)
{
    auto& t = add(std::make_unique<ReportText>(QRectF(x, y, w, h), ReportText::Source::Expression, rep.font));
    t.expression = std::move(value);
    t.msk = mask;
    return t;
}

ReportText& Band::addPageNumber(double x, double y, double w, double h, const QString& format)
{
    auto& t = add(std::make_unique<ReportText>(QRectF(x, y, w, h), ReportText::Source::PageNumber, rep.font));
    t.txt = format;
    return t;
}

ReportShape& Band::addFrame(double x, double y, double w, double h, double width)
{
    return add(std::make_unique<ReportShape>(QRectF(x, y, w, h), ReportShape::Kind::Frame)).setPenWidth(width);
}

ReportShape& Band::addHLine(double x, double y, double w, double width)
{
    return add(std::make_unique<ReportShape>(QRectF(x, y, w, 0), ReportShape::Kind::HorizontalLine)).setPenWidth(width);
}

ReportShape& Band::addVLine(double x, double y, double h, double width)
{
    return add(std::make_unique<ReportShape>(QRectF(x, y, 0, h), ReportShape::Kind::VerticalLine)).setPenWidth(width);
}

ReportShape& Band::addShade(double x, double y, double w, double h, const QColor& fill)
{
    return add(std::make_unique<ReportShape>(QRectF(x, y, w, h), ReportShape::Kind::Shade)).setFill(fill).setPenWidth(0);
}

ReportShape& Band::addCheckBox(double x, double y, double size)
{
    return add(std::make_unique<ReportShape>(QRectF(x, y, size, size), ReportShape::Kind::CheckBox));
}

ReportImage& Band::addImage(double x, double y, double w, double h, const QImage& image)
{
    return add(std::make_unique<ReportImage>(QRectF(x, y, w, h), image, ReportImage::Source{}));
}

ReportImage& Band::addImage(double x, double y, double w, double h, ReportImage::Source source)
{
    return add(std::make_unique<ReportImage>(QRectF(x, y, w, h), QImage(), std::move(source)));
}

Band& ReportGroup::header(double h)
{
    if (!head)
        head = std::make_unique<Band>(rep, BandKind::GroupHeader, h);
    return *head;
}

Band& ReportGroup::footer(double h)
{
    if (!foot)
        foot = std::make_unique<Band>(rep, BandKind::GroupFooter, h);
    return *foot;
}

DataLevel::~DataLevel() = default;

ReportGroup& DataLevel::addGroup(const QString& field)
{
    groups.push_back(std::make_unique<ReportGroup>(rep, field, nullptr));
    return *groups.back();
}

ReportGroup& DataLevel::addGroup(std::function<QVariant()> key)
{
    groups.push_back(std::make_unique<ReportGroup>(rep, QString(), std::move(key)));
    return *groups.back();
}

Band& DataLevel::detail(double h)
{
    if (!det)
        det = std::make_unique<Band>(rep, BandKind::Detail, h);
    return *det;
}

SubDetail& DataLevel::addSubDetail(Dataset& ds)
{
    subs.push_back(std::make_unique<SubDetail>(rep, ds));
    return *subs.back();
}

Band& SubDetail::header(double h)
{
    if (!head)
        head = std::make_unique<Band>(rep, BandKind::SubDetailHeader, h);
    return *head;
}

Band& SubDetail::footer(double h)
{
    if (!foot)
        foot = std::make_unique<Band>(rep, BandKind::SubDetailFooter, h);
    return *foot;
}

// ---------------------------------------------------------------- documents

ReportDocument::~ReportDocument() = default;

int ReportDocument::prepare()
{
    model.clear();
    layout(model);
    return model.pageCount();
}

bool ReportDocument::preview(Prompts& prompts, QWidget* parent)
{
    prepare();
    return showPreview(prompts, parent);
}

bool ReportDocument::showPreview(Prompts& prompts, QWidget* parent)
{
    if (model.pageCount() == 0)
        return false;
    ReportPreview window(model, prompts, parent);
    const QString nome = displayName();
    window.setWindowTitle(nome.isEmpty() ? QStringLiteral("Anteprima di stampa")
                                         : QStringLiteral("Anteprima di stampa - %1").arg(nome));
    window.setDocumentName(nome);
    if (ReportPreview::runner)
        ReportPreview::runner(window);
    else
        window.exec();
    return true;
}

bool ReportDocument::print(Prompts& prompts)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(displayName());
    if (!prompts.printSetup(printer))
        return false;
    return printTo(printer);
}

bool ReportDocument::printDirect()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(displayName());
    return printTo(printer);
}

bool ReportDocument::printTo(QPrinter& printer)
{
    prepare();
    return model.print(printer);
}

bool ReportDocument::exportPdf(const QString& file)
{
    prepare();
    return model.writePdf(file, displayName());
}

Report::Report() : DataLevel(*this), font(reportFont(10)) {}

Report::~Report() = default;

void Report::setMargins(double left, double top, double right, double bottom)
{
    marg = QMarginsF(left, top, right, bottom);
}

QSizeF Report::paperSize() const
{
    return orient == QPageLayout::Landscape ? QSizeF(297, 210) : QSizeF(210, 297);
}

double Report::bodyWidth() const
{
    return paperSize().width() - marg.left() - marg.right();
}

namespace {

Band& bandOf(std::unique_ptr<Band>& slot, Report& r, BandKind kind, double h)
{
    if (!slot)
        slot = std::make_unique<Band>(r, kind, h);
    return *slot;
}

} // namespace

Band& Report::titleBand(double h) { return bandOf(titleB, *this, BandKind::Title, h); }
Band& Report::pageHeader(double h) { return bandOf(pageHeadB, *this, BandKind::PageHeader, h); }
Band& Report::columnHeader(double h) { return bandOf(colHeadB, *this, BandKind::ColumnHeader, h); }
Band& Report::summary(double h) { return bandOf(summaryB, *this, BandKind::Summary, h); }
Band& Report::pageFooter(double h) { return bandOf(pageFootB, *this, BandKind::PageFooter, h); }
