#include "TFrmFatturaMan.h"

#include "BarraStrumenti.h"
#include "BusyCursor.h"
#include "Centra.h"
#include "Clock.h"
#include "DbAction.h"
#include "DbCheckBox.h"
#include "DbComboBox.h"
#include "DbEdit.h"
#include "DbMemo.h"
#include "DbNavigator.h"
#include "DbText.h"
#include "FocusColour.h"
#include "GruppoFE.h"
#include "Icone.h"
#include "Modulo.h"
#include "OrdineFE.h"
#include "PageModel.h"
#include "TDataModule1.h"
#include "TFrmClienti.h"
#include "TFrmFatturaManLst.h"
#include "TFrmNotaCreMan.h"
#include "TQRFatturaMan.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QSqlQuery>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <class T>
T* come(QWidget* w)
{
    return static_cast<T*>(w);
}

} // namespace

TFrmFatturaMan::TFrmFatturaMan(TDataModule1& dati, QWidget* parent)
    : QDialog(parent, finestraFissa), manuali(dati), dm(dati)
{
    setWindowTitle(QStringLiteral("Fattura manuale"));

    auto* barra = new BarraStrumenti(this);
    SBtnRicerca = barra->pulsante(Icone::ricerca(), QStringLiteral("Ricerca"), QStringLiteral("SBtnRicerca"));
    SBtnPreview = barra->pulsante(Icone::anteprima(), QStringLiteral("Anteprima"), QStringLiteral("SBtnPreview"));
    SBtnPrint = barra->pulsante(Icone::stampa(), QStringLiteral("Stampa"), QStringLiteral("SBtnPrint"));
    sbDuplica = barra->pulsante(Icone::ulterioriRighe(), QStringLiteral("Crea un duplicato della fattura"),
                                QStringLiteral("sbDuplica"));
    barra->spazio();
    DBNavigator1 = barra->navigatore(dm.DSFatturaMan, Nav::Browse | Nav::Editing, dm.prompts, QStringLiteral("DBNavigator1"));
    barra->spazio();
    BtnNotaCredito = barra->comando(QStringLiteral("Nota credito"), QStringLiteral("Emetti nota credito"));
    barra->allunga();
    txtCodice = new DbText(&dm.DSFatturaMan, QStringLiteral("Codice"), dm.prompts, barra);
    comeCampoSoloLettura(txtCodice, larghezzaCaratteri(txtCodice, 7));
    txtCodice->setAlignment(Qt::AlignCenter);
    barra->aggiungi(txtCodice);
    barra->spazio();
    btnChiudi = barra->chiudi();

    // Three bands, so that the window fits a 1366 x 768 screen: the electronic-invoice data
    // beside the addressee, the lines beside the dates and totals, the footer texts beside the
    // electronic-invoice group. Made in reading order, which is the Tab order.
    auto* alto = new QHBoxLayout;
    alto->setSpacing(10);
    alto->addWidget(creaDatiFE());
    alto->addWidget(creaDestinatario(), 1);
    QWidget* righe = creaRighe();
    auto* basso = new QHBoxLayout;
    basso->setSpacing(10);
    basso->addWidget(creaPiede(), 1);
    grpFE = new GruppoFE(dm, SessioneFE::Schermata::FatturaMan, this, QStringLiteral("Fattura Elettroniche"));
    grpFE->genera = [this] { return grpFE->sessione.GeneraManuale(); };
    basso->addWidget(grpFE, 0, Qt::AlignBottom);

    auto* corpo = new QVBoxLayout;
    corpo->setContentsMargins(10, 0, 10, 0);
    corpo->setSpacing(8);
    corpo->addLayout(alto);
    corpo->addWidget(righe);
    corpo->addLayout(basso);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 10);
    l->setSpacing(8);
    l->addWidget(barra);
    l->addLayout(corpo);
    setFixedSize(sizeHint());
    centraSulloSchermo(*this);

    DBNavigator1->beforeAction = [this](NavButton b) { DBNavigator1BeforeAction(b); };
    connect(DBNavigator1, &DbNavigator::clicked, this, &TFrmFatturaMan::DBNavigator1Click);
    connect(&dm.DSFatturaMan, &DataSource::stateChanged, this, &TFrmFatturaMan::DBNavigator1Click);
    connect(&dm.DSFatturaMan, &DataSource::recordChanged, this, &TFrmFatturaMan::DBNavigator1Click);
    connect(SBtnRicerca, &QToolButton::clicked, this, &TFrmFatturaMan::SBtnRicercaClick);
    connect(SBtnPreview, &QToolButton::clicked, this, &TFrmFatturaMan::SBtnPreviewClick);
    connect(SBtnPrint, &QToolButton::clicked, this, &TFrmFatturaMan::SBtnPrintClick);
    connect(sbDuplica, &QToolButton::clicked, this, &TFrmFatturaMan::sbDuplicaClick);
    connect(BtnNotaCredito, &QPushButton::clicked, this, &TFrmFatturaMan::BtnNotaCreditoClick);
    connect(BtnCarica, &QPushButton::clicked, this, &TFrmFatturaMan::BtnCaricaClick);
    connect(chkPA, &QCheckBox::clicked, this, &TFrmFatturaMan::chkPAClick);
    connect(edtIva, &QLineEdit::textEdited, this, &TFrmFatturaMan::edtIvaChange);
    connect(cmbNatura, &QComboBox::currentTextChanged, this, &TFrmFatturaMan::cmbNaturaChange);
    edtDataFattura->installEventFilter(this);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmFatturaMan::~TFrmFatturaMan() = default;

