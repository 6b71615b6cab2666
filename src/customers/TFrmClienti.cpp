#include "TFrmClienti.h"
#include "Centra.h"
#include "BusyCursor.h"
#include "DbAction.h"
#include "DbCheckBox.h"
#include "DbComboBox.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbLookupComboBox.h"
#include "DbMemo.h"
#include "DbNavigator.h"
#include "DbRadioGroup.h"
#include "DbText.h"
#include "DisplayMask.h"
#include "FocusColour.h"
#include "StateCaption.h"
#include "Locale.h"
#include "TDataModule1.h"
#include "TFrmClientiLst.h"
#include "GrigliaPannelli.h"
#include "Icone.h"
#include "Modulo.h"
#include "BarraStrumenti.h"
#include "TFrmSuppFatt.h"
#include "TQRDocumenti.h"
#include "TQRMDClienteSin.h"
#include "TQRMDClienti.h"
#include "TQRSchedaEstesa.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

// The recipient code in upper case, six characters for a public administration, seven otherwise.
class ValidatoreCodiceFE : public QValidator
{
public:
    using QValidator::QValidator;
    int lunghezza = 7;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return input.size() <= lunghezza ? Acceptable : Invalid;
    }
};

namespace {

// The payment terms in the order of the radio group, and the months one invoice covers.
const QStringList condizioni = {QStringLiteral("Mensile"),    QStringLiteral("Bimestrale"),
                                QStringLiteral("Trimestrale"), QStringLiteral("Quadrimestrale"),
                                QStringLiteral("Semestrale"), QStringLiteral("Annuale"),
                                QStringLiteral("5 mesi")};
constexpr int mesiPerCondizione[] = {1, 2, 3, 4, 6, 12, 5};

bool inModifica(const DataSource& s)
{
    return s.state() == DatasetState::Edit || s.state() == DatasetState::Insert;
}

// A grid for a form or a panel.
QGridLayout* griglia(QWidget* p, int margine, int orizzontale, int verticale)
{
    auto* g = new QGridLayout(p);
    g->setContentsMargins(margine, margine, margine, margine);
    g->setHorizontalSpacing(orizzontale);
    g->setVerticalSpacing(verticale);
    return g;
}

// A site in the standard way: address, keys, town, route, group address, agent, amount.
void costruisciSede(Controlli& c, QWidget* p, QWidget** indirizzo)
{
    QGridLayout* g = griglia(p, 6, 6, 4);
    disponiCampi(g, c,
                 {{.etichetta = "Indi&rizzo", .campo = "Indirizzo", .riga = 0, .ampiezza = 3,
                   .dove = c.vivo() ? indirizzo : nullptr},
                  {.etichetta = "&Comune", .campo = "Comune", .riga = 1, .ampiezza = 3},
                  {.etichetta = "C&hiavi", .campo = "Chiavi", .riga = 2, .caratteri = 4},
                  {.etichetta = "I&mponibile", .campo = "Imponibile", .riga = 2, .colonna = 2,
                   .allineaEtichetta = Qt::AlignRight},
                  {.etichetta = "&Servizio", .campo = "DescrIter", .riga = 3, .ampiezza = 3},
                  {.etichetta = "&Indirizzo gruppo", .campo = "IndirizzoGruppo", .riga = 4, .ampiezza = 3},
                  {.etichetta = "Agente", .campo = "DescAgente", .riga = 5, .ampiezza = 3}});
    g->setColumnStretch(3, 1);
    g->setRowStretch(6, 1);
}

// A site in the extended way: where it is in the building, its flags, its agent and amount.
void costruisciSedeEstesa(Controlli& c, QWidget* p, QWidget** indirizzo)
{
    QGridLayout* g = griglia(p, 6, 6, 4);
    g->setContentsMargins(4, 6, 4, 6);
    auto* spunte = new QHBoxLayout;
    spunte->setSpacing(4);
    QCheckBox* ostrelo = c.spunta("Ostrelo", "Ostrelo");
    ostrelo->setToolTip("Se non è spuntato si intende Marbeto");
    spunte->addWidget(ostrelo);
    spunte->addWidget(c.spunta("Direzione Generale", "DirGen"));
    spunte->addWidget(c.spunta("Ambulatorio", "PrSocc"));
    spunte->addStretch(1);
    g->addLayout(spunte, 0, 0, 1, 6);
    disponiCampi(g, c,
                 {{.etichetta = "Indi&rizzo", .campo = "Indirizzo", .riga = 1, .ampiezza = 5,
                   .dove = c.vivo() ? indirizzo : nullptr},
                  {.etichetta = "Piano", .campo = "Piano", .riga = 2, .caratteri = 4},
                  {.etichetta = "Scala", .campo = "Scala", .riga = 2, .colonna = 2, .caratteri = 4,
                   .tipo = VoceModulo::Maiuscolo},
                  {.etichetta = "C&hiavi", .campo = "Chiavi", .riga = 2, .colonna = 4, .caratteri = 4, .allinea = Qt::AlignLeft},
                  {.etichetta = "Ufficio", .campo = "Ufficio", .riga = 3, .ampiezza = 5, .tipo = VoceModulo::Maiuscolo},
                  {.etichetta = "Agente", .campo = "DescAgente", .riga = 4, .ampiezza = 5},
                  {.etichetta = "I&mponibile", .campo = "Imponibile", .riga = 5, .ampiezza = 5, .caratteri = 12, .allinea = Qt::AlignLeft}});
    g->setColumnStretch(5, 1);
    g->setRowStretch(6, 1);
}

// An intervention row: the week and its six days, grey for a mandatory visit.
void costruisciIntervento(Controlli& c, QWidget* p, QWidget** settimana)
{
    QGridLayout* g = griglia(p, 6, 6, 2);
    g->setContentsMargins(6, 4, 6, 4);
    disponiCampi(g, c, {{.etichetta = "Settim&ana", .campo = "Settimana", .caratteri = 3, .allinea = Qt::AlignLeft,
                         .dove = c.vivo() ? settimana : nullptr}});
    QGroupBox* giorni = c.riquadro("&Giorni");
    giorni->setToolTip("Grigio = Obbligatorio");
    auto* fila = new QHBoxLayout(giorni);
    fila->setContentsMargins(6, 2, 6, 2);
    const std::pair<const char*, const char*> giorniSettimana[] = {
        {"L", "Lunedi"}, {"M", "Martedi"}, {"M", "Mercoledi"}, {"G", "Giovedi"}, {"V", "Venerdi"}, {"S", "Sabato"}};
    for (const auto& [lettera, campo] : giorniSettimana)
        fila->addWidget(c.spunta(lettera, campo, true));
    g->addWidget(giorni, 1, 0, 1, 3);
    g->setColumnStretch(2, 1);
}

} // namespace

