#pragma once
#include <QDialog>

class GruppoFE;
class QLineEdit;
class QPushButton;
class TDataModule1;

// "Emissione nota di credito": the credit note, as an electronic invoice only, on the manual
// invoice shown in the manual invoice window.
class TFrmNotaCreMan : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmNotaCreMan(TDataModule1& dm, QWidget* parent = nullptr);

    QLineEdit* MaskEdit2;      // "Data emissione"
    GruppoFE* grpFE;           // "Fatture Elettroniche"
    QPushButton* BitBtn2;      // "Chiudi"

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDataModule1& dm;
};