QWidget* TFrmFatturaMan::creaDatiFE()
{
    auto* riquadro = new QGroupBox(QStringLiteral("Dati fattura elettronica"), this);
    ControlliVivi c(&dm.DSFatturaMan, dm.prompts, riquadro);
    c.coloreFuoco = true;
    BtnCarica = new QPushButton(QStringLiteral("Carica..."), riquadro);
    BtnCarica->setToolTip(QStringLiteral("Preleva numero del contratto da file xml"));
    BtnCarica->setAutoDefault(false);
    auto* g = new QGridLayout(riquadro);
    g->setHorizontalSpacing(8);
    disponiCampi(g, c,
                 {{.etichetta = "Codice &PA", .campo = "Codice_FE", .riga = 0, .caratteri = 8, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Maiuscolo, .dove = &Codice_FE},
                  {.etichetta = "Fattura verso PA", .campo = "PA", .riga = 0, .colonna = 2, .tipo = VoceModulo::Spunta,
                   .dove = &chkPA},
                  {.etichetta = "Scissione dei pagamenti", .campo = "Scissione", .riga = 0, .colonna = 3,
                   .tipo = VoceModulo::Spunta, .dove = &chkScissione},
                  {.etichetta = "Ci&g", .campo = "Cig", .riga = 1, .ampiezza = 3, .tipo = VoceModulo::Maiuscolo, .dove = &edtCig},
                  {.etichetta = "Data contratto", .campo = "DataContratto", .riga = 2, .caratteri = 10,
                   .allinea = Qt::AlignLeft, .tipo = VoceModulo::Data, .dove = &edtDataContratto},
                  {.etichetta = "Num. contratto", .campo = "NumContratto", .riga = 2, .colonna = 2, .caratteri = 16,
                   .allinea = Qt::AlignLeft, .tipo = VoceModulo::Maiuscolo, .dove = &edtNumContratto},
                  {.riga = 2, .colonna = 4, .controllo = BtnCarica},
                  {.etichetta = "Cau&sale", .campo = "Causale", .riga = 3, .ampiezza = 4, .dove = &edtCausale}});
    g->setColumnStretch(3, 1);
    return riquadro;
}

QWidget* TFrmFatturaMan::creaDestinatario()
{
    auto* riquadro = new QGroupBox(QStringLiteral("Destinatario"), this);
    ControlliVivi c(&dm.DSFatturaMan, dm.prompts, riquadro);
    c.coloreFuoco = true;
    auto* g = new QGridLayout(riquadro);
    g->setHorizontalSpacing(8);
    disponiCampi(g, c,
                 {{.etichetta = "&Nome", .campo = "Nome1", .riga = 0, .dove = &edtNome1},
                  {.etichetta = "Nome (&2)", .campo = "Nome2", .riga = 1, .dove = &edtNome2},
                  {.etichetta = "&Indirizzo", .campo = "Indirizzo", .riga = 2, .dove = &edtIndirizzo},
                  {.etichetta = "&Città", .campo = "Città", .riga = 3, .dove = &edtCitta},
                  {.etichetta = "Codice &fiscale", .campo = "Codice fiscale", .riga = 0, .colonna = 2, .caratteri = 17,
                   .allinea = Qt::AlignLeft, .tipo = VoceModulo::Maiuscolo, .dove = &edtCodiceFiscale},
                  {.etichetta = "Partita i&va", .campo = "Partita iva", .riga = 1, .colonna = 2, .caratteri = 12,
                   .allinea = Qt::AlignLeft, .dove = &edtPartitaIva},
                  {.etichetta = "P&EC", .campo = "PEC", .riga = 2, .colonna = 2, .dove = &edtPEC},
                  {.etichetta = "Coordinate &bancarie", .campo = "CoordinateBanca", .riga = 3, .colonna = 2,
                   .tipo = VoceModulo::Maiuscolo, .dove = &edtCoordinateBanca},
                  {.etichetta = "Millesimi di euro", .campo = "Millesimi", .riga = 4, .colonna = 0, .ampiezza = 2,
                   .tipo = VoceModulo::Spunta, .dove = &chkMillesimi},
                  {.etichetta = "Banca", .campo = "Banca", .riga = 4, .colonna = 2, .dove = &edtBanca}});
    edtPartitaIva->setMask(QStringLiteral("99999999999"));
    for (DbEdit* e : {edtNome1, edtNome2, edtIndirizzo, edtCitta})
        e->setMinimumWidth(larghezzaCaratteri(e, 24));
    // An Italian IBAN has 27 characters: the box shows it whole.
    for (DbEdit* e : {edtPEC, edtCoordinateBanca, edtBanca})
        e->setMinimumWidth(larghezzaCaratteri(e, 28));
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return riquadro;
}

