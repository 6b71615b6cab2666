#pragma once
#include "FatturazionePeriodica.h"
#include <QDialog>

class GruppoFE;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDataModule1;

// "Stampa fatture": the periodic invoices of a month, previewed or printed, for every due
// customer or for the one the customer screen's "Fattura" button names. The run and the print
// are FatturazionePeriodica's; the window holds the choices and the print dialog.
class TFrmFatture : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmFatture(TDataModule1& dm, QWidget* parent = nullptr);

    QSpinBox* SpinEdit1;        // "Giorno": the last day of the billing period
    QComboBox* ComboBox1;       // "Mese di riferimento"
    QSpinBox* SpinEdit2;        // "Anno"
    QLineEdit* MaskEdit2;       // "Data di stampa"
    QPushButton* BtnPreview;    // "Anteprima"
    QPushButton* BtnPrint;      // "Stampa"
    QPushButton* BitBtn2;       // "Chiudi"
    GruppoFE* grpFE;            // "Fatture Elettroniche"

    // Code of the only customer to invoice; empty for all. The main menu empties it, the
    // customer screen sets it.
    QString ClienteSingolo;

    // The invoiced month (set when a run starts) and the period-end day ("Giorno" as text).
    int mese = 0;
    QString finePeriodo;

    // What the controls hold, as the run takes it.
    ScelteFatture Scelte() const;

    void BtnPreviewClick();
    void BtnPrintClick();
    void ComboBox1Change();
    void SpinEdit1Change();

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The days of the chosen month become the maximum of "Giorno" and, with `imposta`, its value.
    void limitaGiorno(bool imposta);
    // The e-invoice "Genera": the run again, without numbers.
    QStringList GeneraFE();

    TDataModule1& dm;
};