TFrmClienti::TFrmClienti(TDataModule1& modulo, QWidget* parent)
    : QDialog(parent), dm(modulo), ActiveSource(&modulo.TblClienti), DSSedi(&modulo.TblSedi),
      DSNoleggi(&modulo.TblNoleggi), operazioni(modulo)
{
    for (DataSource* s : {&ActiveSource, &DSSedi, &DSNoleggi})
        s->autoEdit = false;

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(6, 6, 6, 6);
    colonna->setSpacing(6);
    colonna->addWidget(creaBarra());
    colonna->addWidget(creaTestata());
    pageControl1 = new QTabWidget(this);
    pageControl1->addTab(creaInformazioni(), QStringLiteral("Informazioni generali"));
    pageControl1->addTab(creaSediNoleggi(), QStringLiteral("Sedi e noleggi"));
    colonna->addWidget(pageControl1, 1);

    // Enter and Escape stay with the field being typed: no button of the window is a default one.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    // The navigators mark the data sources while they act, so that posting a site or a rental
    // does not post a customer or a site being inserted.
    DBNavigator1->beforeAction = [this](NavButton) {
        dm.DSClienti.tag = TDataModule1::tagNavigatore;
        dm.DSSedi.tag = TDataModule1::tagNavigatore;
    };
    DBNavigator1->actionFinished = [this](NavButton) {
        dm.DSClienti.tag = 0;
        dm.DSSedi.tag = 0;
    };
    DBNavigator2->beforeAction = [this](NavButton) { dm.DSSedi.tag = TDataModule1::tagNavigatore; };
    DBNavigator2->actionFinished = [this](NavButton) { dm.DSSedi.tag = 0; };
    DBNavigator4->afterAction = [this](NavButton b) {
        if (b == NavButton::Insert)
            InterventoNuovo();
    };

    for (auto segnale : {&DataSource::recordChanged, &DataSource::rowsChanged, &DataSource::datasetChanged})
        connect(&ActiveSource, segnale, this, &TFrmClienti::ActiveSourceDataChange);
    connect(&ActiveSource, &DataSource::fieldChanged, this, &TFrmClienti::ActiveSourceDataChange);
    connect(&ActiveSource, &DataSource::stateChanged, this, &TFrmClienti::ActiveSourceStateChange);
    connect(&DSSedi, &DataSource::stateChanged, this, [this] { ConfermaEliminazione(DSSedi); });
    connect(&DSNoleggi, &DataSource::stateChanged, this, [this] {
        ConfermaEliminazione(DSNoleggi);
        sbRicopiaImporti->setEnabled(DSNoleggi.state() == DatasetState::Browse);
    });
    connect(ChkIva, &QCheckBox::clicked, this, &TFrmClienti::ChkIvaClick);
    connect(ChkXML, &QCheckBox::clicked, this, &TFrmClienti::ChkXMLClick);
    connect(cmbNatura, &QComboBox::currentTextChanged, this, &TFrmClienti::aggiornaNatura);

    followState(this, QStringLiteral("Clienti"), ActiveSource);
    ActiveSourceStateChange();
    ActiveSourceDataChange();
    sbRicopiaImporti->setEnabled(DSNoleggi.state() == DatasetState::Browse);
    dimensionaNelloSchermo(*this, QSize(1080, 760));
}

TFrmClienti::~TFrmClienti() = default;