// The eleven lines at the left, the invoice's dates, VAT and totals at the right.
QWidget* TFrmFatturaMan::creaRighe()
{
    auto* pannello = new QWidget(this);
    ControlliVivi c(&dm.DSFatturaMan, dm.prompts, pannello);
    c.coloreFuoco = true;
    auto* linee = new QGridLayout;
    linee->setHorizontalSpacing(4);
    linee->setVerticalSpacing(2);
    const char* titoli[] = {"Quantità", "Descrizione", "Prezzo unitario", "Importo"};
    for (int k = 0; k < 4; ++k)
        linee->addWidget(new QLabel(QString::fromUtf8(titoli[k]), pannello), 0, k, Qt::AlignHCenter);
    for (int i = 0; i < righe; ++i) {
        const int n = i + 1;
        edtQuantita[i] = come<DbEdit>(c.testo(QStringLiteral("Quantità %1").arg(n)));
        edtQuantita[i]->setFixedWidth(larghezzaCaratteri(edtQuantita[i], 6));
        edtQuantita[i]->setAlignment(Qt::AlignRight);
        edtDescrizione[i] = come<DbEdit>(c.testo(QStringLiteral("Descrizione %1").arg(n)));
        edtDescrizione[i]->setMinimumWidth(larghezzaCaratteri(edtDescrizione[i], 40));
        edtPrezzo[i] = come<DbEdit>(c.testo(QStringLiteral("Prezzo unitario %1").arg(n)));
        edtPrezzo[i]->setFixedWidth(larghezzaCaratteri(edtPrezzo[i], 10));
        edtPrezzo[i]->setAlignment(Qt::AlignRight);
        edtPrezzo[i]->setDisplayMask(QStringLiteral("#.###"));
        txtImporto[i] = new DbText(&dm.DSFatturaMan, QStringLiteral("Importo %1").arg(n), dm.prompts, pannello);
        comeCampoSoloLettura(txtImporto[i], larghezzaCaratteri(txtImporto[i], 12));
        txtImporto[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        linee->addWidget(edtQuantita[i], n, 0);
        linee->addWidget(edtDescrizione[i], n, 1);
        linee->addWidget(edtPrezzo[i], n, 2);
        linee->addWidget(txtImporto[i], n, 3);
    }
    linee->setColumnStretch(1, 1);

    dtpDataStampa = new QDateEdit(pannello);
    dtpDataStampa->setCalendarPopup(true);
    dtpDataStampa->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    cmbNatura = new DbComboBox(&dm.DSFatturaMan, QStringLiteral("NATURA"), dm.prompts, pannello);
    cmbNatura->setItems(TFrmClienti::CodiciNatura());
    cmbNatura->setMaxVisibleItems(24);
    lbNatura = new QLabel(pannello);
    lbNatura->setWordWrap(true);
    lbNatura->setMinimumHeight(lbNatura->fontMetrics().height() * 2);
    lbNatura->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto totale = [&](DbText*& t, const char* campo) {
        t = new DbText(&dm.DSFatturaMan, QString::fromUtf8(campo), dm.prompts, pannello);
        comeCampoSoloLettura(t, larghezzaCaratteri(t, 12));
        t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return t;
    };
    // The dates in one column, VAT and totals in the next, the nature's text under both.
    auto* dati = new QGridLayout;
    dati->setHorizontalSpacing(8);
    dati->setVerticalSpacing(4);
    disponiCampi(dati, c,
                 {{.etichetta = "&Data fattura", .campo = "Data fattura", .riga = 0, .caratteri = 10, .tipo = VoceModulo::Data,
                   .dove = &edtDataFattura},
                  {.etichetta = "N&umero fattura", .campo = "Numero fattura", .riga = 1, .caratteri = 10, .dove = &edtNumeroFattura},
                  {.etichetta = "Data inizio periodo", .campo = "DataInizioP", .riga = 2, .caratteri = 10,
                   .tipo = VoceModulo::Data, .dove = &edtDataInizioP},
                  {.etichetta = "Data fine periodo", .campo = "DataFineP", .riga = 3, .caratteri = 10,
                   .tipo = VoceModulo::Data, .dove = &edtDataFineP},
                  {.etichetta = "Data di stampa", .riga = 4, .controllo = dtpDataStampa},
                  {.etichetta = "Data scadenza", .campo = "DataScadenza", .riga = 5, .caratteri = 10,
                   .tipo = VoceModulo::Data, .dove = &edtDataScadenza},
                  {.etichetta = "Iv&a", .campo = "Iva", .riga = 0, .colonna = 2, .caratteri = 5, .allinea = Qt::AlignLeft,
                   .dove = &edtIva},
                  {.etichetta = "Natura", .riga = 1, .colonna = 2, .caratteri = 8, .allinea = Qt::AlignLeft, .controllo = cmbNatura},
                  {.etichetta = "Imponibile", .riga = 3, .colonna = 2, .controllo = totale(txtImponibile, "Imponibile")},
                  {.etichetta = "Importo iva", .riga = 4, .colonna = 2, .controllo = totale(txtImportoIva, "Imponibile ivato")},
                  {.etichetta = "Totale", .riga = 5, .colonna = 2, .controllo = totale(txtTotale, "Totale")},
                  {.riga = 6, .ampiezza = 4, .controllo = lbNatura}});
    edtIva->setAlignment(Qt::AlignRight);
    dati->setRowStretch(7, 1);

    auto* l = new QHBoxLayout(pannello);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(16);
    l->addLayout(linee, 1);
    l->addLayout(dati);
    return pannello;
}

QWidget* TFrmFatturaMan::creaPiede()
{
    auto* pannello = new QWidget(this);
    ControlliVivi c(&dm.DSFatturaMan, dm.prompts, pannello);
    c.coloreFuoco = true;
    auto* g = new QGridLayout(pannello);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(2);
    for (int i = 0; i < 6; ++i) {
        const QString campo = QStringLiteral("Rigo %1").arg(i + 1);
        edtRigo[i] = come<DbEdit>(c.testo(campo));
        g->addWidget(c.etichetta(campo, edtRigo[i]), i % 3, (i / 3) * 2);
        g->addWidget(edtRigo[i], i % 3, (i / 3) * 2 + 1);
    }
    Rigo_7 = new DbMemo(&dm.DSFatturaMan, QStringLiteral("Rigo_7"), dm.prompts, pannello);
    Rigo_7->setObjectName(QStringLiteral("Rigo_7"));
    FocusColour::install(Rigo_7);
    Rigo_7->setFixedHeight(Rigo_7->fontMetrics().height() * 3 + 10);
    g->addWidget(etichetta(QStringLiteral("Fine pagina fattura"), Rigo_7, pannello), 3, 0);
    g->addWidget(Rigo_7, 3, 1, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return pannello;
}

void TFrmFatturaMan::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    dtpDataStampa->setDate(oggi());
    runDbAction(dm.prompts, [this] {
        if (dm.TblFatturaMan.active())
            dm.TblFatturaMan.first();
    });
    grpFE->Mostra();
    limitaCodicePA();
    aggiornaNatura();
}

void TFrmFatturaMan::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (!e->spontaneous() && frmLst)
        frmLst->close();
}

