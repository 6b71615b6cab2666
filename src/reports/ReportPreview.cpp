#include "ReportPreview.h"

#include "PageModel.h"
#include "Prompts.h"
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

// The page drawn on a white sheet at the chosen scale.
class PreviewPageView : public QWidget
{
public:
    PreviewPageView(const PageModel& m, QWidget* parent) : QWidget(parent), model(m) {}

    void showPage(int index, double pxPerMm)
    {
        page = index;
        scale = pxPerMm;
        const QSizeF mm = model.isEmpty() ? QSizeF(210, 297) : model.page(page).size;
        setFixedSize(int(mm.width() * scale) + 2 * border, int(mm.height() * scale) + 2 * border);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Dark));
        if (model.isEmpty())
            return;
        const QSizeF mm = model.page(page).size;
        const QRectF sheet(border, border, mm.width() * scale, mm.height() * scale);
        p.fillRect(sheet.translated(3, 3), Qt::gray);
        p.fillRect(sheet, Qt::white);
        p.translate(border, border);
        p.setClipRect(QRectF(0, 0, sheet.width(), sheet.height()));
        model.drawPage(p, page, scale);
    }

private:
    static constexpr int border = 12;
    const PageModel& model;
    int page = 0;
    double scale = 1;
};

namespace {

struct ZoomChoice
{
    const char* text;
    int percent;
};

constexpr ZoomChoice zoomChoices[] = {{"Pagina intera", 0}, {"Larghezza pagina", -1}, {"50%", 50}, {"75%", 75},
                                      {"80%", 80},          {"100%", 100},             {"150%", 150}, {"200%", 200}};

QPushButton* pulsante(const QString& testo, const QString& suggerimento, QWidget* parent)
{
    auto* b = new QPushButton(testo, parent);
    b->setToolTip(suggerimento);
    b->setAutoDefault(false);
    return b;
}

// The page arrows as narrow as their signs, so that the bar fits a small screen.
QPushButton* freccia(const QString& segno, const QString& suggerimento, QWidget* parent)
{
    QPushButton* b = pulsante(segno, suggerimento, parent);
    b->setMaximumWidth(b->fontMetrics().horizontalAdvance(segno) + 28);
    return b;
}

} // namespace

ReportPreview::ReportPreview(const PageModel& pages, Prompts& p, QWidget* parent)
    : QDialog(parent), model(pages), prompts(p)
{
    setWindowTitle(QStringLiteral("Anteprima di stampa"));
    adattaAlloSchermo();

    btnPrima = freccia(QStringLiteral("|<"), QStringLiteral("Prima pagina"), this);
    btnPrecedente = freccia(QStringLiteral("<"), QStringLiteral("Pagina precedente"), this);
    btnSuccessiva = freccia(QStringLiteral(">"), QStringLiteral("Pagina successiva"), this);
    btnUltima = freccia(QStringLiteral(">|"), QStringLiteral("Ultima pagina"), this);
    lblPagina = new QLabel(this);
    cbZoom = new QComboBox(this);
    for (const ZoomChoice& z : zoomChoices)
        cbZoom->addItem(QString::fromUtf8(z.text), z.percent);
    btnStampa = pulsante(QStringLiteral("Stampa"), QStringLiteral("Stampa il documento"), this);
    btnEsporta = pulsante(QStringLiteral("Esporta PDF..."), QStringLiteral("Salva il documento in un file PDF"), this);
    btnChiudi = pulsante(QStringLiteral("Chiudi"), QStringLiteral("Chiude l'anteprima"), this);

    auto* barra = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(btnPrima), static_cast<QWidget*>(btnPrecedente),
                       static_cast<QWidget*>(lblPagina), static_cast<QWidget*>(btnSuccessiva),
                       static_cast<QWidget*>(btnUltima), static_cast<QWidget*>(cbZoom)})
        barra->addWidget(w);
    barra->addStretch();
    barra->addWidget(btnStampa);
    barra->addWidget(btnEsporta);
    barra->addWidget(btnChiudi);

    view = new PreviewPageView(model, this);
    area = new QScrollArea(this);
    area->setWidget(view);
    area->setAlignment(Qt::AlignCenter);
    area->setBackgroundRole(QPalette::Dark);
    area->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(barra);
    layout->addWidget(area, 1);

    connect(btnPrima, &QPushButton::clicked, this, &ReportPreview::primaPagina);
    connect(btnPrecedente, &QPushButton::clicked, this, &ReportPreview::paginaPrecedente);
    connect(btnSuccessiva, &QPushButton::clicked, this, &ReportPreview::paginaSuccessiva);
    connect(btnUltima, &QPushButton::clicked, this, &ReportPreview::ultimaPagina);
    connect(cbZoom, &QComboBox::activated, this, &ReportPreview::zoomScelto);
    connect(btnStampa, &QPushButton::clicked, this, &ReportPreview::stampa);
    connect(btnEsporta, &QPushButton::clicked, this, &ReportPreview::esportaPdf);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);

    setZoom(-1);
}

