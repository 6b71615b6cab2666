#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;
class TDataModule1;

// "Password Dialog": the lock in front of the direct ledger screen. OK closes it only on the
// right password, letter case included; the text typed never outlives the dialog.
class TFrmPasswordDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmPasswordDlg(TDataModule1& dm, QWidget* parent = nullptr);

    QLineEdit* edtPassword;
    QPushButton* btnOK;
    QPushButton* btnChiudi;

    void BtnOKClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
};
