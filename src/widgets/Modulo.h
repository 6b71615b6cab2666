#pragma once
#include <QString>
#include <Qt>
#include <functional>
#include <initializer_list>

class DataSource;
class Prompts;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QWidget;

// Labelled data-aware fields laid out from a table: each row of the table says the caption,
// the field, the cell and the width, and the kit makes the control, its caption (whose
// accelerator takes the focus to it) and puts both on the grid. See src/widgets/README.md.

// The frame of a window of fixed size: a title with only the close button.
constexpr Qt::WindowFlags finestraFissa = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                                          | Qt::MSWindowsFixedSizeDialogHint;

// The layout of a small window: its parts one below the other, inside the house margins.
QVBoxLayout* colonnaFinestra(QWidget* finestra, int spaziatura = 12);

// Width of a box that holds n digits of a widget's font, with its frame.
int larghezzaCaratteri(const QWidget* w, int caratteri);

// A caption whose accelerator takes the focus to its control. A second "&" in the caption
// ("&Denominazione (&1)") is one more accelerator of the same control.
QLabel* etichetta(const QString& testo, QWidget* controllo, QWidget* parent);

// A field that is shown but never typed into: a sunken box as tall as an edit box.
void comeCampoSoloLettura(QLabel* l, int larghezza);

// What makes the controls of a form. The form of a screen gets data-aware controls
// (ControlliVivi); the panels of GrigliaPannelli that only show a record get read-only copies.
class Controlli
{
public:
    virtual ~Controlli() = default;
    // True when the controls are data-aware.
    virtual bool vivo() const = 0;
    // A one-line box over a field (text turned to upper case when asked).
    virtual QWidget* testo(const QString& campo, bool maiuscolo = false) = 0;
    // A date box ("  /  /    " when empty).
    virtual QWidget* data(const QString& campo) = 0;
    virtual QCheckBox* spunta(const QString& didascalia, const QString& campo, bool treStati = false) = 0;
    // A caption; for live controls its accelerator takes the focus to the control.
    virtual QLabel* etichetta(const QString& testo, QWidget* controllo) = 0;
    // A framed group; for live controls its accelerator takes the focus inside.
    virtual QGroupBox* riquadro(const QString& titolo) = 0;
};

// Data-aware controls over a data source, named after their field (objectName).
class ControlliVivi : public Controlli
{
public:
    ControlliVivi(DataSource* src, Prompts& prompts, QWidget* parent) : src(src), prompts(prompts), parent(parent) {}

    // Text and date boxes turn aqua and bold while they have the focus.
    bool coloreFuoco = false;

    bool vivo() const override { return true; }
    QWidget* testo(const QString& campo, bool maiuscolo = false) override;
    QWidget* data(const QString& campo) override;
    QCheckBox* spunta(const QString& didascalia, const QString& campo, bool treStati = false) override;
    QLabel* etichetta(const QString& testo, QWidget* controllo) override;
    QGroupBox* riquadro(const QString& titolo) override;

private:
    DataSource* src;
    Prompts& prompts;
    QWidget* parent;
};

// Where the control made for a row goes: a member of the window of the control's type
// (`.dove = &edtMastro`), filled in once the control exists.
class Destinazione
{
public:
    Destinazione() = default;
    // A null pointer is no destination: the panels' read-only copies pass one.
    template <class T>
    Destinazione(T** membro)
    {
        if (membro)
            assegna = [membro](QWidget* w) { *membro = dynamic_cast<T*>(w); };
    }
    void operator()(QWidget* w) const
    {
        if (assegna)
            assegna(w);
    }

private:
    std::function<void(QWidget*)> assegna;
};

// One row of a form: the caption in column `colonna` and the control in the next, spanning
// `ampiezza` columns. A check box has no caption of its own: it stands in `colonna`.
struct VoceModulo
{
    enum Tipo { Testo, Maiuscolo, Data, Spunta };

    QString etichetta;              // with its accelerator; the text of a check box
    QString campo;                  // stored field name
    int riga = 0;
    int colonna = 0;
    int ampiezza = 1;
    int caratteri = 0;              // a fixed width in digits; 0: as wide as its cells
    Qt::Alignment allinea = {};     // of the control in its cells (AlignLeft lets the column grow)
    Tipo tipo = Testo;
    QWidget* controllo = nullptr;   // a control made by the window (a drop-down, a button)
    Destinazione dove;
    QString suggerimento;
    Qt::Alignment allineaEtichetta = {};
};

// Puts the rows of a form on a grid, making their controls with `c`.
void disponiCampi(QGridLayout* griglia, Controlli& c, std::initializer_list<VoceModulo> voci);