bool TFrmFatturaMan::inModifica() const
{
    const DatasetState s = dm.DSFatturaMan.state();
    return s == DatasetState::Edit || s == DatasetState::Insert;
}

// Six characters for a public administration, seven for anyone else.
void TFrmFatturaMan::limitaCodicePA()
{
    Codice_FE->setMaxLength(chkPA->isChecked() ? 6 : 7);
}

void TFrmFatturaMan::aggiornaNatura()
{
    const QString iva = edtIva->text().trimmed();
    cmbNatura->setEnabled(inModifica() && (iva.isEmpty() || iva == QLatin1String("0")));
    lbNatura->setText(TFrmClienti::DescrizioneNatura(cmbNatura->currentText()));
}

void TFrmFatturaMan::DBNavigator1BeforeAction(NavButton b)
{
    if (b == NavButton::Post && inModifica())
        manuali.PeriodoPredefinito(dm.TblFatturaMan);
}

void TFrmFatturaMan::DBNavigator1Click()
{
    limitaCodicePA();
    aggiornaNatura();
}

void TFrmFatturaMan::chkPAClick()
{
    if (chkPA->isChecked() && inModifica())
        runDbAction(dm.prompts, [this] {
            Field& codice = dm.TblFatturaMan["Codice_FE"];
            codice = codice.asString().left(6).trimmed();
        });
    limitaCodicePA();
}

