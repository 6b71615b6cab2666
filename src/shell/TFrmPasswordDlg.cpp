#include "TFrmPasswordDlg.h"
#include "Centra.h"
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString password = QStringLiteral("tarquil");

} // namespace

TFrmPasswordDlg::TFrmPasswordDlg(TDataModule1&, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle("Password Dialog");
    auto* lblPassword = new QLabel("&Inserisci la password:", this);
    edtPassword = new QLineEdit(this);
    edtPassword->setEchoMode(QLineEdit::Password);
    // Every character typed shows as an asterisk.
    edtPassword->setStyleSheet("lineedit-password-character: 42");
    edtPassword->setMinimumWidth(220);
    lblPassword->setBuddy(edtPassword);
    btnOK = new QPushButton("OK", this);
    btnOK->setDefault(true);
    btnChiudi = new QPushButton("Chiudi", this);
    btnChiudi->setToolTip("Chiudi");
    btnChiudi->setAutoDefault(false);
    for (QPushButton* b : {btnOK, btnChiudi})
        b->setMinimumWidth(80);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(btnOK);
    pulsanti->addWidget(btnChiudi);
    pulsanti->addStretch();
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(18, 16, 18, 14);
    l->setSpacing(6);
    l->addWidget(lblPassword);
    l->addWidget(edtPassword);
    l->addSpacing(10);
    l->addLayout(pulsanti);
    setFixedSize(sizeHint());

    connect(btnOK, &QPushButton::clicked, this, &TFrmPasswordDlg::BtnOKClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmPasswordDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    centraSulloSchermo(*this);
    edtPassword->setFocus();
}

void TFrmPasswordDlg::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (!e->spontaneous())
        edtPassword->clear();
}

// A wrong password leaves the dialog open without a word.
void TFrmPasswordDlg::BtnOKClick()
{
    if (edtPassword->text() == password)
        accept();
}
