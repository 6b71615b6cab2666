#include "TFrmServizi.h"
#include "BarraStrumenti.h"
#include "DbAction.h"
#include "DbCheckBox.h"
#include "DbEdit.h"
#include "DbNavigator.h"
#include "DbText.h"
#include "FocusColour.h"
#include "Icone.h"
#include "Modulo.h"
#include "StateCaption.h"
#include "TDataModule1.h"
#include "TFrmServiziLst.h"
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The colour of a box that cannot be typed into, as the system draws inactive borders.
const QColor coloreBordoInattivo(212, 208, 200);

// Kept in the layout while hidden, so that the fields below do not move.
void tieniPosto(QWidget* w)
{
    QSizePolicy sp = w->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    w->setSizePolicy(sp);
}

} // namespace

TFrmServizi::TFrmServizi(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm)
{
    // Tool bar.
    auto* pnlToolBar = new BarraAnagrafica(dm.DSServizi, dm.prompts, this);
    navServizi = pnlToolBar->navigatore;
    navServizi->setHint(NavButton::Insert, "Primo inserimento");
    SBtnInsert = pnlToolBar->pulsante(Icone::incrementa(), "Incrementa");
    SBtnDelete = pnlToolBar->pulsante(Icone::decrementa(), "Decrementa");
    pnlToolBar->spazio();
    SBtnRicerca = pnlToolBar->pulsante(Icone::ricerca(), "Ricerca");
    btnChiudi = pnlToolBar->chiudi();

    // The article.
    txtCodice = new DbText(&dm.DSServizi, "Codice", dm.prompts, this);
    comeCampoSoloLettura(txtCodice, 90);
    edtMotivo = new QLineEdit(this);
    edtMotivo->setMaxLength(50);
    ControlliVivi controlli(&dm.DSServizi, dm.prompts, this);
    auto* campi = new QGridLayout;
    campi->setHorizontalSpacing(8);
    campi->setVerticalSpacing(6);
    disponiCampi(campi, controlli,
                 {{.etichetta = "Codice", .riga = 0, .allinea = Qt::AlignLeft, .controllo = txtCodice},
                  {.etichetta = "&Descrizione", .campo = "Descrizione", .riga = 1, .ampiezza = 4, .dove = &edtDescrizione},
                  {.etichetta = "&Tipo", .campo = "Tipo", .riga = 2, .allinea = Qt::AlignLeft, .dove = &edtTipo},
                  {.etichetta = "&Fatturabile", .campo = "Fatturabile", .riga = 2, .colonna = 3, .ampiezza = 2,
                   .tipo = VoceModulo::Spunta, .dove = &chkFatturabile},
                  {.etichetta = "D&entro", .campo = "Dentro", .riga = 3, .allinea = Qt::AlignLeft, .dove = &edtDentro},
                  {.etichetta = "&Fuori", .campo = "Fuori", .riga = 3, .colonna = 3, .allinea = Qt::AlignLeft, .dove = &edtFuori},
                  {.etichetta = "&Motivo", .riga = 5, .ampiezza = 4, .controllo = edtMotivo}});
    edtTipo->setFixedWidth(120);
    for (DbEdit* e : {edtDentro, edtFuori}) {
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(90);
        // The stock stays readable while it cannot be typed.
        QPalette p = e->palette();
        p.setColor(QPalette::Disabled, QPalette::Text, QColor(60, 60, 60));
        e->setPalette(p);
    }
    edtFuori->setEnabled(false);
    for (QLineEdit* e : {static_cast<QLineEdit*>(edtDescrizione), static_cast<QLineEdit*>(edtTipo), edtMotivo})
        FocusColour::install(e);

    // The increment or decrement, shown only while one is typed; its row keeps its place.
    lblQuantita = new QLabel("&Incremento", this);
    speQuantita = new QSpinBox(this);
    speQuantita->setRange(0, 99999);
    speQuantita->setAlignment(Qt::AlignRight);
    speQuantita->setFixedWidth(90);
    lblQuantita->setBuddy(speQuantita);
    tieniPosto(lblQuantita);
    tieniPosto(speQuantita);
    lblQuantita->hide();
    speQuantita->hide();
    campi->addWidget(lblQuantita, 4, 0);
    campi->addWidget(speQuantita, 4, 1, Qt::AlignLeft);
    campi->setColumnMinimumWidth(2, 24);
    campi->setColumnStretch(4, 1);

    QVBoxLayout* corpo = sottoLaBarra(this, pnlToolBar);
    corpo->addLayout(campi);
    corpo->addStretch();

    setTabOrder(edtDescrizione, edtTipo);
    setTabOrder(edtTipo, chkFatturabile);
    setTabOrder(chkFatturabile, edtDentro);
    setTabOrder(edtDentro, speQuantita);
    setTabOrder(speQuantita, edtMotivo);
    setTabOrder(edtMotivo, btnChiudi);
    setMinimumSize(sizeHint().expandedTo(QSize(520, 0)));
    resize(minimumSize().width() + 40, minimumSize().height());

    followState(this, "Giacenza magazzino", dm.DSServizi);
    connect(&dm.DSServizi, &DataSource::stateChanged, this, &TFrmServizi::DSServiziStateChange);
    connect(speQuantita, &QSpinBox::valueChanged, this, [this](int q) { this->dm.QuantitaMagazzino = q; });
    // A post started by the navigator takes the quantity as it is typed.
    navServizi->beforeAction = [this](NavButton) { speQuantita->interpretText(); };
    connect(SBtnInsert, &QToolButton::clicked, this, &TFrmServizi::SBtnInsertClick);
    connect(SBtnDelete, &QToolButton::clicked, this, &TFrmServizi::SBtnDeleteClick);
    connect(SBtnRicerca, &QToolButton::clicked, this, &TFrmServizi::SBtnRicercaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    DSServiziStateChange();
}

TFrmServizi::~TFrmServizi()
{
    if (aperta)
        lasciaDati();
}

void TFrmServizi::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous() || aperta)
        return;
    aperta = true;
    edtMotivo->clear();
    dm.motivoMagazzino = [this] { return edtMotivo->text(); };
    dm.pulisciMotivoMagazzino = [this] { edtMotivo->clear(); };
    DSServiziStateChange();
    SBtnRicercaClick();
}

