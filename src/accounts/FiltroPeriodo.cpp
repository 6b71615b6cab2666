#include "FiltroPeriodo.h"

#include "Clock.h"
#include "Modulo.h"
#include "SceltaData.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

FiltroPeriodo::FiltroPeriodo(QWidget* parent) : QGroupBox(QStringLiteral("Filtro"), parent)
{
    chkAttivato = new QCheckBox(QStringLiteral("Atti&vato"), this);
    dtpDaData = new SceltaData(this);
    dtpDaData->setObjectName(QStringLiteral("dtpDaData"));
    dtpAData = new SceltaData(this);
    dtpAData->setObjectName(QStringLiteral("dtpAData"));
    auto* f = new QHBoxLayout(this);
    f->setContentsMargins(6, 2, 6, 4);
    f->addWidget(chkAttivato);
    f->addWidget(etichetta(QStringLiteral("&Da data"), dtpDaData, this));
    f->addWidget(dtpDaData);
    f->addWidget(etichetta(QStringLiteral("&A data"), dtpAData, this));
    f->addWidget(dtpAData);
}

// Setting the period is not a change the user made: no screen hears of it.
void FiltroPeriodo::reimposta()
{
    const QSignalBlocker fermaDa(dtpDaData);
    const QSignalBlocker fermaA(dtpAData);
    chkAttivato->setChecked(false);
    dtpDaData->setDate(QDate(oggi().year(), 1, 1));
    dtpAData->setDate(oggi());
}

bool FiltroPeriodo::attivo() const
{
    return chkAttivato->isChecked();
}

QDate FiltroPeriodo::da() const
{
    return dtpDaData->date();
}

QDate FiltroPeriodo::a() const
{
    return dtpAData->date();
}