void TFrmFatturaMan::edtIvaChange()
{
    if (!inModifica())
        return;
    const QString iva = edtIva->text().trimmed();
    if (iva.isEmpty() || iva == QLatin1String("0")) {
        cmbNatura->setEnabled(true);
        return;
    }
    runDbAction(dm.prompts, [this] { dm.TblFatturaMan["NATURA"].clear(); });
    cmbNatura->setCurrentIndex(0);
    cmbNatura->setEnabled(false);
    lbNatura->clear();
}

void TFrmFatturaMan::cmbNaturaChange()
{
    lbNatura->setText(TFrmClienti::DescrizioneNatura(cmbNatura->currentText()));
}

bool TFrmFatturaMan::eventFilter(QObject* o, QEvent* e)
{
    if (o == edtDataFattura && e->type() == QEvent::FocusOut)
        edtDataFatturaExit();
    return QDialog::eventFilter(o, e);
}

void TFrmFatturaMan::edtDataFatturaExit()
{
    if (!inModifica())
        return;
    if (edtDataFattura->commit())
        runDbAction(dm.prompts, [this] { FattureManuali::ScadenzaPredefinita(dm.TblFatturaMan); });
}

// The chosen row stands for its name, second name and address: the window goes to the first
// invoice, by code, that has the same three.
void TFrmFatturaMan::SBtnRicercaClick()
{
    if (!frmLst) {
        BusyCursor attesa;
        frmLst = new TFrmFatturaManLst(dm, this);
    }
    if (frmLst->exec() != QDialog::Accepted || !frmLst->qElenco.active() || frmLst->qElenco.isEmpty())
        return;
    Query& scelta = frmLst->qElenco;
    runDbAction(dm.prompts, [&] {
        dm.TblFatturaMan.checkBrowseMode();
        QSqlQuery q = dm.db.exec(QStringLiteral("SELECT min(Codice) FROM Fattman WHERE Nome1 IS ? AND Nome2 IS ? AND Indirizzo IS ?"),
                                 {scelta["Nome1"].value(), scelta["Nome2"].value(), scelta["Indirizzo"].value()});
        if (q.next() && !q.value(0).isNull())
            dm.TblFatturaMan.locate(QStringLiteral("Codice"), {q.value(0)});
    });
    limitaCodicePA();
}

TQRFatturaMan& TFrmFatturaMan::stampato()
{
    if (!report) {
        BusyCursor attesa;
        report = std::make_unique<TQRFatturaMan>(dm);
    }
    return *report;
}

void TFrmFatturaMan::SBtnPreviewClick()
{
    TQRFatturaMan& r = stampato();
    if (runDbAction(dm.prompts, [&] { manuali.Anteprima(r); }))
        r.showPreview(dm.prompts, this);
}

// Two copies whatever the dialog says; the number is taken only once the dialog is confirmed.
void TFrmFatturaMan::SBtnPrintClick()
{
    if (!dm.TblFatturaMan.active() || dm.TblFatturaMan.isEmpty())
        return;
    TQRFatturaMan& r = stampato();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(r.title);
    if (!dm.prompts.printSetup(printer))
        return;
    runDbAction(dm.prompts, [&] {
        manuali.Stampa(r, dtpDataStampa->date(), [&printer](const PageModel& pagine) {
            printer.setPrintRange(QPrinter::AllPages);
            printer.setCopyCount(2);
            return pagine.print(printer);
        });
    });
}

void TFrmFatturaMan::sbDuplicaClick()
{
    runDbAction(dm.prompts, [this] { manuali.Duplica(); });
}

void TFrmFatturaMan::BtnNotaCreditoClick()
{
    if (!frmNotaCreMan) {
        BusyCursor attesa;
        frmNotaCreMan = new TFrmNotaCreMan(dm, this);
    }
    frmNotaCreMan->exec();
}

void TFrmFatturaMan::BtnCaricaClick()
{
    runDbAction(dm.prompts, [this] { CaricaNumeroOrdine(dm.prompts, dm.TblFatturaMan, dm.cartellaLavoro()); });
}
