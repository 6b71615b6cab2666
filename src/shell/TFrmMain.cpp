#include "TFrmMain.h"
#include "BarraStrumenti.h"
#include "BusyCursor.h"
#include "CopiaArchivi.h"
#include "Errors.h"
#include "Icone.h"
#include "QtPrompts.h"
#include "TDataModule1.h"
#include "TQRClientiLst.h"
#include "TQRMDClienti.h"
#include "TFrmAgenti.h"
#include "TFrmClienti.h"
#include "TFrmAnno.h"
#include "TFrmParametri.h"
#include "TFrmPasswordDlg.h"
#include "TFrmPrevSaldi.h"
#include "TFrmQuery.h"
#include "TFrmServizi.h"
#include "TFrmFatturaMan.h"
#include "TFrmFatture.h"
#include "TFrmNotaCre.h"
#include "TFrmValVisFE.h"
#include "OrdineFE.h"
#include "TFrmCopiaFile.h"
#include "DbAction.h"
#include "ElencoSospesi.h"
#include "TFrmConsumi.h"
#include "TFrmGroup.h"
#include "TFrmInventario.h"
#include "TFrmIter.h"
#include "TFrmSospesi.h"
#include "TFrmStoMag.h"
#include "TQRIntervento.h"
#include "TFrmModPag.h"
#include "TFrmPrimaNota.h"
#include "TFrmSaldo.h"
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QMenuBar>
#include <QToolButton>

TFrmMain::TFrmMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(TitoloApplicazione);
    creaMenu();
    creaToolBar();
    setFixedSize(sizeHint());
    move(10, 10);
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::creaMenu()
{
    QMenu* clienti = menuBar()->addMenu("&Clienti");
    voce(clienti, "Gestione", &TFrmMain::ClientiGestioneClick, Icone::clienti());
    QMenu* analitico = clienti->addMenu("Elenco analitico");
    voce(analitico, "Anteprima", &TFrmMain::ClientiAnaliticoAnteprimaClick);
    voce(analitico, "Stampa", &TFrmMain::ClientiAnaliticoStampaClick);
    QMenu* sintetico = clienti->addMenu("Elenco sintetico");
    voce(sintetico, "&Anteprima", &TFrmMain::ClientiSinteticoAnteprimaClick);
    voce(sintetico, "&Stampa", &TFrmMain::ClientiSinteticoStampaClick);
    voce(clienti, "Consumi", &TFrmMain::ClientiConsumiClick);
    QMenu* sospesi = clienti->addMenu("Sospesi");
    voce(sospesi, "Elenco sospesi", &TFrmMain::SospesiElencoClick);
    voce(sospesi, "Gestione", &TFrmMain::SospesiGestioneClick);

    QMenu* magazzino = menuBar()->addMenu("&Magazzino");
    voce(magazzino, "&Gestione", &TFrmMain::MagazzinoGestioneClick, Icone::magazzino());
    voce(magazzino, "&Storico", &TFrmMain::MagazzinoStoricoClick);
    voce(magazzino, "&Inventario", &TFrmMain::MagazzinoInventarioClick);

    QMenu* agenti = menuBar()->addMenu("&Agenti");
    voce(agenti, "&Gestione", &TFrmMain::AgentiGestioneClick, Icone::agenti());
    QMenu* scheda = agenti->addMenu("&Scheda");
    voce(scheda, "&Anteprima", &TFrmMain::AgentiSchedaAnteprimaClick);
    voce(scheda, "&Stampa", &TFrmMain::AgentiSchedaStampaClick);
    voce(agenti, "S&ervizi", &TFrmMain::AgentiServiziClick);

    QMenu* fatturazione = menuBar()->addMenu("&Fatturazione");
    voce(fatturazione, "&Automatica", &TFrmMain::FatturazioneAutomaticaClick, Icone::fatture());
    voce(fatturazione, "&Manuale", &TFrmMain::FatturazioneManualeClick);
    fatturazione->addSeparator();
    voce(fatturazione, "Valida / Visualizza FE", &TFrmMain::FatturazioneValidaFEClick);

    QMenu* altri = menuBar()->addMenu("A&ltri");
    voce(altri, "&Parametri", &TFrmMain::AltriParametriClick, Icone::parametri());
    voce(altri, "&Modalità di pagamento", &TFrmMain::AltriModPagClick, Icone::pagamenti());
    QMenu* anno = altri->addMenu("&Anno d'esercizio");
    voce(anno, "&Crea", &TFrmMain::AnnoCreaClick);
    voce(anno, "C&ambia", &TFrmMain::AnnoCambiaClick);
    voce(altri, "&Saldi anno precedente", &TFrmMain::AltriSaldiPrecClick);
    voce(altri, "P&rima nota", &TFrmMain::AltriPrimaNotaClick);
    altri->addSeparator();
    voce(altri, "Query", &TFrmMain::AltriQueryClick);
    altri->addSeparator();
    voce(altri, "E&xit", &TFrmMain::AltriExitClick, Icone::uscita());
}