QWidget* TFrmClienti::creaBarra()
{
    auto* barra = new BarraStrumenti(this, BarraStrumenti::Aspetto::Piatta);
    DBNavigator1 = barra->navigatore(ActiveSource, Nav::Browse | Nav::Editing, dm.prompts, "DBNavigator1");
    DBNavigator1->setDeleteQuestion({});
    barra->spazio(6);
    barra->separatore();
    SBtnUndo = barra->pulsante(Icone::annullaElimina(), "Annulla elimina", "SBtnUndo");
    SBtnRicerca = barra->pulsante(Icone::ricerca(), "Ricerca", "SBtnRicerca");
    SBtnFattura = barra->pulsante(Icone::ulterioriRighe(), "Ulteriori informazioni in fattura", "SBtnFattura");
    SBtnCalcola = barra->pulsante(Icone::calcola(), "Calcola imponibile", "SBtnCalcola");
    barra->separatore();
    SBtnStampa1 = barra->pulsante(Icone::stampa(), "Stampa", "SBtnStampa1", "1");
    SBtnStampa2 = barra->pulsante(Icone::stampa(), "Stampa sintetica", "SBtnStampa2", "2");
    SBtnStampa3 = barra->pulsante(Icone::stampa(), "Stampa scheda contabile", "SBtnStampa3", "3");
    barra->separatore();
    SBtnSaldo = barra->pulsante(Icone::saldo(), "Saldo fattura", "SBtnSaldo");
    barra->spazio(8);
    BtnNotaCredito = barra->comando("Nota credito", "Emetti nota credito");
    BtnFattura = barra->comando("Fattura", "Stampa e generazione fattura");
    BtnChiudi = barra->chiudi();

    connect(SBtnUndo, &QToolButton::clicked, this, &TFrmClienti::SBtnUndoClick);
    connect(SBtnRicerca, &QToolButton::clicked, this, &TFrmClienti::SBtnRicercaClick);
    connect(SBtnFattura, &QToolButton::clicked, this, &TFrmClienti::SBtnFatturaClick);
    connect(SBtnCalcola, &QToolButton::clicked, this, &TFrmClienti::SBtnCalcolaClick);
    connect(SBtnStampa1, &QToolButton::clicked, this, &TFrmClienti::SBtnStampa1Click);
    connect(SBtnStampa2, &QToolButton::clicked, this, &TFrmClienti::SBtnStampa2Click);
    connect(SBtnStampa3, &QToolButton::clicked, this, &TFrmClienti::SBtnStampa3Click);
    connect(SBtnSaldo, &QToolButton::clicked, this, &TFrmClienti::SBtnSaldoClick);
    connect(BtnNotaCredito, &QPushButton::clicked, this, &TFrmClienti::BtnNotaCreditoClick);
    connect(BtnFattura, &QPushButton::clicked, this, &TFrmClienti::BtnFatturaClick);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    return barra;
}

QWidget* TFrmClienti::creaTestata()
{
    auto* testata = new QFrame(this);
    testata->setFrameShape(QFrame::StyledPanel);
    QGridLayout* g = griglia(testata, 8, 8, 4);
    g->setContentsMargins(8, 6, 8, 6);
    ControlliVivi c(&ActiveSource, dm.prompts, testata);

    txtCodice = new DbText(&ActiveSource, "Codice", dm.prompts, testata);
    txtCodice->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    txtCodice->setAlignment(Qt::AlignCenter);
    cmbNatura = new DbComboBox(&ActiveSource, "NATURA", dm.prompts, testata);
    cmbNatura->setItems(CodiciNatura());
    cmbNatura->setMaxVisibleItems(24);
    lblNatura = new QLabel(testata);
    lblNatura->setObjectName("lblNatura");
    lblNatura->setMinimumWidth(larghezzaCaratteri(testata, 40));
    disponiCampi(g, c,
                 {{.etichetta = "Codice", .riga = 0, .caratteri = 7, .controllo = txtCodice},
                  {.etichetta = "&Denominazione (&1)", .campo = "Denominazione", .riga = 0, .colonna = 2,
                   .dove = &edtDenominazione},
                  {.etichetta = "&Escluso", .campo = "Escluso", .riga = 0, .colonna = 4, .tipo = VoceModulo::Spunta,
                   .dove = &chkEscluso, .suggerimento = "Esclude dalla fatturazione automatica"},
                  {.etichetta = "&Incasso automatico", .campo = "Incassabile", .riga = 0, .colonna = 5,
                   .tipo = VoceModulo::Spunta, .dove = &chkIncassabile},
                  {.etichetta = "&Denominazione (&2)", .campo = "Denominazione 2", .riga = 1, .colonna = 2,
                   .dove = &edtDenominazione2},
                  {.etichetta = "I&va", .campo = "PagaIva", .riga = 1, .colonna = 4, .tipo = VoceModulo::Spunta,
                   .dove = &ChkIva},
                  {.etichetta = "(Ostrelo-Marbeto)", .campo = "StampaEstesa", .riga = 1, .colonna = 5,
                   .tipo = VoceModulo::Spunta, .dove = &chkStampaEstesa},
                  {.etichetta = "Natura", .riga = 2, .caratteri = 8, .controllo = cmbNatura},
                  {.riga = 2, .colonna = 2, .ampiezza = 4, .controllo = lblNatura}});

    rgScadenzaFattura = new DbRadioGroup("Data scadenza fattura", &ActiveSource, "ScadenzaFattura", dm.prompts, testata);
    rgScadenzaFattura->setItems({"A 30 gg", "Data fattura"});
    rgScadenzaFattura->setValues({"0", "1"});
    g->addWidget(rgScadenzaFattura, 0, 6, 3, 1);
    g->setColumnStretch(3, 1);
    g->setColumnMinimumWidth(3, larghezzaCaratteri(testata, 30));
    return testata;
}

