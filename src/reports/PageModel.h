#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;
class QPrinter;

// What a report lays out: pages of positioned texts, rules, boxes and images, in millimetres
// from the top-left corner of the paper. The preview, the printer and the PDF writer draw it;
// tests read it.

struct PageText
{
    QRectF rect;                  // the text is placed inside by its alignment
    QString text;                 // one line
    QFont font;                   // size in points
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QColor color = Qt::black;
};

struct PageLine
{
    QPointF from, to;
    double width = 0.2;
    QColor color = Qt::black;
};

// A rectangle: shaded when fill is valid, bordered when border is above zero.
struct PageBox
{
    QRectF rect;
    QColor fill;
    double border = 0;
    QColor borderColor = Qt::black;
};

struct PageImage
{
    QRectF rect;
    QImage image;
};

struct Page
{
    int number = 1;               // the number printed on it (composite documents run on)
    QSizeF size{210, 297};
    // Drawn in this order: boxes, images, lines, texts.
    std::vector<PageBox> boxes;
    std::vector<PageImage> images;
    std::vector<PageLine> lines;
    std::vector<PageText> texts;
};

class PageModel
{
public:
    int pageCount() const { return int(pageList.size()); }
    bool isEmpty() const { return pageList.empty(); }
    const Page& page(int index) const { return pageList[size_t(index)]; }
    Page& page(int index) { return pageList[size_t(index)]; }
    Page& addPage(QSizeF size, int number);
    void clear() { pageList.clear(); }

    struct Hit
    {
        int page = -1;            // index of the page
        const PageText* text = nullptr;
    };
    // Texts equal to, or containing, the given one, page after page.
    std::vector<Hit> find(const QString& text) const;
    std::vector<Hit> findContaining(const QString& part) const;
    // The texts of a page top to bottom, left to right.
    QStringList texts(int index) const;

    // Draws a page with `pixelsPerMm` device pixels to the millimetre, the origin being the
    // paper's corner.
    void drawPage(QPainter& painter, int index, double pixelsPerMm) const;
    // Writes the pages as a PDF file; false when the file cannot be written.
    bool writePdf(const QString& file, const QString& title = {}) const;
    // Sends the pages to a printer, honouring its page range and copies; false when the
    // printer cannot start.
    bool print(QPrinter& printer) const;

private:
    std::vector<Page> pageList;
};
