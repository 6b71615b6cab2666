#include "TFrmParametri.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbCheckBox.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "Modulo.h"
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

TFrmParametri::TFrmParametri(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dm(dm), dsParametri(&dm.TblParametri)
{
    setWindowTitle("Parametri");
    ControlliVivi controlli(&dsParametri, dm.prompts, this);
    controlli.coloreFuoco = true;
    auto nuovaGriglia = [](QWidget* w) {
        auto* g = new QGridLayout(w);
        g->setHorizontalSpacing(8);
        g->setVerticalSpacing(6);
        return g;
    };

    // The last invoice number of the year.
    // The field holds whatever the counter file holds, so that a stored number out of range
    // shows as it is; "Salva" accepts only 0 to 9999.
    speUltimoNumero = new QSpinBox(this);
    speUltimoNumero->setRange(-32768, 32767);
    speUltimoNumero->setAlignment(Qt::AlignRight);
    speUltimoNumero->setFixedWidth(90);
    auto* rigaNumero = new QHBoxLayout;
    rigaNumero->setSpacing(8);
    rigaNumero->addWidget(etichetta("&Ultimo numero fattura", speUltimoNumero, this));
    rigaNumero->addWidget(speUltimoNumero);
    rigaNumero->addStretch();

    // Electronic invoice: the transmission and the seller.
    auto* grpFE = new QGroupBox("Fattura Elettronica", this);
    QGridLayout* fe = nuovaGriglia(grpFE);
    disponiCampi(fe, controlli,
                 {{.etichetta = "Progr. invio", .campo = "FE_Progr", .riga = 0, .caratteri = 6, .allinea = Qt::AlignLeft, .dove = &edtProgrInvio},
                  {.etichetta = "Data invio", .campo = "FE_Data", .riga = 0, .colonna = 2, .caratteri = 11, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Data, .dove = &edtDataInvio},
                  {.etichetta = "Id. fiscale soggetto trasmittente", .campo = "FE_PIva", .riga = 1, .ampiezza = 3,
                   .caratteri = 16, .allinea = Qt::AlignLeft, .tipo = VoceModulo::Maiuscolo, .dove = &edtPIva},
                  {.etichetta = "Id. fiscale Cedente/Prestatore", .campo = "FE_CedID", .riga = 2, .ampiezza = 3,
                   .caratteri = 16, .allinea = Qt::AlignLeft, .tipo = VoceModulo::Maiuscolo, .dove = &edtCedID},
                  {.etichetta = "Denominazione", .campo = "FE_CedNome", .riga = 3, .ampiezza = 3, .caratteri = 42, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtCedNome},
                  {.etichetta = "Reg. Fisc.", .campo = "FE_CedRegFisc", .riga = 4, .ampiezza = 3, .caratteri = 5, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtCedRegFisc},
                  {.etichetta = "Indirizzo", .campo = "FE_CedIndirizzo", .riga = 5, .ampiezza = 3, .caratteri = 42, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtCedIndirizzo},
                  {.etichetta = "CAP", .campo = "FE_CedCAP", .riga = 6, .caratteri = 6, .allinea = Qt::AlignLeft, .tipo = VoceModulo::Maiuscolo,
                   .dove = &edtCedCAP},
                  {.etichetta = "Comune", .campo = "FE_CedComune", .riga = 6, .colonna = 2, .caratteri = 28, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtCedComune}});
    edtProgrInvio->setAlignment(Qt::AlignRight);

    // The company register, inside the electronic invoice group.
    auto* grpREA = new QGroupBox("REA", grpFE);
    QGridLayout* rea = nuovaGriglia(grpREA);
    disponiCampi(rea, controlli,
                 {{.etichetta = "Sigla", .campo = "REA_Ufficio", .riga = 0, .caratteri = 3, .allinea = Qt::AlignLeft, .tipo = VoceModulo::Maiuscolo,
                   .dove = &edtReaUfficio},
                  {.etichetta = "Numero", .campo = "REA_Numero", .riga = 0, .colonna = 2, .caratteri = 14, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtReaNumero},
                  {.etichetta = "Capitale sociale", .campo = "REA_CapSoc", .riga = 0, .colonna = 4, .caratteri = 14, .allinea = Qt::AlignLeft,
                   .dove = &edtReaCapSoc},
                  {.etichetta = "Socio", .campo = "REA_SocioUnico", .riga = 1, .caratteri = 3, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtSocio},
                  {.etichetta = "Stato", .campo = "REA_StatoLiq", .riga = 1, .colonna = 2, .caratteri = 3, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtStato}});
    edtReaCapSoc->setAlignment(Qt::AlignRight);
    rea->setColumnStretch(6, 1);
    fe->addWidget(grpREA, 7, 0, 1, 5);

    chkSoloPA = new DbCheckBox("Estrai SOLO per PA", &dsParametri, "SoloPA", dm.prompts, grpFE);
    fe->addWidget(chkSoloPA, 8, 0, 1, 5);

    // Document types: two letters and two digits.
    auto* grpTipo = new QGroupBox("Tipo documento", grpFE);
    QGridLayout* tipo = nuovaGriglia(grpTipo);
    disponiCampi(tipo, controlli,
                 {{.etichetta = "Fattura", .campo = "FE_TipoDocFatt", .riga = 0, .caratteri = 5, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtTipoDocFatt},
                  {.etichetta = "Nota credito", .campo = "FE_TipoDocNota", .riga = 0, .colonna = 2, .caratteri = 5, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtTipoDocNota}});
    for (DbEdit* e : {edtTipoDocFatt, edtTipoDocNota})
        e->setMask(">AA99; ");
    tipo->setColumnStretch(4, 1);
    fe->addWidget(grpTipo, 9, 0, 1, 5);
    fe->setColumnStretch(4, 1);

    // The last credit note.
    auto* grpNota = new QGroupBox("Ultima nota credito emessa: ", this);
    QGridLayout* nota = nuovaGriglia(grpNota);
    disponiCampi(nota, controlli,
                 {{.etichetta = "Numero", .campo = "NotaCre", .riga = 0, .caratteri = 6, .allinea = Qt::AlignLeft, .dove = &edtNotaCre},
                  {.etichetta = "Data", .campo = "DataNotaCre", .riga = 0, .colonna = 2, .caratteri = 11, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Data, .dove = &edtDataNotaCre}});
    edtNotaCre->setAlignment(Qt::AlignRight);
    nota->setColumnStretch(4, 1);

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

    auto* l = colonnaFinestra(this);
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
    // The last number in the counter file; a year without one starts from 0. A file that
    // cannot be read is named and left alone: the field stays off and "Salva" does not write it.
    numeroLetto.reset();
    runDbAction(dm.prompts, [this] { numeroLetto = ultimoNumeroNelFile(); });
    speUltimoNumero->setEnabled(numeroLetto.has_value());
    speUltimoNumero->setValue(numeroLetto.value_or(0));
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

int TFrmParametri::ultimoNumeroNelFile()
{
    return qint16(dm.contatore().ProssimoNumeroFattura(false) - 1);
}

// The invoice number is written first and stays written even when the record is refused.
void TFrmParametri::Salva()
{
    if (numeroLetto) {
        speUltimoNumero->interpretText();
        const int numero = speUltimoNumero->value();
        if (numero < 0 || numero > 9999) {
            dm.prompts.error(QStringLiteral("L'ultimo numero fattura deve essere compreso tra 0 e 9999."));
            speUltimoNumero->setFocus();
            speUltimoNumero->selectAll();
            return;
        }
        // Invoices printed meanwhile (by another window) must not be numbered again.
        const int ora = ultimoNumeroNelFile();
        if (ora != *numeroLetto) {
            numeroLetto = ora;
            speUltimoNumero->setValue(ora);
            dm.prompts.error(QStringLiteral("L'ultimo numero fattura è cambiato mentre la schermata era aperta: ora è %1. "
                                            "Controllare il numero e salvare di nuovo.")
                                 .arg(ora));
            speUltimoNumero->setFocus();
            return;
        }
        dm.contatore().ImpostaUltimoNumero(numero);
        numeroLetto = numero;
    }
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