QWidget* TFrmClienti::creaInformazioni()
{
    auto* pagina = new QWidget(this);
    auto* colonna = new QVBoxLayout(pagina);
    colonna->setContentsMargins(8, 8, 8, 8);
    colonna->setSpacing(8);
    auto* fila = new QHBoxLayout;
    fila->setSpacing(16);
    colonna->addLayout(fila);
    ControlliVivi c(&ActiveSource, dm.prompts, pagina);

    // Left: accounts, address, tax identifiers, contract.
    BtnCarica = new QPushButton("Carica...", pagina);
    BtnCarica->setToolTip("Preleva numero del contratto da file xml");
    QGridLayout* s = griglia(nullptr, 0, 6, 5);
    disponiCampi(s, c,
                 {{.etichetta = "&Mastro", .campo = "Mastro", .riga = 0, .caratteri = 6, .dove = &edtMastro},
                  {.etichetta = "&Conto", .campo = "Conto", .riga = 0, .colonna = 2, .caratteri = 6, .allinea = Qt::AlignLeft, .dove = &edtConto},
                  {.etichetta = "In&dirizzo amministrativo", .campo = "Indirizzo", .riga = 1, .ampiezza = 3,
                   .dove = &edtIndirizzo},
                  {.etichetta = "C&omune", .campo = "Comune", .riga = 2, .ampiezza = 3, .dove = &edtComune},
                  {.etichetta = "&Partita iva", .campo = "Partita iva", .riga = 3, .caratteri = 12,
                   .dove = &edtPartitaIva},
                  {.etichetta = "Codice &fiscale", .campo = "Codice fiscale", .riga = 3, .colonna = 2,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtCodiceFiscale},
                  {.etichetta = "PEC", .campo = "PEC", .riga = 4, .ampiezza = 3, .dove = &edtPEC},
                  {.etichetta = "&Numero contratto", .campo = "NumContratto", .riga = 5, .ampiezza = 2,
                   .dove = &edtNumContratto},
                  {.riga = 5, .colonna = 3, .allinea = Qt::AlignLeft, .controllo = BtnCarica},
                  {.etichetta = "D&ata contratto", .campo = "Data contratto", .riga = 6, .caratteri = 11,
                   .tipo = VoceModulo::Data, .dove = &edtDataContratto},
                  {.etichetta = "Da&ta scadenza", .campo = "Data scadenza", .riga = 6, .colonna = 2, .caratteri = 11, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Data, .dove = &edtDataScadenza},
                  {.etichetta = "P&rimo rigo", .campo = "Rigo 1", .riga = 7, .ampiezza = 3, .dove = &edtRigo1},
                  {.etichetta = "Secondo rigo (&3)", .campo = "Rigo 2", .riga = 8, .ampiezza = 3, .dove = &edtRigo2},
                  {.etichetta = "Note &servizi", .campo = "NoteServizi", .riga = 9, .ampiezza = 3,
                   .dove = &edtNoteServizi},
                  {.etichetta = "Indice di revisione (&6)", .campo = "IndiceRev", .riga = 10, .caratteri = 6,
                   .dove = &edtIndiceRev},
                  {.etichetta = "Sc&heda", .campo = "Scheda", .riga = 10, .colonna = 2, .caratteri = 6, .allinea = Qt::AlignLeft,
                   .dove = &edtScheda},
                  {.etichetta = "Data di revisione (&7)", .campo = "DataRev", .riga = 11, .caratteri = 11,
                   .tipo = VoceModulo::Data, .dove = &edtDataRev},
                  {.etichetta = "Forza stampa fattura", .campo = "Mese_Fatt", .riga = 11, .colonna = 2, .ampiezza = 2,
                   .tipo = VoceModulo::Spunta, .dove = &chkMeseFatt}});
    chkMeseFatt->setValues("True", "False");
    s->setColumnStretch(1, 1);
    s->setColumnStretch(3, 1);
    s->setRowStretch(12, 1);
    fila->addLayout(s, 1);

    // Right: payment, amounts, electronic invoice.
    cmbPagamento = new DbLookupComboBox(&ActiveSource, "Pagamento", &dm.DSModPag, "Codice", "Descrizione", dm.prompts,
                                        pagina);
    cmbPagamento->setDropDownRows(20);
    rgCondizioni = new DbRadioGroup("Condi&zioni di pagamento", &ActiveSource, "Condizioni", dm.prompts, pagina);
    rgCondizioni->setItems(condizioni, 2);
    QGridLayout* d = griglia(nullptr, 0, 6, 5);
    disponiCampi(d, c,
                 {{.etichetta = "Pa&gamento", .riga = 0, .ampiezza = 3, .controllo = cmbPagamento},
                  {.etichetta = "Coordinate bancarie (&4)", .campo = "CoordinateBanca", .riga = 1, .ampiezza = 3,
                   .dove = &edtCoordinateBanca},
                  {.etichetta = "&Banca", .campo = "Banca", .riga = 2, .ampiezza = 3, .dove = &edtBanca},
                  {.etichetta = "N&umero c/c", .campo = "Numero cc", .riga = 3, .ampiezza = 3, .dove = &edtNumeroCC},
                  {.riga = 4, .ampiezza = 4, .controllo = rgCondizioni},
                  {.etichetta = "Imponibi&le", .campo = "Imponibile", .riga = 5, .caratteri = 13, .dove = &edtImponibile},
                  {.etichetta = "IVA", .campo = "Iva", .riga = 6, .caratteri = 13, .dove = &edtIva},
                  {.etichetta = "Totale", .campo = "Totale", .riga = 7, .caratteri = 13, .dove = &edtTotale},
                  {.etichetta = "Fattura verso PA", .campo = "XML", .riga = 5, .colonna = 2, .ampiezza = 2,
                   .tipo = VoceModulo::Spunta, .dove = &ChkXML},
                  {.etichetta = "Codice Destinatario", .campo = "Codice_FE", .riga = 6, .colonna = 2, .caratteri = 9, .allinea = Qt::AlignLeft,
                   .dove = &edtCodiceFE},
                  {.etichetta = "Scissione dei pagamenti", .campo = "Scissione", .riga = 7, .colonna = 2,
                   .ampiezza = 2, .tipo = VoceModulo::Spunta, .dove = &chkScissione},
                  {.etichetta = "Causale", .campo = "Causale", .riga = 8, .ampiezza = 3, .dove = &edtCausale}});
    for (DbEdit* e : {edtImponibile, edtIva, edtTotale})
        e->setAlignment(Qt::AlignRight);
    for (DbEdit* e : {edtIva, edtTotale})
        e->setFocusPolicy(Qt::ClickFocus);
    validatoreCodiceFE = new ValidatoreCodiceFE(edtCodiceFE);
    edtCodiceFE->setValidator(validatoreCodiceFE);
    d->setColumnStretch(3, 1);
    d->setColumnMinimumWidth(2, 20);
    d->setRowStretch(9, 1);
    fila->addLayout(d, 1);

    // Below: the two memos, aqua and bold while typed into.
    auto* note = new QGridLayout;
    note->setHorizontalSpacing(16);
    note->setVerticalSpacing(2);
    memoRigo3 = new DbMemo(&ActiveSource, "Rigo_3", dm.prompts, pagina);
    memoNote = new DbMemo(&ActiveSource, "Note", dm.prompts, pagina);
    note->addWidget(etichetta("Fine pagina fattura (&5)", memoRigo3, pagina), 0, 0);
    note->addWidget(etichetta("Note (&4)", memoNote, pagina), 0, 1);
    for (DbMemo* m : {memoRigo3, memoNote}) {
        m->setTabChangesFocus(true);
        m->setMinimumHeight(56);
        FocusColour::install(m);
    }
    note->addWidget(memoRigo3, 1, 0);
    note->addWidget(memoNote, 1, 1);
    colonna->addLayout(note, 1);

    connect(BtnCarica, &QPushButton::clicked, this, &TFrmClienti::BtnCaricaClick);
    return pagina;
}

