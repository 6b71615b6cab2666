#include "TFrmDataSospeso.h"
#include "Centra.h"
#include "Prompts.h"
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrmDataSospeso::TFrmDataSospeso(Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), prompts(prompts)
{
    auto* pannello = new QFrame(this);
    pannello->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pannello->setLineWidth(2);

    auto* lblData = new QLabel("Data operazione", pannello);
    edtData = new QLineEdit(pannello);
    edtData->setInputMask("99/99/9999; ");
    edtData->setFixedWidth(edtData->fontMetrics().horizontalAdvance("00/00/00000") + 12);
    lblData->setBuddy(edtData);

    btnOK = new QPushButton("OK", pannello);
    btnOK->setDefault(true);
    btnChiudi = new QPushButton("Chiudi", pannello);
    btnChiudi->setAutoDefault(false);

    auto* riga = new QHBoxLayout;
    riga->addWidget(lblData);
    riga->addWidget(edtData);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(btnOK);
    pulsanti->addWidget(btnChiudi);
    auto* interno = new QVBoxLayout(pannello);
    interno->setContentsMargins(14, 14, 14, 12);
    interno->setSpacing(12);
    interno->addLayout(riga);
    interno->addLayout(pulsanti);
    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(0, 0, 0, 0);
    esterno->addWidget(pannello);
    setFixedSize(sizeHint());

    connect(btnOK, &QPushButton::clicked, this, &TFrmDataSospeso::BtnOKClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFrmDataSospeso::testo() const
{
    return edtData->displayText();
}

void TFrmDataSospeso::showEvent(QShowEvent* e)
{
    edtData->clear();
    edtData->setFocus();
    centraSulloSchermo(*this);
    QDialog::showEvent(e);
}

void TFrmDataSospeso::BtnOKClick()
{
    const QString t = testo();
    bool vuota = QString(t).remove(' ').remove('/').isEmpty();
    if (!vuota && !QDate::fromString(t, "dd/MM/yyyy").isValid()) {
        prompts.error("Data errata. Ripetere.");
        edtData->selectAll();
        edtData->setFocus();
        return;
    }
    accept();
}
