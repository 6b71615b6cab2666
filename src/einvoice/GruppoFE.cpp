#include "GruppoFE.h"

#include "DateIt.h"
#include "TDataModule1.h"
#include "TFrmValVisFE.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

GruppoFE::GruppoFE(TDataModule1& dm, SessioneFE::Schermata schermata, QWidget* parent, const QString& titolo)
    : QGroupBox(titolo, parent), sessione(dm, schermata), dm(dm)
{
    leFileName = new QLineEdit(this);
    leFileName->setReadOnly(true);
    leFileName->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("IT01234567890_00000.xml")) + 16);
    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setInputMask(QStringLiteral("99/99/9999;_"));
    MaskEdit1->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);

    BitBtn3 = new QPushButton(QStringLiteral("Genera"), this);
    bbValVis = new QPushButton(QStringLiteral("Valida"), this);
    bbValVis->setToolTip(QStringLiteral("Valida / Visualizza Fattura Elettronica"));
    BitBtn1 = new QPushButton(QStringLiteral("Salva..."), this);
    for (QPushButton* b : {BitBtn3, bbValVis, BitBtn1})
        b->setAutoDefault(false);

    auto* nome = new QLabel(QStringLiteral("Nome file"), this);
    nome->setBuddy(leFileName);
    auto* invio = new QLabel(QStringLiteral("Data ultimo invio"), this);
    invio->setBuddy(MaskEdit1);

    auto* griglia = new QGridLayout(this);
    griglia->setHorizontalSpacing(8);
    griglia->setVerticalSpacing(4);
    griglia->addWidget(nome, 0, 0);
    griglia->addWidget(invio, 0, 1);
    griglia->addWidget(leFileName, 1, 0);
    griglia->addWidget(MaskEdit1, 1, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(BitBtn3);
    pulsanti->addWidget(bbValVis);
    pulsanti->addWidget(BitBtn1);
    pulsanti->addStretch();
    griglia->addLayout(pulsanti, 2, 0, 1, 2);
    griglia->setColumnStretch(0, 1);

    apriValidazione = [this](const QString& percorso) { TFrmValVisFE::DelModulo(this->dm, window()).Apri(percorso); };

    connect(BitBtn3, &QPushButton::clicked, this, &GruppoFE::BitBtn3Click);
    connect(bbValVis, &QPushButton::clicked, this, &GruppoFE::bbValVisClick);
    connect(BitBtn1, &QPushButton::clicked, this, &GruppoFE::BitBtn1Click);
}

void GruppoFE::Mostra()
{
    try {
        sessione.Mostra();
        MaskEdit1->setText(formatDate(sessione.dataUltimoInvio()));
    } catch (const LavError& e) {
        dm.prompts.standardError(e.message());
    }
    leFileName->clear();
}

// Generates, then tells at once which files the exchange system would refuse.
void GruppoFE::BitBtn3Click()
{
    if (!genera)
        return;
    QStringList scritti;
    {
        BusyScope attesa(dm.prompts);
        scritti = genera();
    }
    leFileName->setText(sessione.nomeFile);
    const QStringList problemi = sessione.Controlla(scritti);
    if (problemi.isEmpty())
        return;
    const int mostrati = 10;
    QString testo = problemi.size() == 1
                        ? QStringLiteral("Attenzione: questa fattura elettronica non supera i controlli:\n\n")
                        : QStringLiteral("Attenzione: %1 fatture elettroniche non superano i controlli:\n\n")
                              .arg(problemi.size());
    testo += problemi.mid(0, mostrati).join(QStringLiteral("\n\n"));
    if (problemi.size() > mostrati)
        testo += QStringLiteral("\n\n... e altre %1.").arg(problemi.size() - mostrati);
    dm.prompts.warning(testo);
}

void GruppoFE::bbValVisClick()
{
    if (apriValidazione)
        apriValidazione(sessione.percorsoValidazione());
}

void GruppoFE::BitBtn1Click()
{
    if (!sessione.ControllaPrimaDiSalvare(MaskEdit1->text()))
        return;
    const QString proposta = QDir(sessione.cartellaEsportazione).filePath(sessione.nomeFile);
    const QString scelto = dm.prompts.saveFile(QStringLiteral("Salva"), proposta, QStringLiteral("File xml (*.xml)"));
    if (scelto.isEmpty())
        return;
    BusyScope attesa(dm.prompts);
    sessione.Salva(QFileInfo(scelto).absolutePath(), MaskEdit1->text(), dataEmissione ? dataEmissione() : QDate());
}