QWidget* TFrmClienti::creaSediNoleggi()
{
    auto* pagina = new QWidget(this);
    auto* colonna = new QVBoxLayout(pagina);
    colonna->setContentsMargins(8, 8, 8, 8);
    colonna->setSpacing(4);

    // Sites.
    auto* filaSedi = new BarraStrumenti(pagina, BarraStrumenti::Aspetto::Piatta);
    lblSedi = filaSedi->etichetta("Se&di");
    DBNavigator2 = filaSedi->navigatore(DSSedi, Nav::Browse | Nav::Editing, dm.prompts, "DBNavigator2");
    DBNavigator2->setDeleteQuestion({});
    filaSedi->spazio(6);
    SBtnModificaServizio = filaSedi->pulsante(Icone::modificaServizio(), "Modifica il servizio", "SBtnModificaServizio");
    SBtnEliminaServizio = filaSedi->pulsante(Icone::eliminaServizio(), "Elimina il servizio", "SBtnEliminaServizio");
    SBtnRaggruppamenti = filaSedi->pulsante(Icone::raggruppamenti(), "Raggruppamenti", "SBtnRaggruppamenti");
    filaSedi->allunga();
    colonna->addWidget(filaSedi);

    pilaSedi = new QStackedWidget(pagina);
    pannelliSedi = new GrigliaPannelli(
        &DSSedi, 3, [this](Controlli& c, QWidget* p) { costruisciSede(c, p, &indirizzoSede); }, dm.prompts, pilaSedi);
    pannelliSedi->setObjectName("pannelliSedi");
    pannelliSediEstese = new GrigliaPannelli(
        &DSSedi, 3, [this](Controlli& c, QWidget* p) { costruisciSedeEstesa(c, p, &indirizzoSedeEstesa); }, dm.prompts,
        pilaSedi);
    pannelliSediEstese->setObjectName("pannelliSediEstese");
    pilaSedi->addWidget(pannelliSedi);
    pilaSedi->addWidget(pannelliSediEstese);
    colonna->addWidget(pilaSedi);
    colonna->addSpacing(6);

    // Interventions of the site.
    auto* filaInterventi = new BarraStrumenti(pagina, BarraStrumenti::Aspetto::Piatta);
    QLabel* lblInterventi = filaInterventi->etichetta("In&terventi");
    DBNavigator4 = filaInterventi->navigatore(
        dm.DSInterventi, Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Post | NavButton::Cancel,
        dm.prompts, "DBNavigator4");
    filaInterventi->allunga();
    colonna->addWidget(filaInterventi);
    pannelliInterventi = new GrigliaPannelli(
        &dm.DSInterventi, 2, [this](Controlli& c, QWidget* p) { costruisciIntervento(c, p, &edtSettimana); },
        dm.prompts, pagina);
    pannelliInterventi->setObjectName("pannelliInterventi");
    pannelliInterventi->setNuoviInFondo(true);
    lblInterventi->setBuddy(edtSettimana);
    auto* filaPannelli = new QHBoxLayout;
    filaPannelli->addWidget(pannelliInterventi, 2);
    filaPannelli->addStretch(1);
    colonna->addLayout(filaPannelli);
    colonna->addSpacing(6);

    // Rentals of the site.
    auto* filaNoleggi = new BarraStrumenti(pagina, BarraStrumenti::Aspetto::Piatta);
    lblNoleggi = filaNoleggi->etichetta("No&leggi");
    DBNavigator3 = filaNoleggi->navigatore(DSNoleggi, Nav::Browse | Nav::Editing, dm.prompts, "DBNavigator3");
    DBNavigator3->setDeleteQuestion({});
    filaNoleggi->spazio(6);
    sbRicopiaImporti = filaNoleggi->pulsante(Icone::ricopiaImporti(), "Ricopia gli importi su tutte le sedi",
                                             "sbRicopiaImporti");
    filaNoleggi->allunga();
    chkMillesimi = new DbCheckBox("Millesimi di euro", &ActiveSource, "Millesimi", dm.prompts, filaNoleggi);
    filaNoleggi->aggiungi(chkMillesimi);
    colonna->addWidget(filaNoleggi);

    // Prices with three decimals for a customer priced in thousandths of a euro.
    auto prezzo = [this](const QVariant& v) {
        if (v.isNull() || !v.isValid())
            return QString();
        const bool millesimi = dm.TblClienti.active() && dm.TblClienti["Millesimi"].asBoolean();
        return formatCurrency(v.toDouble(), millesimi ? 3 : 2);
    };
    const QList<DbGridColumn> colonne = {
        {.field = QStringLiteral("Servizio"), .title = QStringLiteral("Apparecchio"), .width = 300},
        {.field = QStringLiteral("Tipo"), .width = 110, .readOnly = true},
        {.field = QStringLiteral("Quantita"), .title = QStringLiteral("Scaricati"), .width = 80},
        {.field = QStringLiteral("InFattura"), .title = QStringLiteral("In fattura"), .width = 80},
        {.field = QStringLiteral("Costo"), .width = 110, .format = prezzo},
        {.field = QStringLiteral("Sospesi"), .width = 80}};
    QList<DbGridColumn> colonneEstese = colonne;
    colonneEstese[0].width = 230;
    colonneEstese[1].width = 90;
    colonneEstese[2].width = colonneEstese[3].width = colonneEstese[5].width = 70;
    colonneEstese[4].width = 95;
    colonneEstese << DbGridColumn{.field = QStringLiteral("AltraDitta"), .title = QStringLiteral("F"), .width = 30}
                  << DbGridColumn{.field = QStringLiteral("Reparto"), .width = 150}
                  << DbGridColumn{.field = QStringLiteral("Sesso"), .width = 50, .alignment = Qt::AlignHCenter,
                                  .pickList = {QStringLiteral("M"), QStringLiteral("F")}}
                  << DbGridColumn{.field = QStringLiteral("Altro"), .width = 120};
    pilaNoleggi = new QStackedWidget(pagina);
    grdNoleggi = new DbGrid(&DSNoleggi, dm.prompts, pilaNoleggi);
    grdNoleggi->setObjectName(QStringLiteral("grdNoleggi"));
    grdNoleggi->setColumns(colonne);
    grdNoleggiEstesa = new DbGrid(&DSNoleggi, dm.prompts, pilaNoleggi);
    grdNoleggiEstesa->setObjectName(QStringLiteral("grdNoleggiEstesa"));
    grdNoleggiEstesa->setColumns(colonneEstese);
    // The widest text takes the room left: the article, or the notes of the extended grid.
    grdNoleggi->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grdNoleggiEstesa->horizontalHeader()->setStretchLastSection(true);
    for (DbGrid* g : {grdNoleggi, grdNoleggiEstesa}) {
        g->setDeleteQuestion({});
        g->setMinimumHeight(100);
        pilaNoleggi->addWidget(g);
    }
    colonna->addWidget(pilaNoleggi, 1);

    connect(SBtnModificaServizio, &QToolButton::clicked, this, &TFrmClienti::SBtnModificaServizioClick);
    connect(SBtnEliminaServizio, &QToolButton::clicked, this, &TFrmClienti::SBtnEliminaServizioClick);
    connect(SBtnRaggruppamenti, &QToolButton::clicked, this, &TFrmClienti::SBtnRaggruppamentiClick);
    connect(sbRicopiaImporti, &QToolButton::clicked, this, &TFrmClienti::sbRicopiaImportiClick);
    return pagina;
}