void TFrmMain::voce(QMenu* menu, const QString& testo, void (TFrmMain::*click)(), const QIcon& icona)
{
    connect(menu->addAction(icona, testo), &QAction::triggered, this, click);
}

// Two rows of four flat buttons, image above caption, all of one size; the panel is at least
// as wide as the menu bar so that the menus fit on one line.
void TFrmMain::creaToolBar()
{
    pnlToolBar = new QFrame(this);
    pnlToolBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    sbtnClienti = pulsante("Clienti", Icone::clienti(), &TFrmMain::ClientiGestioneClick);
    sbtnMagazzino = pulsante("Magazz.", Icone::magazzino(), &TFrmMain::MagazzinoGestioneClick);
    sbtnAgenti = pulsante("Agenti", Icone::agenti(), &TFrmMain::AgentiGestioneClick);
    sbtnServizi = pulsante("Servizi", Icone::servizi(), &TFrmMain::AgentiServiziClick);
    sbtnFatture = pulsante("Fattur.", Icone::fatture(), &TFrmMain::FatturazioneAutomaticaClick);
    sbtnParametri = pulsante("Param.", Icone::parametri(), &TFrmMain::AltriParametriClick);
    sbtnModPag = pulsante("Mod. pag.", Icone::pagamenti(), &TFrmMain::AltriModPagClick);
    sbtnEsci = pulsante(QString(), Icone::uscita(), &TFrmMain::AltriExitClick);
    sbtnEsci->setToolButtonStyle(Qt::ToolButtonIconOnly);

    const QList<QToolButton*> pulsanti = {sbtnClienti, sbtnMagazzino, sbtnAgenti, sbtnServizi,
                                          sbtnFatture, sbtnParametri, sbtnModPag, sbtnEsci};
    auto* griglia = new QGridLayout(pnlToolBar);
    griglia->setContentsMargins(3, 3, 3, 3);
    griglia->setSpacing(1);
    QSize dim(64, 58);
    for (QToolButton* b : pulsanti)
        dim = dim.expandedTo(b->sizeHint());
    const int margini = 6 + 3 * griglia->spacing() + 2 * pnlToolBar->frameWidth();
    dim.setWidth(qMax(dim.width(), (menuBar()->sizeHint().width() - margini + 3) / 4));
    for (int i = 0; i < pulsanti.size(); ++i) {
        pulsanti[i]->setFixedSize(dim);
        griglia->addWidget(pulsanti[i], i / 4, i % 4);
    }
    setCentralWidget(pnlToolBar);
}

QToolButton* TFrmMain::pulsante(const QString& testo, const QIcon& icona, void (TFrmMain::*click)())
{
    QToolButton* b = pulsanteStrumento(icona, QString(), 32, pnlToolBar);
    b->setText(testo);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    connect(b, &QToolButton::clicked, this, click);
    return b;
}

void TFrmMain::impostaDataModule(TDataModule1& d)
{
    dm = &d;
    // The new fiscal year ends on the parameters screen, for its last invoice number.
    dm->mostraParametri = [this] { apri<TFrmParametri>(); };
    connect(dm, &TDataModule1::annoCambiato, this, &TFrmMain::mostraEsercizio);
    mostraEsercizio();
}