ReportPreview::~ReportPreview() = default;

// Most of the height of the screen the window opens on (its parent's), and a width that shows a
// portrait page well, centred there; a small screen gets what it has.
void ReportPreview::adattaAlloSchermo()
{
    const QWidget* sopra = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* schermo = sopra && sopra->screen() ? sopra->screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    const QRect area = schermo->availableGeometry();
    constexpr int cornice = 60;         // title bar and borders, which the size leaves out
    const int altezza = std::max(200, area.height() - cornice);
    const int larghezza = std::max(300, std::min(area.width() - cornice, std::max(altezza, 900)));
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(larghezza, altezza), area));
}

void ReportPreview::showPage(int index)
{
    current = std::clamp(index, 0, std::max(0, model.pageCount() - 1));
    aggiorna();
}

void ReportPreview::setZoom(int percent)
{
    zoomPercent = percent;
    int i = cbZoom->findData(percent);
    if (i < 0) {
        cbZoom->addItem(QStringLiteral("%1%").arg(percent), percent);
        i = cbZoom->count() - 1;
    }
    cbZoom->setCurrentIndex(i);
    aggiorna();
}

QString ReportPreview::pageCaption() const
{
    return QStringLiteral("Pagina %1 di %2").arg(model.isEmpty() ? 0 : current + 1).arg(model.pageCount());
}

void ReportPreview::primaPagina() { showPage(0); }
void ReportPreview::paginaPrecedente() { showPage(current - 1); }
void ReportPreview::paginaSuccessiva() { showPage(current + 1); }
void ReportPreview::ultimaPagina() { showPage(model.pageCount() - 1); }

void ReportPreview::stampa()
{
    if (model.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    if (!prompts.printSetup(printer))
        return;
    if (!model.print(printer))
        prompts.error(QStringLiteral("Impossibile stampare il documento."));
}

QString ReportPreview::proposedPdf() const
{
    QString cartella = lastFolder;
    if (cartella.isEmpty())
        cartella = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (cartella.isEmpty() || !QDir(cartella).exists())
        cartella = QDir::currentPath();
    // Characters no file name may hold become dashes.
    QString nome = documentName.trimmed();
    for (QChar& c : nome)
        if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    if (nome.isEmpty())
        nome = QStringLiteral("Documento");
    return QDir(cartella).filePath(nome + QStringLiteral(".pdf"));
}

void ReportPreview::esportaPdf()
{
    QString file = prompts.saveFile(QStringLiteral("Esporta PDF"), proposedPdf(), QStringLiteral("Documenti PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    if (!model.writePdf(file, documentName)) {
        prompts.error(QStringLiteral("Impossibile scrivere il file %1.").arg(file));
        return;
    }
    lastFolder = QFileInfo(file).absolutePath();
}

void ReportPreview::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageDown: paginaSuccessiva(); return;
    case Qt::Key_PageUp: paginaPrecedente(); return;
    case Qt::Key_Home: primaPagina(); return;
    case Qt::Key_End: ultimaPagina(); return;
    default: QDialog::keyPressEvent(e);
    }
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == area->viewport() && e->type() == QEvent::Resize && zoomPercent <= 0)
        aggiorna();
    return QDialog::eventFilter(watched, e);
}

void ReportPreview::zoomScelto(int index)
{
    setZoom(cbZoom->itemData(index).toInt());
}

double ReportPreview::pixelsPerMm() const
{
    const double real = logicalDpiX() / 25.4;
    if (zoomPercent > 0 || model.isEmpty())
        return real * std::max(zoomPercent, 10) / 100.0;
    const QSizeF mm = model.page(current).size;
    const QSize room = area->viewport()->size() - QSize(30, 30);
    const double width = room.width() / mm.width();
    return zoomPercent < 0 ? width : std::min(width, room.height() / mm.height());
}

void ReportPreview::aggiorna()
{
    const bool any = !model.isEmpty();
    btnPrima->setEnabled(any && current > 0);
    btnPrecedente->setEnabled(any && current > 0);
    btnSuccessiva->setEnabled(any && current < model.pageCount() - 1);
    btnUltima->setEnabled(any && current < model.pageCount() - 1);
    btnStampa->setEnabled(any);
    btnEsporta->setEnabled(any);
    lblPagina->setText(pageCaption());
    view->showPage(current, std::max(0.5, pixelsPerMm()));
}