// ---- state of the screen

bool TFrmClienti::estesa() const
{
    Table& clienti = dm.TblClienti;
    if (!clienti.active() || (clienti.state() == DatasetState::Browse && clienti.isEmpty()))
        return false;
    return clienti["StampaEstesa"].asBoolean();
}

void TFrmClienti::ActiveSourceDataChange()
{
    const bool estesi = estesa();
    pilaSedi->setCurrentWidget(estesi ? pannelliSediEstese : pannelliSedi);
    pilaNoleggi->setCurrentWidget(estesi ? grdNoleggiEstesa : grdNoleggi);
    lblSedi->setBuddy(estesi ? indirizzoSedeEstesa : indirizzoSede);
    lblNoleggi->setBuddy(estesi ? grdNoleggiEstesa : grdNoleggi);

    const bool pa = dm.TblClienti.active() && dm.TblClienti["XML"].asBoolean();
    validatoreCodiceFE->lunghezza = pa ? 6 : 7;
    aggiornaNatura();
    SBtnUndo->setEnabled(dm.db.inTransaction());
    // The prices follow the customer's thousandths.
    grdNoleggi->viewport()->update();
    grdNoleggiEstesa->viewport()->update();
}

void TFrmClienti::ActiveSourceStateChange()
{
    ConfermaEliminazione(ActiveSource);
    SBtnRicerca->setEnabled(ActiveSource.state() == DatasetState::Browse);
    SBtnUndo->setEnabled(dm.db.inTransaction());
    aggiornaNatura();
}

void TFrmClienti::ConfermaEliminazione(DataSource& ds)
{
    if (!inModifica(ds) || !dm.db.inTransaction())
        return;
    {
        BusyCursor attesa;
        runDbAction(dm.prompts, [this] { dm.db.commit(); });
    }
    SBtnUndo->setEnabled(false);
}

void TFrmClienti::aggiornaNatura()
{
    cmbNatura->setEnabled(inModifica(ActiveSource) && ChkIva->checkState() == Qt::Unchecked);
    lblNatura->setText(DescrizioneNatura(cmbNatura->currentText()));
}

void TFrmClienti::ChkIvaClick()
{
    if (!inModifica(ActiveSource))
        return;
    if (ChkIva->isChecked()) {
        runDbAction(dm.prompts, [this] { dm.TblClienti["NATURA"].clear(); });
        cmbNatura->setEnabled(false);
    } else {
        cmbNatura->setEnabled(true);
    }
}

void TFrmClienti::ChkXMLClick()
{
    if (!inModifica(ActiveSource) || !ChkXML->isChecked())
        return;
    runDbAction(dm.prompts, [this] {
        Field& codice = dm.TblClienti["Codice_FE"];
        codice = codice.asString().left(6).trimmed();
    });
}

