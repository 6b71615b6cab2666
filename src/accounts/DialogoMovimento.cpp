#include "DialogoMovimento.h"

#include "Centra.h"
#include "DataSource.h"
#include "DbAction.h"
#include "DbEdit.h"
#include "PendingEdits.h"
#include "TDataModule1.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

DialogoMovimento::DialogoMovimento(const QString& titolo, TDataModule1& d, IncassiCliente& i, DataSource& s,
                                   QWidget* parent)
    : QDialog(parent), dm(d), incassi(i), ds(s)
{
    setWindowTitle(titolo);
}

void DialogoMovimento::disponi(std::initializer_list<VoceModulo> voci)
{
    ControlliVivi controlli(&ds, dm.prompts, this);
    controlli.coloreFuoco = true;
    auto* campi = new QGridLayout;
    disponiCampi(campi, controlli, voci);
    for (DbEdit* importo : {edtImporto, edtFattura})
        if (importo)
            importo->setAlignment(Qt::AlignRight);
    // The buttons come after the boxes, so that Tab reaches them last.
    btnRegistra = new QPushButton(QStringLiteral("&Registra"), this);
    btnRegistra->setToolTip(QStringLiteral("Registra il movimento"));
    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setToolTip(QStringLiteral("Interrompe l'operazione"));
    btnRegistra->setAutoDefault(false);
    btnAnnulla->setAutoDefault(false);
    connect(btnRegistra, &QPushButton::clicked, this, &DialogoMovimento::btnRegistraClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(btnRegistra);
    pulsanti->addWidget(btnAnnulla);
    auto* l = new QVBoxLayout(this);
    l->addLayout(campi);
    l->addLayout(pulsanti);
}

void DialogoMovimento::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    runDbAction(dm.prompts, [this] { prepara(); });
    centraSulloSchermo(*this);
    if (campoIniziale)
        campoIniziale->setFocus();
}

void DialogoMovimento::btnRegistraClick()
{
    if (!PendingEdits::writeAll(ds.dataset()))
        return;
    if (runDbAction(dm.prompts, [this] { registra(); }))
        accept();
}