void TFrmServizi::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous() || !aperta)
        return;
    navServizi->click(NavButton::Cancel);
    if (frmLst)
        frmLst->close();
    edtMotivo->clear();
    lasciaDati();
}

// The data module stops reading the quantity and the reason from this screen.
void TFrmServizi::lasciaDati()
{
    aperta = false;
    dm.motivoMagazzino = nullptr;
    dm.pulisciMotivoMagazzino = nullptr;
    dm.QuantitaMagazzino = 0;
}

bool TFrmServizi::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        edtDescrizione->setFocus();
    return QDialog::event(e);
}

void TFrmServizi::DSServiziStateChange()
{
    const DatasetState st = dm.DSServizi.state();
    for (QToolButton* b : {SBtnRicerca, SBtnInsert, SBtnDelete})
        b->setEnabled(st == DatasetState::Browse);

    lblQuantita->hide();
    speQuantita->hide();
    const int segno = dm.TblServizi.tag;
    if (st == DatasetState::Edit && (segno == TDataModule1::tagIncremento || segno == TDataModule1::tagDecremento)) {
        lblQuantita->show();
        speQuantita->show();
        speQuantita->setValue(0);
        dm.QuantitaMagazzino = 0;
        speQuantita->setFocus();
        speQuantita->selectAll();
    }

    // The stock is typed only for a new article; afterwards it changes by increments and decrements.
    const bool inserimento = st == DatasetState::Insert;
    edtDentro->setEnabled(inserimento);
    QPalette p = edtDentro->palette();
    p.setColor(QPalette::Base, inserimento ? palette().color(QPalette::Active, QPalette::Base) : coloreBordoInattivo);
    edtDentro->setPalette(p);
}

void TFrmServizi::avviaVariazione(int segno, const QString& etichetta)
{
    lblQuantita->setText(etichetta);
    dm.TblServizi.tag = segno;
    if (!runDbAction(dm.prompts, [this] { dm.TblServizi.edit(); }))
        dm.TblServizi.tag = 0;
}

void TFrmServizi::SBtnInsertClick()
{
    avviaVariazione(TDataModule1::tagIncremento, "&Incremento");
}

void TFrmServizi::SBtnDeleteClick()
{
    avviaVariazione(TDataModule1::tagDecremento, "&Decremento");
}

void TFrmServizi::SBtnRicercaClick()
{
    if (!frmLst)
        frmLst = new TFrmServiziLst(dm, this);
    frmLst->edtRicerca->clear();
    frmLst->show();
    frmLst->raise();
    frmLst->activateWindow();
}
