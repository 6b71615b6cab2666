#include "TFrmNotaCre.h"

#include "Clock.h"
#include "DateIt.h"
#include "GruppoFE.h"
#include "Modulo.h"
#include "TDataModule1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

TFrmNotaCre::TFrmNotaCre(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dm(dm)
{
    setWindowTitle(QStringLiteral("Emissione nota di credito"));
    MaskEdit2 = new QLineEdit(this);
    MaskEdit2->setInputMask(QStringLiteral("99/99/9999; "));
    MaskEdit2->setFixedWidth(larghezzaCaratteri(MaskEdit2, 10));
    SpinEdit2 = new QSpinBox(this);
    SpinEdit2->setRange(2016, 2999);
    SpinEdit2->setFixedWidth(larghezzaCaratteri(SpinEdit2, 7));
    grpFE = new GruppoFE(dm, SessioneFE::Schermata::NotaCre, this);
    grpFE->genera = [this] { return GeneraNota(); };
    grpFE->dataEmissione = [this] { return parseDate(MaskEdit2->text()); };
    BitBtn2 = new QPushButton(QStringLiteral("Chiudi"), this);
    BitBtn2->setAutoDefault(false);

    auto* campi = new QGridLayout;
    campi->setHorizontalSpacing(8);
    campi->addWidget(etichetta(QStringLiteral("Data &emissione"), MaskEdit2, this), 0, 0);
    campi->addWidget(MaskEdit2, 0, 1, Qt::AlignLeft);
    campi->addWidget(etichetta(QStringLiteral("&Anno di riferimento"), SpinEdit2, this), 1, 0);
    campi->addWidget(SpinEdit2, 1, 1, Qt::AlignLeft);
    campi->setColumnStretch(2, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn2);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(14, 14, 14, 12);
    l->setSpacing(12);
    l->addLayout(campi);
    l->addWidget(grpFE);
    l->addLayout(pulsanti);
    setFixedSize(sizeHint());

    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmNotaCre::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    grpFE->Mostra();
    MaskEdit2->setText(formatDate(oggi()));
    SpinEdit2->setValue(dm.annoEsercizio() ? dm.annoEsercizio() : oggi().year());
}

QStringList TFrmNotaCre::GeneraNota()
{
    if (!dm.TblClienti.active() || dm.TblClienti.isEmpty())
        return {};
    return grpFE->sessione.GeneraNoteCredito(dm.TblClienti["Codice"].asFloat(), QString::number(SpinEdit2->value()),
                                             parseDate(MaskEdit2->text()));
}
