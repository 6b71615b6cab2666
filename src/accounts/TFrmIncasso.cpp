#include "TFrmIncasso.h"

#include "Centra.h"
#include "Clock.h"
#include "DbAction.h"
#include "IncassiCliente.h"
#include "Modulo.h"
#include "SceltaData.h"
#include "TDataModule1.h"
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmIncasso::TFrmIncasso(TDataModule1& d, IncassiCliente& i, QWidget* parent) : QDialog(parent), dm(d), incassi(i)
{
    setWindowTitle(QStringLiteral("Incasso"));
    lblDomanda = new QLabel(this);
    lblDomanda->setWordWrap(true);
    dtpDataIncasso = new SceltaData(this);
    dtpDataIncasso->setObjectName(QStringLiteral("dtpDataIncasso"));
    btnSi = new QPushButton(QStringLiteral("&Si"), this);
    btnNo = new QPushButton(QStringLiteral("&No"), this);
    btnSi->setAutoDefault(false);
    btnNo->setAutoDefault(false);

    auto* data = new QHBoxLayout;
    data->addWidget(etichetta(QStringLiteral("&Data incasso"), dtpDataIncasso, this));
    data->addWidget(dtpDataIncasso);
    data->addStretch(1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(btnSi);
    pulsanti->addWidget(btnNo);
    auto* l = new QVBoxLayout(this);
    l->addWidget(lblDomanda);
    l->addLayout(data);
    l->addLayout(pulsanti);
    setMinimumWidth(380);

    connect(btnSi, &QPushButton::clicked, this, &TFrmIncasso::btnSiClick);
    connect(btnNo, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmIncasso::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    lblDomanda->setText(incassi.DomandaIncasso());
    dtpDataIncasso->setDate(oggi());
    centraSulloSchermo(*this);
    btnSi->setFocus();
}

void TFrmIncasso::btnSiClick()
{
    if (runDbAction(dm.prompts, [this] { incassi.Incassa(dtpDataIncasso->date()); }))
        accept();
}