QStringList TFrmClienti::CodiciNatura()
{
    QStringList codici = {QString(), QStringLiteral("N1"), QStringLiteral("N2"), QStringLiteral("N2.1"),
                          QStringLiteral("N2.2"), QStringLiteral("N3")};
    for (int i = 1; i <= 6; ++i)
        codici << QStringLiteral("N3.%1").arg(i);
    codici << QStringLiteral("N4") << QStringLiteral("N5") << QStringLiteral("N6");
    for (int i = 1; i <= 9; ++i)
        codici << QStringLiteral("N6.%1").arg(i);
    codici << QStringLiteral("N7");
    return codici;
}

QString TFrmClienti::DescrizioneNatura(const QString& codice)
{
    if (codice.size() < 2)
        return {};
    const QChar famiglia = codice[1];
    const QChar caso = codice.size() > 3 ? codice[3] : QChar();
    auto sottocaso = [&](const QString& nudo, std::initializer_list<const char*> testi) -> QString {
        if (codice == nudo)
            return QString::fromUtf8(*testi.begin());
        const int n = caso.digitValue();
        if (n < 1 || n >= int(testi.size()))
            return {};
        return QString::fromUtf8(testi.begin()[n]);
    };
    switch (famiglia.unicode()) {
    case u'1': return QStringLiteral("Esclusa ex art. 15");
    case u'2':
        return sottocaso(QStringLiteral("N2"), {"Non soggetta",
                                                "Non soggetta ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72",
                                                "Non soggetta - altri casi"});
    case u'3':
        return sottocaso(QStringLiteral("N3"),
                         {"Non imponibile", "Non imponibile - esportazioni",
                          "Non imponibile - cessioni intracomunitarie", "Non imponibile - cessioni verso San Marino",
                          "Non imponibile - operazioni assimilate alle cessioni all'esportazione",
                          "Non imponibile - a seguito di dichiarazioni d'intento",
                          "Non imponibile - altre operazioni che non concorrono alla formazione del plafond"});
    case u'4': return QStringLiteral("Esente");
    case u'5': return QStringLiteral("Regime del margine / IVA non esposta in fattura");
    case u'6':
        return sottocaso(QStringLiteral("N6"),
                         {"Inversione contabile",
                          "Inversione contabile - cessione di rottami e altri materiali di recupero",
                          "Inversione contabile - cessione di oro e argento puro",
                          "Inversione contabile - subappalto nel settore edile",
                          "Inversione contabile - cessione di fabbricati",
                          "Inversione contabile - cessione di telefoni cellulari",
                          "Inversione contabile - cessione di prodotti elettronici",
                          "Inversione contabile - prestazioni comparto edile e settori connessi",
                          "Inversione contabile - operazioni settore energetico",
                          "Inversione contabile - altri casi"});
    case u'7': return QStringLiteral("IVA assolta in altro stato UE");
    default: return {};
    }
}

int TFrmClienti::MesiCondizioni() const
{
    const int voce = rgCondizioni->itemIndex();
    return voce >= 0 && voce < int(std::size(mesiPerCondizione)) ? mesiPerCondizione[voce] : 0;
}

// ---- opening and closing

void TFrmClienti::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Shown again after a print: still open, nothing to do.
    if (aperta)
        return;
    aperta = true;
    FormShow();
}

void TFrmClienti::FormShow()
{
    SBtnUndo->setEnabled(false);
    runDbAction(dm.prompts, [this] {
        dm.TblServizi.setFilter(QStringLiteral("Fatturabile"));
        dm.TblServizi.setFiltered(true);
        if (dm.TblClienti.active())
            dm.TblClienti.first();
        dm.CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm.DSClienti);
    });
    pageControl1->setCurrentIndex(0);
    chkEscluso->setFocus();
}

void TFrmClienti::done(int r)
{
    if (aperta)
        FormClose();
    aperta = false;
    QDialog::done(r);
}

void TFrmClienti::FormClose()
{
    for (DbNavigator* n : {DBNavigator1, DBNavigator2, DBNavigator3})
        n->click(NavButton::Cancel);
    if (frmClientiLst)
        frmClientiLst->close();
    if (frmSuppFatt)
        frmSuppFatt->close();
    if (dm.db.inTransaction()) {
        BusyCursor attesa;
        runDbAction(dm.prompts, [this] { dm.db.commit(); });
    }
    runDbAction(dm.prompts, [this] {
        dm.TblServizi.setFiltered(false);
        dm.TblServizi.setFilter({});
        dm.ScollegaPrimaNota();
    });
}

void TFrmClienti::nascondi()
{
    // QDialog::setVisible(false) would end the modal run the screen is shown in.
    QWidget::setVisible(false);
}

// ---- top bar

void TFrmClienti::SBtnUndoClick()
{
    runDbAction(dm.prompts, [this] { dm.AnnullaModifiche(dm.TblClienti); });
    SBtnUndo->setEnabled(false);
}

void TFrmClienti::SBtnRicercaClick()
{
    if (!frmClientiLst) {
        BusyCursor attesa;
        frmClientiLst = new TFrmClientiLst(dm, this);
    }
    frmClientiLst->Denominazione->setText(dm.TblClienti.active() ? dm.TblClienti["Denominazione"].asString() : QString());
    // Already open behind the screen: brought to the front.
    if (frmClientiLst->isVisible())
        frmClientiLst->raise();
    frmClientiLst->show();
    frmClientiLst->activateWindow();
}

