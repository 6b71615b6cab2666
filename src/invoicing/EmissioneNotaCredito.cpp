#include "EmissioneNotaCredito.h"

#include "Clock.h"
#include "DateIt.h"
#include "GruppoFE.h"
#include "Modulo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

EmissioneNotaCredito::EmissioneNotaCredito(TDataModule1& dm, SessioneFE::Schermata schermata, QWidget* parent)
    : QDialog(parent, finestraFissa), dm(dm)
{
    setWindowTitle(QStringLiteral("Emissione nota di credito"));
    MaskEdit2 = new QLineEdit(this);
    MaskEdit2->setInputMask(QStringLiteral("99/99/9999; "));
    MaskEdit2->setFixedWidth(larghezzaCaratteri(MaskEdit2, 10));
    grpFE = new GruppoFE(dm, schermata, this);
    grpFE->dataEmissione = [this] { return dataEmissione(); };
    BitBtn2 = new QPushButton(QStringLiteral("Chiudi"), this);
    BitBtn2->setAutoDefault(false);

    campi = new QGridLayout;
    campi->setHorizontalSpacing(8);
    campi->setColumnStretch(2, 1);
    aggiungiCampo(QStringLiteral("Data &emissione"), MaskEdit2);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn2);
    auto* l = colonnaFinestra(this);
    l->addLayout(campi);
    l->addWidget(grpFE);
    l->addLayout(pulsanti);
    setFixedSize(sizeHint());

    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void EmissioneNotaCredito::aggiungiCampo(const QString& didascalia, QWidget* campo)
{
    const int riga = campi->rowCount() - (campi->isEmpty() ? 1 : 0);
    campi->addWidget(etichetta(didascalia, campo, this), riga, 0);
    campi->addWidget(campo, riga, 1, Qt::AlignLeft);
    // Tab goes down the fields before the group, whenever a field is made.
    if (ultimoCampo)
        setTabOrder(ultimoCampo, campo);
    ultimoCampo = campo;
    if (layout())
        setFixedSize(sizeHint());
}

QDate EmissioneNotaCredito::dataEmissione() const
{
    return parseDate(MaskEdit2->text());
}

void EmissioneNotaCredito::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    grpFE->Mostra();
    MaskEdit2->setText(formatDate(oggi()));
}