// The caption names the fiscal year in use, so that a change of year is seen at once.
void TFrmMain::mostraEsercizio()
{
    const QString anno = AnnoCorrente();
    setWindowTitle(anno.isEmpty() ? TitoloApplicazione
                                  : QStringLiteral("%1 - Esercizio %2").arg(TitoloApplicazione, anno));
}

template <class T>
int TFrmMain::apri()
{
    T& w = finestre.get<T>([this](QWidget* owner) { return new T(*dm, owner); });
    return w.exec();
}

void TFrmMain::ClientiGestioneClick()
{
    finestre.get<TFrmClienti>([this](QWidget* owner) {
        auto* w = new TFrmClienti(*dm, owner);
        collegaClienti(*w);
        return w;
    }).exec();
}

// The customer screen's buttons that open windows of the layers below it.
void TFrmMain::collegaClienti(TFrmClienti& w)
{
    w.collegamenti.notaCredito = [this] { apri<TFrmNotaCre>(); };
    w.collegamenti.fattura = [this] { apriFatture(QString::number(dm->TblClienti["Codice"].asFloat(), 'f', 0)); };
    w.collegamenti.saldo = [this] { apri<TFrmSaldo>(); };
    w.collegamenti.caricaOrdine = [this] { CaricaNumeroOrdine(dm->prompts, dm->TblClienti, dm->cartellaLavoro()); };
    // The route chosen with "OK" goes to the site being shown, with its agent.
    w.collegamenti.modificaServizio = [this, &w] {
        if (apriServizi(true) == QDialog::Accepted)
            w.AssegnaServizio(int(dm->TblIter["Codice"].asInteger()), dm->TblIter["Agente"].asFloat());
    };
    w.collegamenti.raggruppamenti = [this] { apri<TFrmGroup>(); };
}

int TFrmMain::apriServizi(bool scelta)
{
    TFrmIter& w = finestre.get<TFrmIter>([this](QWidget* owner) { return new TFrmIter(*dm, owner); });
    w.mostraOk(scelta);
    return w.exec();
}

void TFrmMain::MagazzinoGestioneClick()
{
    apri<TFrmServizi>();
}

void TFrmMain::AgentiGestioneClick()
{
    apri<TFrmAgenti>();
}

void TFrmMain::AltriParametriClick()
{
    apri<TFrmParametri>();
}

void TFrmMain::AltriModPagClick()
{
    apri<TFrmModPag>();
}

void TFrmMain::AltriSaldiPrecClick()
{
    apri<TFrmPrevSaldi>();
}

// The direct ledger screen opens only after the password.
void TFrmMain::AltriPrimaNotaClick()
{
    if (apri<TFrmPasswordDlg>() != QDialog::Accepted)
        return;
    apri<TFrmPrimaNota>();
}

void TFrmMain::AltriQueryClick()
{
    apri<TFrmQuery>();
}

QString TFrmMain::AnnoCorrente() const
{
    return dm ? dm->AnnoCorrente() : QString();
}

QString TFrmMain::FileContatore() const
{
    return dm ? dm->FileContatore() : QStringLiteral("archivi/fatture.dat");
}

TFrmAnno& TFrmMain::FrmAnno()
{
    if (!frmAnno) {
        BusyCursor attesa;
        frmAnno = new TFrmAnno(*dm, this);
    }
    return *frmAnno;
}

TFrmCopiaFile& TFrmMain::FrmCopiaFile()
{
    if (!frmCopiaFile) {
        BusyCursor attesa;
        frmCopiaFile = new TFrmCopiaFile(this);
    }
    return *frmCopiaFile;
}

void TFrmMain::closeEvent(QCloseEvent* e)
{
    if (dm && copiaAllUscita) {
        try {
            CopiaArchivi(*dm, &FrmCopiaFile());
        } catch (const LavError& err) {
            dm->prompts.standardError(err.message());
        }
    }
    e->accept();
    Q_EMIT chiusa();
}

void TFrmMain::AnnoCambiaClick()
{
    FrmAnno().exec();
}

