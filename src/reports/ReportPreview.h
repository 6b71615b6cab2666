#pragma once
#include <QDialog>
#include <functional>

class PageModel;
class Prompts;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class PreviewPageView;

// The print preview: one page at a time with page navigation and zoom, printing through the
// print dialog, export to PDF and "Chiudi". It takes most of the screen it opens on and shows
// the page across its width unless told otherwise.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(const PageModel& pages, Prompts& prompts, QWidget* parent = nullptr);
    ~ReportPreview() override;

    int currentPage() const { return current; }         // index, from 0
    void showPage(int index);
    // Zoom in percent of the real size; 0 fits the whole page, -1 the page width.
    void setZoom(int percent);
    int zoom() const { return zoomPercent; }
    QString pageCaption() const;                         // "Pagina 1 di 2"
    // The document's name, proposed as the name of the exported file.
    void setDocumentName(const QString& name) { documentName = name; }
    // The file "Esporta PDF..." proposes: the document's name in the folder last exported to
    // (at first the user's documents folder).
    QString proposedPdf() const;
    // The folder of the last export, for the rest of the run.
    static inline QString lastFolder;

    // When set, a report's preview hands the window to it instead of running it modally
    // (tests look at the window without a modal loop).
    static inline std::function<void(ReportPreview&)> runner;

    QPushButton* btnPrima = nullptr;
    QPushButton* btnPrecedente = nullptr;
    QPushButton* btnSuccessiva = nullptr;
    QPushButton* btnUltima = nullptr;
    QComboBox* cbZoom = nullptr;
    QPushButton* btnStampa = nullptr;
    QPushButton* btnEsporta = nullptr;
    QPushButton* btnChiudi = nullptr;

public Q_SLOTS:
    void primaPagina();
    void paginaPrecedente();
    void paginaSuccessiva();
    void ultimaPagina();
    // Through the print dialog; the pages as laid out, without running the report again.
    void stampa();
    // Asks for a file name through the save dialog and writes the pages as PDF.
    void esportaPdf();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    // The fitted zooms follow the room the page has.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void zoomScelto(int index);
    void adattaAlloSchermo();
    void aggiorna();
    double pixelsPerMm() const;

    const PageModel& model;
    Prompts& prompts;
    int current = 0;
    int zoomPercent = -1;
    QString documentName;
    QLabel* lblPagina = nullptr;
    QScrollArea* area = nullptr;
    PreviewPageView* view = nullptr;
};
