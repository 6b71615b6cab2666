#include "TFrmAltriMov.h"

#include "BarraStrumenti.h"
#include "DbAction.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "FiltroPeriodo.h"
#include "Modulo.h"
#include "MovimentiConto.h"
#include "TDataModule1.h"
#include "TQRConto.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString maskImporti = QStringLiteral("#,.00;#,.00;#");

} // namespace

TFrmAltriMov::TFrmAltriMov(TDataModule1& d, MovimentiConto& m, QWidget* parent) : QDialog(parent), dm(d), mov(m)
{
    auto* barra = new BarraStrumenti(this);
    btnDare = barra->comando(QStringLiteral("Da&re"), QStringLiteral("Inserisce in dare"));
    btnAvere = barra->comando(QStringLiteral("Av&ere"), QStringLiteral("Inserisce in avere"));
    navMovimenti = barra->navigatore(mov.DSPrimaNota,
                                     Nav::Browse | NavButton::Delete | NavButton::Edit | NavButton::Post | NavButton::Cancel,
                                     dm.prompts, QStringLiteral("navMovimenti"));
    barra->spazio();
    filtroDate = new FiltroPeriodo(barra);
    chkAttivato = filtroDate->chkAttivato;
    dtpDaData = filtroDate->dtpDaData;
    dtpAData = filtroDate->dtpAData;
    barra->aggiungi(filtroDate);
    btnStampa = barra->comando(QStringLiteral("&Stampa"), QStringLiteral("Stampa scheda contabile"));
    btnChiudi = barra->chiudi();

    // The movement being shown. The amount is typed without sign; its box takes the colour of
    // the side, so it is not coloured on focus.
    edtImporto = new DbEdit(&mov.DSPrimaNota, QStringLiteral("Importo"), dm.prompts, this);
    edtImporto->setObjectName(QStringLiteral("Importo"));
    edtImporto->setDisplayMask(QStringLiteral("#,;#,"));
    edtImporto->setAlignment(Qt::AlignRight);
    edtImporto->setAutoFillBackground(true);
    ControlliVivi controlli(&mov.DSPrimaNota, dm.prompts, this);
    controlli.coloreFuoco = true;
    auto* campi = new QGridLayout;
    disponiCampi(campi, controlli,
                 {{.etichetta = "Da&ta", .campo = "Data", .riga = 0, .caratteri = 10, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Data, .dove = &edtData},
                  {.etichetta = "&Causale", .campo = "Causale", .riga = 0, .colonna = 2, .ampiezza = 3, .dove = &edtCausale},
                  {.etichetta = "R&if. doc.", .campo = "Fattura", .riga = 1, .caratteri = 6, .allinea = Qt::AlignLeft,
                   .dove = &edtRifDoc},
                  {.etichetta = "Ri&f. data", .campo = "DataRif", .riga = 1, .colonna = 2, .caratteri = 10,
                   .allinea = Qt::AlignLeft, .tipo = VoceModulo::Data, .dove = &edtRifData},
                  {.etichetta = "I&mporto", .riga = 2, .caratteri = 12, .allinea = Qt::AlignLeft, .controllo = edtImporto},
                  {.etichetta = "Mastr&o / conto", .campo = "MastroConto", .riga = 2, .colonna = 2, .caratteri = 9,
                   .allinea = Qt::AlignLeft, .dove = &edtMastroConto}});
    edtRifDoc->setAlignment(Qt::AlignRight);
    campi->setColumnStretch(4, 1);
    campi->setContentsMargins(8, 0, 8, 0);

    grdMovimenti = new DbGrid(&mov.DSPrimaNota, dm.prompts, this);
    grdMovimenti->setColumns({{.field = "Data", .width = 85},
                              {.field = "Causale", .width = 230},
                              {.field = "Fattura", .title = "Rif. doc.", .width = 65},
                              {.field = "DataRif", .title = "Rif. data", .width = 85},
                              {.field = "Dare", .width = 95, .textColour = Qt::black, .mask = maskImporti},
                              {.field = "Avere", .width = 95, .textColour = QColor(128, 0, 0), .mask = maskImporti},
                              {.field = "MastroConto", .title = "Mastro / conto", .width = 95}});
    grdMovimenti->setReadOnly(true);
    grdMovimenti->setRowSelect(true);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 8);
    l->addWidget(barra);
    l->addLayout(campi);
    auto* corpo = new QVBoxLayout;
    corpo->setContentsMargins(8, 0, 8, 0);
    corpo->addWidget(grdMovimenti, 1);
    l->addLayout(corpo, 1);
    resize(900, 480);

    connect(btnDare, &QPushButton::clicked, this, &TFrmAltriMov::btnDareClick);
    connect(btnAvere, &QPushButton::clicked, this, &TFrmAltriMov::btnAvereClick);
    connect(chkAttivato, &QCheckBox::clicked, this, &TFrmAltriMov::chkAttivatoClick);
    connect(dtpDaData, &QDateEdit::dateChanged, this, &TFrmAltriMov::filtro);
    connect(btnStampa, &QPushButton::clicked, this, &TFrmAltriMov::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(&mov.DSPrimaNota, &DataSource::stateChanged, this, &TFrmAltriMov::statoCambiato);
    connect(&mov.DSPrimaNota, &DataSource::recordChanged, this, &TFrmAltriMov::coloraImporto);
    connect(&mov, &MovimentiConto::segnoCambiato, this, &TFrmAltriMov::coloraImporto);
}