// The list of every customer: prepared once to learn its page count, which the page footer
// prints as the total, then shown or printed.
void TFrmMain::elencoAnalitico(bool stampa)
{
    if (!qrMDClienti) {
        BusyCursor attesa;
        qrMDClienti = std::make_unique<TQRMDClienti>(*dm);
    }
    dm->ModoElenco = true;
    {
        BusyCursor attesa;
        qrMDClienti->prepare();
        qrMDClienti->title = QString::number(qrMDClienti->pageCount());
    }
    if (stampa)
        stampaDiretta(*qrMDClienti);
    else
        qrMDClienti->preview(dm->prompts, this);
}

void TFrmMain::stampaDiretta(ReportDocument& r)
{
    if (!r.printDirect())
        dm->prompts.error(QStringLiteral("Stampa non riuscita: nessuna stampante predefinita disponibile."));
}

void TFrmMain::ClientiAnaliticoAnteprimaClick()
{
    elencoAnalitico(false);
}

void TFrmMain::ClientiAnaliticoStampaClick()
{
    elencoAnalitico(true);
}

void TFrmMain::ClientiSinteticoAnteprimaClick()
{
    if (!qrClientiLst)
        qrClientiLst = std::make_unique<TQRClientiLst>(*dm);
    qrClientiLst->preview(dm->prompts, this);
}

// The summary list has no print of its own; this entry prints it on the default printer.
void TFrmMain::ClientiSinteticoStampaClick()
{
    if (!qrClientiLst)
        qrClientiLst = std::make_unique<TQRClientiLst>(*dm);
    stampaDiretta(*qrClientiLst);
}

void TFrmMain::FatturazioneValidaFEClick()
{
    TFrmValVisFE::DelModulo(*dm, this).Apri();
}

void TFrmMain::FatturazioneAutomaticaClick()
{
    apriFatture(QString());
}

// The invoice window for every due customer, or for one only (the customer screen's "Fattura").
void TFrmMain::apriFatture(const QString& cliente)
{
    auto& w = finestre.get<TFrmFatture>([this](QWidget* owner) { return new TFrmFatture(*dm, owner); });
    w.ClienteSingolo = cliente;
    w.exec();
}

void TFrmMain::FatturazioneManualeClick()
{
    apri<TFrmFatturaMan>();
}

void TFrmMain::AnnoCreaClick()
{
    dm->CreaAnnoSuccessivo();
}

void TFrmMain::AltriExitClick()
{
    close();
}

void TFrmMain::ClientiConsumiClick()
{
    apri<TFrmConsumi>();
}

void TFrmMain::SospesiGestioneClick()
{
    apri<TFrmSospesi>();
}

// The revision typed (nothing when the question is cancelled) closes the totals.
void TFrmMain::SospesiElencoClick()
{
    if (!elencoSospesi) {
        BusyCursor attesa;
        elencoSospesi = std::make_unique<ElencoSospesi>(*dm);
    }
    const std::optional<QString> revisione =
        dm->prompts.input(QStringLiteral("Inserisci i dati"), QStringLiteral("N° e data revisione"), QString());
    runDbAction(dm->prompts, [&] { elencoSospesi->Prepara(revisione.value_or(QString())).preview(dm->prompts, this); });
}

void TFrmMain::MagazzinoStoricoClick()
{
    apri<TFrmStoMag>();
}

void TFrmMain::MagazzinoInventarioClick()
{
    apri<TFrmInventario>();
}

TQRIntervento& TFrmMain::QRIntervento()
{
    if (!qrIntervento) {
        BusyCursor attesa;
        qrIntervento = std::make_unique<TQRIntervento>(*dm);
    }
    return *qrIntervento;
}

void TFrmMain::AgentiSchedaAnteprimaClick()
{
    runDbAction(dm->prompts, [this] { QRIntervento().preview(dm->prompts, this); });
}

void TFrmMain::AgentiSchedaStampaClick()
{
    runDbAction(dm->prompts, [this] { stampaDiretta(QRIntervento()); });
}

// From the main window the routes are only looked at: no "OK".
void TFrmMain::AgentiServiziClick()
{
    apriServizi(false);
}