void TFrmClienti::SBtnFatturaClick()
{
    if (!frmSuppFatt) {
        BusyCursor attesa;
        frmSuppFatt = new TFrmSuppFatt(dm, this);
    }
    // Already open behind the screen: brought to the front.
    if (frmSuppFatt->isVisible())
        frmSuppFatt->raise();
    frmSuppFatt->show();
    frmSuppFatt->activateWindow();
}

void TFrmClienti::SBtnCalcolaClick()
{
    runDbAction(dm.prompts, [this] { operazioni.CalcolaImponibile(MesiCondizioni()); });
}

void TFrmClienti::SBtnStampa1Click()
{
    if (estesa()) {
        StampaSchedaEstesa();
        return;
    }
    Table& clienti = dm.TblClienti;
    if (!clienti.active() || clienti.isEmpty())
        return;
    FiltroTemporaneo soloCliente(dm.prompts, clienti, QStringLiteral("Codice"));
    const QString filtro = QStringLiteral("Codice = %1").arg(qint64(clienti["Codice"].asFloat()));
    bool nascosta = false;
    const bool pronta = runDbAction(dm.prompts, [&] {
        BusyCursor attesa;
        if (!QRMDClienti)
            QRMDClienti = std::make_unique<TQRMDClienti>(dm);
        soloCliente.applica(filtro);
        dm.ModoElenco = false;
        nascondi();
        nascosta = true;
        // The sheet prints "Pagina n di total": the total is learnt first and kept as its title.
        QRMDClienti->title = QString::number(QRMDClienti->prepare());
    });
    if (pronta)
        runDbAction(dm.prompts, [&] { QRMDClienti->preview(dm.prompts, parentWidget()); });
    if (nascosta)
        show();
}

void TFrmClienti::SBtnStampa2Click()
{
    Table& clienti = dm.TblClienti;
    if (!clienti.active() || clienti.isEmpty())
        return;
    FiltroTemporaneo soloCliente(dm.prompts, clienti, QStringLiteral("Codice"));
    const QString filtro = QStringLiteral("Codice = %1").arg(qint64(clienti["Codice"].asFloat()));
    runDbAction(dm.prompts, [&] {
        if (!QRMDClienteSin) {
            BusyCursor attesa;
            QRMDClienteSin = std::make_unique<TQRMDClienteSin>(dm);
        }
        soloCliente.applica(filtro);
        QRMDClienteSin->preview(dm.prompts, this);
    });
}

void TFrmClienti::SBtnStampa3Click()
{
    FiltroTemporaneo soloConto(dm.prompts, dm.TblPrimaNota);
    runDbAction(dm.prompts, [&] {
        dm.CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm.DSClienti);
        dm.CalcolaSaldi(QStringLiteral("Conto = 0"));
        soloConto.applica(QStringLiteral("Conto = 0"));
        if (!QRDocumenti) {
            BusyCursor attesa;
            QRDocumenti = std::make_unique<TQRDocumenti>(dm);
        }
        QRDocumenti->preview(dm.prompts, this);
    });
}

void TFrmClienti::StampaSchedaEstesa()
{
    runDbAction(dm.prompts, [this] {
        operazioni.CompilaOstrelo(dm.TblClienti["Codice"].value());
        if (!QRSchedaEstesa) {
            BusyCursor attesa;
            QRSchedaEstesa = std::make_unique<TQRSchedaEstesa>(dm);
        }
        QRSchedaEstesa->preview(dm.prompts, this);
    });
    dm.TblOstrelo.close();
}

// ---- page "Sedi e noleggi"

void TFrmClienti::sbRicopiaImportiClick()
{
    if (!dm.prompts.askYes(QStringLiteral("Attenzione, sto per replicare quest importi su tutte le sedi. Continuo?")))
        return;
    BusyCursor attesa;
    runDbAction(dm.prompts, [this] { operazioni.RicopiaImporti(); });
}

void TFrmClienti::AssegnaServizio(int iter, double agente)
{
    runDbAction(dm.prompts, [&] {
        dm.TblSedi.edit();
        dm.TblSedi["Iter"] = iter;
        dm.TblSedi["Codice agente"] = agente;
    });
}

void TFrmClienti::SBtnEliminaServizioClick()
{
    runDbAction(dm.prompts, [this] {
        dm.TblSedi.edit();
        dm.TblSedi["Iter"] = 0;
    });
}

void TFrmClienti::InterventoNuovo()
{
    // A new intervention goes after the site's others: the one the navigator started gives way.
    Table& interventi = dm.TblInterventi;
    interventi.cancel();
    interventi.last();
    interventi.append();
}

// ---- windows of the higher layers, through the links the main window fills in

namespace {
void esegui(const std::function<void()>& collegamento)
{
    if (collegamento)
        collegamento();
}
} // namespace

void TFrmClienti::SBtnSaldoClick() { esegui(collegamenti.saldo); }
void TFrmClienti::BtnNotaCreditoClick() { esegui(collegamenti.notaCredito); }
void TFrmClienti::BtnCaricaClick() { esegui(collegamenti.caricaOrdine); }
void TFrmClienti::SBtnModificaServizioClick() { esegui(collegamenti.modificaServizio); }
void TFrmClienti::SBtnRaggruppamentiClick() { esegui(collegamenti.raggruppamenti); }

// The invoice window opens for this customer alone, in place of the screen, which then finds
// the customer again.
void TFrmClienti::BtnFatturaClick()
{
    Table& clienti = dm.TblClienti;
    if (!collegamenti.fattura || !clienti.active() || clienti.isEmpty())
        return;
    if (!runDbAction(dm.prompts, [&] { clienti.checkBrowseMode(); }))
        return;
    const QVariant codice = clienti["Codice"].value();
    nascondi();
    collegamenti.fattura();
    show();
    runDbAction(dm.prompts, [&] { clienti.locate(QStringLiteral("Codice"), {codice}); });
}