void TFrmAltriMov::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous() || aperta)
        return;
    aperta = true;
    runDbAction(dm.prompts, [this] { mov.Apri(); });
    setWindowTitle(mov.descrizione());
    filtroDate->reimposta();
    statoPrima = int(mov.DSPrimaNota.state());
    coloraImporto();
    grdMovimenti->setFocus();
}

void TFrmAltriMov::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous() || !aperta)
        return;
    aperta = false;
    runDbAction(dm.prompts, [this] { mov.Chiudi(); });
}

void TFrmAltriMov::btnDareClick()
{
    nuovo(+1);
}

void TFrmAltriMov::btnAvereClick()
{
    nuovo(-1);
}

void TFrmAltriMov::nuovo(int segno)
{
    if (runDbAction(dm.prompts, [&] { mov.NuovoMovimento(segno); }))
        edtData->setFocus();
    coloraImporto();
}

// Light green for a movement in Dare, light red in Avere: the side the one being typed will
// take, or the sign of the one shown.
void TFrmAltriMov::coloraImporto()
{
    int segno = mov.segnoCorrente();
    if (segno == 0)
        segno = mov.TblPrimaNota.active() && mov.TblPrimaNota["Importo"].asMoney() < Money() ? -1 : 1;
    QPalette p = edtImporto->palette();
    p.setColor(QPalette::Base, segno < 0 ? rosso : verde);
    edtImporto->setPalette(p);
}

// Changing a movement starts on its date; after it is posted the navigator has the focus.
void TFrmAltriMov::statoCambiato()
{
    const auto stato = mov.DSPrimaNota.state();
    const auto prima = DatasetState(statoPrima);
    statoPrima = int(stato);
    if (!aperta)
        return;
    if (stato == DatasetState::Edit && prima == DatasetState::Browse)
        edtData->setFocus();
    else if (stato == DatasetState::Browse && (prima == DatasetState::Edit || prima == DatasetState::Insert))
        navMovimenti->setFocus();
    coloraImporto();
}

void TFrmAltriMov::chkAttivatoClick()
{
    filtro();
}

void TFrmAltriMov::filtro()
{
    if (!aperta)
        return;
    runDbAction(dm.prompts, [this] { mov.ImpostaFiltro(filtroDate->attivo(), filtroDate->da(), filtroDate->a()); });
}

void TFrmAltriMov::btnStampaClick()
{
    mov.DSPrimaNota.suspend();
    runDbAction(dm.prompts, [this] { mov.Scheda(true, [this](TQRConto& r) { r.preview(dm.prompts, this); }); });
    mov.DSPrimaNota.resume();
}
