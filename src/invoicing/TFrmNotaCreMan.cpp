#include "TFrmNotaCreMan.h"

#include "Clock.h"
#include "DateIt.h"
#include "GruppoFE.h"
#include "Modulo.h"
#include "TDataModule1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmNotaCreMan::TFrmNotaCreMan(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dm(dm)
{
    setWindowTitle(QStringLiteral("Emissione nota di credito"));
    MaskEdit2 = new QLineEdit(this);
    MaskEdit2->setInputMask(QStringLiteral("99/99/9999; "));
    MaskEdit2->setFixedWidth(larghezzaCaratteri(MaskEdit2, 10));
    grpFE = new GruppoFE(dm, SessioneFE::Schermata::NotaCreMan, this);
    grpFE->genera = [this] { return grpFE->sessione.GeneraManuale(parseDate(MaskEdit2->text())); };
    grpFE->dataEmissione = [this] { return parseDate(MaskEdit2->text()); };
    BitBtn2 = new QPushButton(QStringLiteral("Chiudi"), this);
    BitBtn2->setAutoDefault(false);

    auto* riga = new QHBoxLayout;
    riga->setSpacing(8);
    riga->addWidget(etichetta(QStringLiteral("Data &emissione"), MaskEdit2, this));
    riga->addWidget(MaskEdit2);
    riga->addStretch();
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn2);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(14, 14, 14, 12);
    l->setSpacing(12);
    l->addLayout(riga);
    l->addWidget(grpFE);
    l->addLayout(pulsanti);
    setFixedSize(sizeHint());

    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmNotaCreMan::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    grpFE->Mostra();
    MaskEdit2->setText(formatDate(oggi()));
}
