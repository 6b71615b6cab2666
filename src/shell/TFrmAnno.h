#pragma once
#include <QDialog>

class QSpinBox;
class QPushButton;
class TDataModule1;

// The choice of the fiscal year, at start-up and from the menu. The dialog can only be left
// through OK, which switches the data module to the year chosen.
class TFrmAnno : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmAnno(TDataModule1& dm, QWidget* parent = nullptr);

    QSpinBox* speAnno;
    QPushButton* btnOK;

    void reject() override;   // Escape does not close the dialog

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void BtnOKClick();

    TDataModule1& dm;
    int valoreAllaApertura = 0;
    bool chiusuraConOK = false;
};
