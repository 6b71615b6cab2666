#include "TFrmParametri.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbCheckBox.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "FocusColour.h"
#include "PendingEdits.h"
#include "TDataModule1.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Width of a box that holds n characters of the usual text.
int larghezzaPer(const QWidget* w, int n)
{
    return w->fontMetrics().horizontalAdvance(QString(n, QLatin1Char('M'))) * 3 / 4 + 16;
}

} // namespace

TFrmParametri::TFrmParametri(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dm(dm), dsParametri(&dm.TblParametri)
{
    setWindowTitle("Parametri");
    auto campo = [this](const QString& nome, int caratteri, bool maiuscolo) {
        auto* e = new DbEdit(&dsParametri, nome, this->dm.prompts, this);
        e->setUpperCase(maiuscolo);
        e->setFixedWidth(larghezzaPer(e, caratteri));
        FocusColour::install(e);
        return e;
    };
    auto etichetta = [this](const QString& testo, QWidget* buddy) {
        auto* l = new QLabel(testo, this);
        l->setBuddy(buddy);
        return l;
    };

    // The last invoice number of the year.
    speUltimoNumero = new QSpinBox(this);
    speUltimoNumero->setRange(0, 9999);
    speUltimoNumero->setAlignment(Qt::AlignRight);
    speUltimoNumero->setFixedWidth(90);
    auto* rigaNumero = new QHBoxLayout;
    rigaNumero->setSpacing(8);
    rigaNumero->addWidget(etichetta("&Ultimo numero fattura", speUltimoNumero));
    rigaNumero->addWidget(speUltimoNumero);
    rigaNumero->addStretch();

    // Electronic invoice: the transmission and the seller.
    edtProgrInvio = campo("FE_Progr", 6, false);
    edtProgrInvio->setAlignment(Qt::AlignRight);
    edtDataInvio = new DbDateEdit(&dsParametri, "FE_Data", dm.prompts, this);
    edtDataInvio->setFixedWidth(larghezzaPer(edtDataInvio, 11));
    FocusColour::install(edtDataInvio);
    edtPIva = campo("FE_PIva", 16, true);
    edtCedID = campo("FE_CedID", 16, true);
    edtCedNome = campo("FE_CedNome", 42, true);
    edtCedRegFisc = campo("FE_CedRegFisc", 5, true);
    edtCedIndirizzo = campo("FE_CedIndirizzo", 42, true);
    edtCedCAP = campo("FE_CedCAP", 6, true);
    edtCedComune = campo("FE_CedComune", 28, true);

    auto* grpFE = new QGroupBox("Fattura Elettronica", this);
    auto* fe = new QGridLayout(grpFE);
    fe->setHorizontalSpacing(8);
    fe->setVerticalSpacing(6);
    fe->addWidget(etichetta("Progr. invio", edtProgrInvio), 0, 0);
    auto* rigaInvio = new QHBoxLayout;
    rigaInvio->setSpacing(8);
    rigaInvio->addWidget(edtProgrInvio);
    rigaInvio->addSpacing(16);
    rigaInvio->addWidget(etichetta("Data invio", edtDataInvio));
    rigaInvio->addWidget(edtDataInvio);
    rigaInvio->addStretch();
    fe->addLayout(rigaInvio, 0, 1);
    fe->addWidget(etichetta("Id. fiscale soggetto trasmittente", edtPIva), 1, 0);
    fe->addWidget(edtPIva, 1, 1, Qt::AlignLeft);
    fe->addWidget(etichetta("Id. fiscale Cedente/Prestatore", edtCedID), 2, 0);
    fe->addWidget(edtCedID, 2, 1, Qt::AlignLeft);
    fe->addWidget(etichetta("Denominazione", edtCedNome), 3, 0);
    fe->addWidget(edtCedNome, 3, 1, Qt::AlignLeft);
    fe->addWidget(etichetta("Reg. Fisc.", edtCedRegFisc), 4, 0);
    fe->addWidget(edtCedRegFisc, 4, 1, Qt::AlignLeft);
    fe->addWidget(etichetta("Indirizzo", edtCedIndirizzo), 5, 0);
    fe->addWidget(edtCedIndirizzo, 5, 1, Qt::AlignLeft);
    fe->addWidget(etichetta("CAP", edtCedCAP), 6, 0);
    auto* rigaComune = new QHBoxLayout;
    rigaComune->setSpacing(8);
    rigaComune->addWidget(edtCedCAP);
    rigaComune->addSpacing(16);
    rigaComune->addWidget(etichetta("Comune", edtCedComune));
    rigaComune->addWidget(edtCedComune);
    rigaComune->addStretch();
    fe->addLayout(rigaComune, 6, 1);

    // The company register, inside the electronic invoice group.
    edtReaUfficio = campo("REA_Ufficio", 3, true);
    edtReaNumero = campo("REA_Numero", 14, true);
    edtReaCapSoc = campo("REA_CapSoc", 14, false);
    edtReaCapSoc->setAlignment(Qt::AlignRight);
    edtSocio = campo("REA_SocioUnico", 3, true);
    edtStato = campo("REA_StatoLiq", 3, true);
    auto* grpREA = new QGroupBox("REA", grpFE);
    auto* rea = new QGridLayout(grpREA);
    rea->setHorizontalSpacing(8);
    rea->setVerticalSpacing(6);
    rea->addWidget(etichetta("Sigla", edtReaUfficio), 0, 0);
    rea->addWidget(edtReaUfficio, 0, 1, Qt::AlignLeft);
    rea->addWidget(etichetta("Numero", edtReaNumero), 0, 2);
    rea->addWidget(edtReaNumero, 0, 3, Qt::AlignLeft);
    rea->addWidget(etichetta("Capitale sociale", edtReaCapSoc), 0, 4);
    rea->addWidget(edtReaCapSoc, 0, 5, Qt::AlignLeft);
    rea->addWidget(etichetta("Socio", edtSocio), 1, 0);
    rea->addWidget(edtSocio, 1, 1, Qt::AlignLeft);
    rea->addWidget(etichetta("Stato", edtStato), 1, 2);
    rea->addWidget(edtStato, 1, 3, Qt::AlignLeft);
    rea->setColumnStretch(6, 1);
    fe->addWidget(grpREA, 7, 0, 1, 2);

    chkSoloPA = new DbCheckBox("Estrai SOLO per PA", &dsParametri, "SoloPA", dm.prompts, grpFE);
    fe->addWidget(chkSoloPA, 8, 0, 1, 2);

    // Document types: two letters and two digits.
    edtTipoDocFatt = campo("FE_TipoDocFatt", 5, true);
    edtTipoDocNota = campo("FE_TipoDocNota", 5, true);
    for (DbEdit* e : {edtTipoDocFatt, edtTipoDocNota})
        e->setMask(">AA99; ");
    auto* grpTipo = new QGroupBox("Tipo documento", grpFE);
    auto* tipo = new QHBoxLayout(grpTipo);
    tipo->setSpacing(8);
    tipo->addWidget(etichetta("Fattura", edtTipoDocFatt));
    tipo->addWidget(edtTipoDocFatt);
    tipo->addSpacing(24);
    tipo->addWidget(etichetta("Nota credito", edtTipoDocNota));
    tipo->addWidget(edtTipoDocNota);
    tipo->addStretch();
    fe->addWidget(grpTipo, 9, 0, 1, 2);
    fe->setColumnStretch(1, 1);

    // The last credit note.
    edtNotaCre = campo("NotaCre", 6, false);
    edtNotaCre->setAlignment(Qt::AlignRight);
    edtDataNotaCre = new DbDateEdit(&dsParametri, "DataNotaCre", dm.prompts, this);
    edtDataNotaCre->setFixedWidth(larghezzaPer(edtDataNotaCre, 11));
    FocusColour::install(edtDataNotaCre);
    auto* grpNota = new QGroupBox("Ultima nota credito emessa: ", this);
    auto* nota = new QHBoxLayout(grpNota);
    nota->setSpacing(8);
    nota->addWidget(etichetta("Numero", edtNotaCre));
    nota->addWidget(edtNotaCre);
    nota->addSpacing(24);
    nota->addWidget(etichetta("Data", edtDataNotaCre));
    nota->addWidget(edtDataNotaCre);
    nota->addStretch();

    btnSalva = new QPushButton("Salva", this);
    btnChiudi = new QPushButton("Chiudi", this);
    btnChiudi->setToolTip("Chiudi");
    for (QPushButton* b : {btnSalva, btnChiudi}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
    }
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(btnSalva);
    pulsanti->addWidget(btnChiudi);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(14, 14, 14, 12);
    l->setSpacing(12);
    l->addLayout(rigaNumero);
    l->addWidget(grpFE);
    l->addWidget(grpNota);
    l->addLayout(pulsanti);

    QWidget* ordine[] = {speUltimoNumero, edtProgrInvio, edtDataInvio, edtPIva, edtCedID, edtCedNome,
                         edtCedRegFisc, edtCedIndirizzo, edtCedCAP, edtCedComune, edtReaUfficio, edtReaNumero,
                         edtReaCapSoc, edtSocio, edtStato, chkSoloPA, edtTipoDocFatt, edtTipoDocNota,
                         edtNotaCre, edtDataNotaCre, btnSalva, btnChiudi};
    for (size_t i = 1; i < std::size(ordine); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
    setFixedSize(sizeHint());

    connect(btnSalva, &QPushButton::clicked, this, &TFrmParametri::BtnSalvaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmParametri::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    // The last number in the counter file; a year without one starts from 0.
    runDbAction(dm.prompts, [this] { speUltimoNumero->setValue(dm.contatore().ProssimoNumeroFattura(false) - 1); });
    centraSulloSchermo(*this);
    speUltimoNumero->setFocus();
    speUltimoNumero->selectAll();
}

// However the screen closes, what was not saved is given up.
void TFrmParametri::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous())
        return;
    Table& p = dm.TblParametri;
    if (p.state() == DatasetState::Edit || p.state() == DatasetState::Insert)
        runDbAction(dm.prompts, [&p] { p.cancel(); });
}

void TFrmParametri::BtnSalvaClick()
{
    runDbAction(dm.prompts, [this] { Salva(); });
}

// The invoice number is written first and stays written even when the record is refused.
void TFrmParametri::Salva()
{
    speUltimoNumero->interpretText();
    dm.contatore().ImpostaUltimoNumero(speUltimoNumero->value());
    Table& p = dm.TblParametri;
    if (!PendingEdits::writeAll(&p))
        throw Abort{};
    const QString socio = p["REA_SocioUnico"].asString();
    if (socio != "SU" && socio != "SM") {
        dm.prompts.error("Il campo Socio può essere \"SU\" oppure \"SM\".");
        edtSocio->setFocus();
        return;
    }
    const QString stato = p["REA_StatoLiq"].asString();
    if (stato != "LS" && stato != "LN") {
        dm.prompts.error("Il campo Stato può essere \"LS\" oppure \"LN\".");
        edtStato->setFocus();
        return;
    }
    if (p.state() == DatasetState::Edit || p.state() == DatasetState::Insert)
        p.post();
    accept();
}
