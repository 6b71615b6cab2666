#pragma once
#include <QDialog>

class GruppoFE;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDataModule1;

// "Emissione nota di credito": the credit note, as an electronic invoice only, on the periodic
// invoice of the current customer as the last invoice run left it.
class TFrmNotaCre : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmNotaCre(TDataModule1& dm, QWidget* parent = nullptr);

    QLineEdit* MaskEdit2;      // "Data emissione"
    QSpinBox* SpinEdit2;       // "Anno di riferimento"
    GruppoFE* grpFE;           // "Fatture Elettroniche"
    QPushButton* BitBtn2;      // "Chiudi"

    // "Genera": the credit notes of the current customer.
    QStringList GeneraNota();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDataModule1& dm;
};
