#pragma once
#include "SessioneFE.h"
#include <QDialog>

class GruppoFE;
class QGridLayout;
class QLineEdit;
class QPushButton;
class TDataModule1;

// "Emissione nota di credito", the window both kinds of credit note are issued from: the date
// of issue, the fields a kind adds below it, the group "Fatture Elettroniche" and "Chiudi".
// The credit note exists only as an electronic invoice.
class EmissioneNotaCredito : public QDialog
{
    Q_OBJECT
public:
    QLineEdit* MaskEdit2;      // "Data emissione"
    GruppoFE* grpFE;           // "Fatture Elettroniche"
    QPushButton* BitBtn2;      // "Chiudi"

protected:
    EmissioneNotaCredito(TDataModule1& dm, SessioneFE::Schermata schermata, QWidget* parent);

    // A captioned field below the date.
    void aggiungiCampo(const QString& didascalia, QWidget* campo);
    QDate dataEmissione() const;
    // On opening: the group's state and today's date.
    void showEvent(QShowEvent* e) override;

    TDataModule1& dm;

private:
    QGridLayout* campi;
    QWidget* ultimoCampo = nullptr;
};
