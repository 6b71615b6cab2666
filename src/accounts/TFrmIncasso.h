#pragma once
#include <QDialog>

class IncassiCliente;
class QDateEdit;
class QLabel;
class QPushButton;
class TDataModule1;

// "Incasso": the question whether to collect the open invoice selected on the collection
// screen, and the date of the collection. "&Si" collects it and closes with Accepted.
class TFrmIncasso : public QDialog
{
    Q_OBJECT
public:
    TFrmIncasso(TDataModule1& dm, IncassiCliente& incassi, QWidget* parent = nullptr);

    QLabel* lblDomanda;
    QPushButton* btnSi;
    QPushButton* btnNo;
    QDateEdit* dtpDataIncasso;

    void btnSiClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDataModule1& dm;
    IncassiCliente& incassi;
};
