#include "TFrmClienti.h"
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
#include "TFrmClientiIcone.h"
#include "TFrmClientiLst.h"
#include "TFrmClientiPannelli.h"
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
#include <QShortcut>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

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

QStringList codiciNatura()
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

// Rounds to three decimals, halves up: trunc(x / 0.001 + 0.5) × 0.001.
double arrotondaMillesimi(double x)
{
    return std::trunc(x / 0.001 + 0.5) * 0.001;
}

bool inModifica(const DataSource& s)
{
    return s.state() == DatasetState::Edit || s.state() == DatasetState::Insert;
}

// A caption whose accelerator takes the focus to its control. A second "&" in the caption
// ("&Denominazione (&1)") is one more accelerator of the same control.
QLabel* etichetta(const QString& testo, QWidget* controllo, QWidget* parent)
{
    auto* l = new QLabel(testo, parent);
    l->setBuddy(controllo);
    bool primo = true;
    for (int i = 0; i + 1 < testo.size(); ++i) {
        if (testo[i] != u'&')
            continue;
        if (testo[i + 1] == u'&') {
            ++i;
            continue;
        }
        if (!primo) {
            auto* scorciatoia = new QShortcut(QKeySequence(QStringLiteral("Alt+") + testo[i + 1]), l);
            QObject::connect(scorciatoia, &QShortcut::activated, controllo,
                             [controllo] { controllo->setFocus(Qt::ShortcutFocusReason); });
        }
        primo = false;
    }
    return l;
}

QToolButton* pulsante(const QIcon& icona, const QString& suggerimento, const QString& nome, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(nome);
    b->setIcon(icona);
    b->setIconSize(QSize(18, 18));
    b->setFixedSize(28, 25);
    b->setToolTip(suggerimento);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QToolButton* pulsanteStampa(const QString& didascalia, const QString& suggerimento, const QString& nome,
                            QWidget* parent)
{
    auto* b = pulsante(TFrmClientiIcone::stampa(), suggerimento, nome, parent);
    b->setText(didascalia);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFixedSize(40, 25);
    return b;
}

QFrame* separatore(QWidget* parent)
{
    auto* s = new QFrame(parent);
    s->setFrameShape(QFrame::VLine);
    s->setFrameShadow(QFrame::Sunken);
    return s;
}

// Width of a box for n characters of the window's font.
int larghezza(const QWidget* w, int caratteri)
{
    return w->fontMetrics().horizontalAdvance(QLatin1Char('0')) * caratteri + 14;
}

// A row with a caption and the navigator of a data source, as the page's three lists have.
DbNavigator* filaNavigatore(QHBoxLayout* fila, QLabel* etichetta, DataSource* fonte, NavButtons pulsanti,
                            const QString& nome, Prompts& prompts, QWidget* pagina)
{
    fila->setSpacing(2);
    auto* nav = new DbNavigator(fonte, pulsanti, prompts, pagina);
    nav->setObjectName(nome);
    nav->setHints(DbNavigator::hintsStandard);
    etichetta->setMinimumWidth(larghezza(pagina, 8));
    fila->addWidget(etichetta);
    fila->addWidget(nav);
    return nav;
}

// A site in the standard way: address, keys, town, route, group address, agent, amount.
void costruisciSede(GrigliaPannelli::Controlli& c, QWidget* p, QWidget** indirizzo)
{
    auto* g = new QGridLayout(p);
    g->setContentsMargins(6, 6, 6, 6);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(4);
    QWidget* ind = c.testo(QStringLiteral("Indirizzo"));
    g->addWidget(c.etichetta(QStringLiteral("Indi&rizzo"), ind), 0, 0);
    g->addWidget(ind, 0, 1, 1, 3);
    QWidget* comune = c.testo(QStringLiteral("Comune"));
    g->addWidget(c.etichetta(QStringLiteral("&Comune"), comune), 1, 0);
    g->addWidget(comune, 1, 1, 1, 3);
    QWidget* chiavi = c.testo(QStringLiteral("Chiavi"));
    chiavi->setFixedWidth(larghezza(p, 4));
    g->addWidget(c.etichetta(QStringLiteral("C&hiavi"), chiavi), 2, 0);
    g->addWidget(chiavi, 2, 1);
    QWidget* imponibile = c.testo(QStringLiteral("Imponibile"));
    g->addWidget(c.etichetta(QStringLiteral("I&mponibile"), imponibile), 2, 2, Qt::AlignRight);
    g->addWidget(imponibile, 2, 3);
    QWidget* servizio = c.testo(QStringLiteral("DescrIter"));
    g->addWidget(c.etichetta(QStringLiteral("&Servizio"), servizio), 3, 0);
    g->addWidget(servizio, 3, 1, 1, 3);
    QWidget* gruppo = c.testo(QStringLiteral("IndirizzoGruppo"));
    g->addWidget(c.etichetta(QStringLiteral("&Indirizzo gruppo"), gruppo), 4, 0);
    g->addWidget(gruppo, 4, 1, 1, 3);
    QWidget* agente = c.testo(QStringLiteral("DescAgente"));
    g->addWidget(c.etichetta(QStringLiteral("Agente"), agente), 5, 0);
    g->addWidget(agente, 5, 1, 1, 3);
    g->setColumnStretch(3, 1);
    g->setRowStretch(6, 1);
    if (c.vivo())
        *indirizzo = ind;
}

// A site in the extended way: where it is in the building, its flags, its agent and amount.
void costruisciSedeEstesa(GrigliaPannelli::Controlli& c, QWidget* p, QWidget** indirizzo)
{
    auto* g = new QGridLayout(p);
    g->setContentsMargins(4, 6, 4, 6);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(4);
    auto* spunte = new QHBoxLayout;
    spunte->setSpacing(4);
    QCheckBox* ostrelo = c.spunta(QStringLiteral("Ostrelo"), QStringLiteral("Ostrelo"));
    ostrelo->setToolTip(QStringLiteral("Se non è spuntato si intende Marbeto"));
    spunte->addWidget(ostrelo);
    spunte->addWidget(c.spunta(QStringLiteral("Direzione Generale"), QStringLiteral("DirGen")));
    spunte->addWidget(c.spunta(QStringLiteral("Ambulatorio"), QStringLiteral("PrSocc")));
    spunte->addStretch(1);
    g->addLayout(spunte, 0, 0, 1, 6);
    QWidget* ind = c.testo(QStringLiteral("Indirizzo"));
    g->addWidget(c.etichetta(QStringLiteral("Indi&rizzo"), ind), 1, 0);
    g->addWidget(ind, 1, 1, 1, 5);
    QWidget* piano = c.testo(QStringLiteral("Piano"));
    QWidget* scala = c.testo(QStringLiteral("Scala"), true);
    QWidget* chiavi = c.testo(QStringLiteral("Chiavi"));
    for (QWidget* w : {piano, scala, chiavi})
        w->setFixedWidth(larghezza(p, 4));
    g->addWidget(c.etichetta(QStringLiteral("Piano"), piano), 2, 0);
    g->addWidget(piano, 2, 1);
    g->addWidget(c.etichetta(QStringLiteral("Scala"), scala), 2, 2);
    g->addWidget(scala, 2, 3);
    g->addWidget(c.etichetta(QStringLiteral("C&hiavi"), chiavi), 2, 4);
    g->addWidget(chiavi, 2, 5, Qt::AlignLeft);
    QWidget* ufficio = c.testo(QStringLiteral("Ufficio"), true);
    g->addWidget(c.etichetta(QStringLiteral("Ufficio"), ufficio), 3, 0);
    g->addWidget(ufficio, 3, 1, 1, 5);
    QWidget* agente = c.testo(QStringLiteral("DescAgente"));
    g->addWidget(c.etichetta(QStringLiteral("Agente"), agente), 4, 0);
    g->addWidget(agente, 4, 1, 1, 5);
    QWidget* imponibile = c.testo(QStringLiteral("Imponibile"));
    imponibile->setFixedWidth(larghezza(p, 12));
    g->addWidget(c.etichetta(QStringLiteral("I&mponibile"), imponibile), 5, 0);
    g->addWidget(imponibile, 5, 1, 1, 5, Qt::AlignLeft);
    g->setColumnStretch(5, 1);
    g->setRowStretch(6, 1);
    if (c.vivo())
        *indirizzo = ind;
}

// An intervention row: the week and its six days, grey for a mandatory visit.
void costruisciIntervento(GrigliaPannelli::Controlli& c, QWidget* p, QWidget** settimana)
{
    auto* g = new QGridLayout(p);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(2);
    QWidget* sett = c.testo(QStringLiteral("Settimana"));
    sett->setFixedWidth(larghezza(p, 3));
    g->addWidget(c.etichetta(QStringLiteral("Settim&ana"), sett), 0, 0);
    g->addWidget(sett, 0, 1, Qt::AlignLeft);
    QGroupBox* giorni = c.riquadro(QStringLiteral("&Giorni"));
    giorni->setToolTip(QStringLiteral("Grigio = Obbligatorio"));
    auto* fila = new QHBoxLayout(giorni);
    fila->setContentsMargins(6, 2, 6, 2);
    const std::pair<const char*, const char*> giorniSettimana[] = {
        {"L", "Lunedi"}, {"M", "Martedi"}, {"M", "Mercoledi"}, {"G", "Giovedi"}, {"V", "Venerdi"}, {"S", "Sabato"}};
    for (const auto& [lettera, campo] : giorniSettimana)
        fila->addWidget(c.spunta(QString::fromLatin1(lettera), QString::fromLatin1(campo), true));
    g->addWidget(giorni, 1, 0, 1, 3);
    g->setColumnStretch(2, 1);
    if (c.vivo())
        *settimana = sett;
}

} // namespace

TFrmClienti::TFrmClienti(TDataModule1& modulo, QWidget* parent)
    : QDialog(parent), dm(modulo), ActiveSource(&modulo.TblClienti), DSSedi(&modulo.TblSedi),
      DSNoleggi(&modulo.TblNoleggi), qScheda(modulo.db, QStringLiteral("qScheda"))
{
    for (DataSource* s : {&ActiveSource, &DSSedi, &DSNoleggi})
        s->autoEdit = false;
    qScheda.setSql(QStringLiteral(
        "SELECT Clienti.Denominazione, Clienti.IndiceRev, Clienti.DataRev, Sedi.Codice, Ostrelo, DirGen, PrSocc, "
        "Sedi.Indirizzo, Sedi.Ufficio, Sedi.Scala, Sedi.Piano, Servizi.Descrizione, Servizi.Tipo, Noleggi.Quantita, "
        "Noleggi.Sesso, Noleggi.Reparto, Noleggi.Altro "
        "FROM Clienti LEFT JOIN Sedi ON Clienti.Codice = Sedi.\"Codice cliente\" "
        "LEFT JOIN Noleggi ON Sedi.Codice = Noleggi.\"Codice sede\" "
        "LEFT JOIN Servizi ON Noleggi.\"Codice servizio\" = Servizi.Codice "
        "WHERE Clienti.Codice = :Codice "
        "ORDER BY Sedi.Codice, Sedi.Indirizzo, Sedi.Scala, Sedi.Piano, Servizi.Descrizione"));

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(6, 6, 6, 6);
    colonna->setSpacing(6);
    colonna->addWidget(creaBarra());
    colonna->addWidget(creaTestata());
    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(creaInformazioni(), QStringLiteral("Informazioni generali"));
    PageControl1->addTab(creaSediNoleggi(), QStringLiteral("Sedi e noleggi"));
    colonna->addWidget(PageControl1, 1);

    // Enter and Escape stay with the field being typed: no button of the window is a default one.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    // The navigators mark the data sources while they act, so that posting a site or a rental
    // does not post a customer or a site being inserted.
    DBNavigator1->beforeAction = [this](NavButton) {
        dm.DSClienti.tag = 1;
        dm.DSSedi.tag = 1;
    };
    DBNavigator1->actionFinished = [this](NavButton) {
        dm.DSClienti.tag = 0;
        dm.DSSedi.tag = 0;
    };
    DBNavigator2->beforeAction = [this](NavButton) { dm.DSSedi.tag = 1; };
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
    connect(CmbNatura, &QComboBox::currentTextChanged, this, &TFrmClienti::aggiornaNatura);

    followState(this, QStringLiteral("Clienti"), ActiveSource);
    ActiveSourceStateChange();
    ActiveSourceDataChange();
    sbRicopiaImporti->setEnabled(DSNoleggi.state() == DatasetState::Browse);
    resize(1080, 760);
}

TFrmClienti::~TFrmClienti() = default;

QWidget* TFrmClienti::creaBarra()
{
    auto* barra = new QWidget(this);
    auto* fila = new QHBoxLayout(barra);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(2);

    DBNavigator1 = new DbNavigator(&ActiveSource, Nav::Browse | Nav::Editing, dm.prompts, barra);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setHints(DbNavigator::hintsStandard);
    DBNavigator1->setDeleteQuestion({});
    fila->addWidget(DBNavigator1);
    fila->addSpacing(6);
    fila->addWidget(separatore(barra));

    SBtnUndo = pulsante(TFrmClientiIcone::annullaElimina(), QStringLiteral("Annulla elimina"),
                        QStringLiteral("SBtnUndo"), barra);
    SBtnRicerca = pulsante(TFrmClientiIcone::ricerca(), QStringLiteral("Ricerca"), QStringLiteral("SBtnRicerca"), barra);
    SBtnFattura = pulsante(TFrmClientiIcone::ulterioriRighe(), QStringLiteral("Ulteriori informazioni in fattura"),
                           QStringLiteral("SBtnFattura"), barra);
    SBtnCalcola = pulsante(TFrmClientiIcone::calcola(), QStringLiteral("Calcola imponibile"),
                           QStringLiteral("SBtnCalcola"), barra);
    for (QToolButton* b : {SBtnUndo, SBtnRicerca, SBtnFattura, SBtnCalcola})
        fila->addWidget(b);
    fila->addWidget(separatore(barra));
    SBtnStampa1 = pulsanteStampa(QStringLiteral("1"), QStringLiteral("Stampa"), QStringLiteral("SBtnStampa1"), barra);
    SBtnStampa2 = pulsanteStampa(QStringLiteral("2"), QStringLiteral("Stampa sintetica"),
                                 QStringLiteral("SBtnStampa2"), barra);
    SBtnStampa3 = pulsanteStampa(QStringLiteral("3"), QStringLiteral("Stampa scheda contabile"),
                                 QStringLiteral("SBtnStampa3"), barra);
    for (QToolButton* b : {SBtnStampa1, SBtnStampa2, SBtnStampa3})
        fila->addWidget(b);
    fila->addWidget(separatore(barra));
    SBtnSaldo = pulsante(TFrmClientiIcone::saldo(), QStringLiteral("Saldo fattura"), QStringLiteral("SBtnSaldo"), barra);
    fila->addWidget(SBtnSaldo);
    fila->addSpacing(8);

    BtnNotaCredito = new QPushButton(QStringLiteral("Nota credito"), barra);
    BtnNotaCredito->setToolTip(QStringLiteral("Emetti nota credito"));
    BtnFattura = new QPushButton(QStringLiteral("Fattura"), barra);
    BtnFattura->setToolTip(QStringLiteral("Stampa e generazione fattura"));
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), barra);
    fila->addWidget(BtnNotaCredito);
    fila->addWidget(BtnFattura);
    fila->addStretch(1);
    fila->addWidget(BtnChiudi);

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
    auto* g = new QGridLayout(testata);
    g->setContentsMargins(8, 6, 8, 6);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(4);

    TxtCodice = new DbText(&ActiveSource, QStringLiteral("Codice"), dm.prompts, testata);
    TxtCodice->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    TxtCodice->setAlignment(Qt::AlignCenter);
    TxtCodice->setFixedWidth(larghezza(testata, 7));
    g->addWidget(new QLabel(QStringLiteral("Codice"), testata), 0, 0);
    g->addWidget(TxtCodice, 0, 1);

    EdtDenominazione = new DbEdit(&ActiveSource, QStringLiteral("Denominazione"), dm.prompts, testata);
    g->addWidget(etichetta(QStringLiteral("&Denominazione (&1)"), EdtDenominazione, testata), 0, 2);
    g->addWidget(EdtDenominazione, 0, 3);
    ChkEscluso = new DbCheckBox(QStringLiteral("&Escluso"), &ActiveSource, QStringLiteral("Escluso"), dm.prompts, testata);
    ChkEscluso->setToolTip(QStringLiteral("Esclude dalla fatturazione automatica"));
    g->addWidget(ChkEscluso, 0, 4);
    ChkIncassabile = new DbCheckBox(QStringLiteral("&Incasso automatico"), &ActiveSource, QStringLiteral("Incassabile"),
                                    dm.prompts, testata);
    g->addWidget(ChkIncassabile, 0, 5);

    EdtDenominazione2 = new DbEdit(&ActiveSource, QStringLiteral("Denominazione 2"), dm.prompts, testata);
    g->addWidget(etichetta(QStringLiteral("&Denominazione (&2)"), EdtDenominazione2, testata), 1, 2);
    g->addWidget(EdtDenominazione2, 1, 3);
    ChkIva = new DbCheckBox(QStringLiteral("I&va"), &ActiveSource, QStringLiteral("PagaIva"), dm.prompts, testata);
    g->addWidget(ChkIva, 1, 4);
    ChkStampaEstesa = new DbCheckBox(QStringLiteral("(Ostrelo-Marbeto)"), &ActiveSource, QStringLiteral("StampaEstesa"),
                                     dm.prompts, testata);
    g->addWidget(ChkStampaEstesa, 1, 5);

    CmbNatura = new DbComboBox(&ActiveSource, QStringLiteral("NATURA"), dm.prompts, testata);
    CmbNatura->setItems(codiciNatura());
    CmbNatura->setMaxVisibleItems(24);
    CmbNatura->setFixedWidth(larghezza(testata, 8));
    g->addWidget(etichetta(QStringLiteral("Natura"), CmbNatura, testata), 2, 0);
    g->addWidget(CmbNatura, 2, 1);
    LblNatura = new QLabel(testata);
    LblNatura->setObjectName(QStringLiteral("LblNatura"));
    LblNatura->setMinimumWidth(larghezza(testata, 40));
    g->addWidget(LblNatura, 2, 2, 1, 4);

    RgScadenzaFattura = new DbRadioGroup(QStringLiteral("Data scadenza fattura"), &ActiveSource,
                                         QStringLiteral("ScadenzaFattura"), dm.prompts, testata);
    RgScadenzaFattura->setItems({QStringLiteral("A 30 gg"), QStringLiteral("Data fattura")});
    RgScadenzaFattura->setValues({QStringLiteral("0"), QStringLiteral("1")});
    g->addWidget(RgScadenzaFattura, 0, 6, 3, 1);

    g->setColumnStretch(3, 1);
    g->setColumnMinimumWidth(3, larghezza(testata, 30));
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
    auto campo = [&](const QString& nome) { return new DbEdit(&ActiveSource, nome, dm.prompts, pagina); };
    auto data = [&](const QString& nome) {
        auto* d = new DbDateEdit(&ActiveSource, nome, dm.prompts, pagina);
        d->setFixedWidth(larghezza(pagina, 11));
        return d;
    };
    auto nuovaGriglia = [] {
        auto* g = new QGridLayout;
        g->setHorizontalSpacing(6);
        g->setVerticalSpacing(5);
        return g;
    };

    // Left: accounts, address, tax identifiers, contract.
    QGridLayout* s = nuovaGriglia();
    EdtMastro = campo(QStringLiteral("Mastro"));
    EdtConto = campo(QStringLiteral("Conto"));
    for (DbEdit* e : {EdtMastro, EdtConto})
        e->setFixedWidth(larghezza(pagina, 6));
    s->addWidget(etichetta(QStringLiteral("&Mastro"), EdtMastro, pagina), 0, 0);
    s->addWidget(EdtMastro, 0, 1);
    s->addWidget(etichetta(QStringLiteral("&Conto"), EdtConto, pagina), 0, 2);
    s->addWidget(EdtConto, 0, 3, Qt::AlignLeft);
    EdtIndirizzo = campo(QStringLiteral("Indirizzo"));
    s->addWidget(etichetta(QStringLiteral("In&dirizzo amministrativo"), EdtIndirizzo, pagina), 1, 0);
    s->addWidget(EdtIndirizzo, 1, 1, 1, 3);
    EdtComune = campo(QStringLiteral("Comune"));
    s->addWidget(etichetta(QStringLiteral("C&omune"), EdtComune, pagina), 2, 0);
    s->addWidget(EdtComune, 2, 1, 1, 3);
    EdtPartitaIva = campo(QStringLiteral("Partita iva"));
    EdtPartitaIva->setFixedWidth(larghezza(pagina, 12));
    s->addWidget(etichetta(QStringLiteral("&Partita iva"), EdtPartitaIva, pagina), 3, 0);
    s->addWidget(EdtPartitaIva, 3, 1);
    EdtCodiceFiscale = campo(QStringLiteral("Codice fiscale"));
    EdtCodiceFiscale->setUpperCase(true);
    s->addWidget(etichetta(QStringLiteral("Codice &fiscale"), EdtCodiceFiscale, pagina), 3, 2);
    s->addWidget(EdtCodiceFiscale, 3, 3);
    EdtPEC = campo(QStringLiteral("PEC"));
    s->addWidget(etichetta(QStringLiteral("PEC"), EdtPEC, pagina), 4, 0);
    s->addWidget(EdtPEC, 4, 1, 1, 3);
    EdtNumContratto = campo(QStringLiteral("NumContratto"));
    s->addWidget(etichetta(QStringLiteral("&Numero contratto"), EdtNumContratto, pagina), 5, 0);
    s->addWidget(EdtNumContratto, 5, 1, 1, 2);
    BtnCarica = new QPushButton(QStringLiteral("Carica..."), pagina);
    BtnCarica->setToolTip(QStringLiteral("Preleva numero del contratto da file xml"));
    s->addWidget(BtnCarica, 5, 3, Qt::AlignLeft);
    EdtDataContratto = data(QStringLiteral("Data contratto"));
    s->addWidget(etichetta(QStringLiteral("D&ata contratto"), EdtDataContratto, pagina), 6, 0);
    s->addWidget(EdtDataContratto, 6, 1);
    EdtDataScadenza = data(QStringLiteral("Data scadenza"));
    s->addWidget(etichetta(QStringLiteral("Da&ta scadenza"), EdtDataScadenza, pagina), 6, 2);
    s->addWidget(EdtDataScadenza, 6, 3, Qt::AlignLeft);
    EdtRigo1 = campo(QStringLiteral("Rigo 1"));
    s->addWidget(etichetta(QStringLiteral("P&rimo rigo"), EdtRigo1, pagina), 7, 0);
    s->addWidget(EdtRigo1, 7, 1, 1, 3);
    EdtRigo2 = campo(QStringLiteral("Rigo 2"));
    s->addWidget(etichetta(QStringLiteral("Secondo rigo (&3)"), EdtRigo2, pagina), 8, 0);
    s->addWidget(EdtRigo2, 8, 1, 1, 3);
    EdtNoteServizi = campo(QStringLiteral("NoteServizi"));
    s->addWidget(etichetta(QStringLiteral("Note &servizi"), EdtNoteServizi, pagina), 9, 0);
    s->addWidget(EdtNoteServizi, 9, 1, 1, 3);
    EdtIndiceRev = campo(QStringLiteral("IndiceRev"));
    EdtScheda = campo(QStringLiteral("Scheda"));
    for (DbEdit* e : {EdtScheda, EdtIndiceRev})
        e->setFixedWidth(larghezza(pagina, 6));
    s->addWidget(etichetta(QStringLiteral("Indice di revisione (&6)"), EdtIndiceRev, pagina), 10, 0);
    s->addWidget(EdtIndiceRev, 10, 1);
    s->addWidget(etichetta(QStringLiteral("Sc&heda"), EdtScheda, pagina), 10, 2);
    s->addWidget(EdtScheda, 10, 3, Qt::AlignLeft);
    EdtDataRev = data(QStringLiteral("DataRev"));
    s->addWidget(etichetta(QStringLiteral("Data di revisione (&7)"), EdtDataRev, pagina), 11, 0);
    s->addWidget(EdtDataRev, 11, 1);
    ChkMeseFatt = new DbCheckBox(QStringLiteral("Forza stampa fattura"), &ActiveSource, QStringLiteral("Mese_Fatt"),
                                 dm.prompts, pagina);
    ChkMeseFatt->setValues(QStringLiteral("True"), QStringLiteral("False"));
    s->addWidget(ChkMeseFatt, 11, 2, 1, 2);
    s->setColumnStretch(1, 1);
    s->setColumnStretch(3, 1);
    s->setRowStretch(12, 1);
    fila->addLayout(s, 1);

    // Right: payment, amounts, electronic invoice.
    QGridLayout* d = nuovaGriglia();
    CmbPagamento = new DbLookupComboBox(&ActiveSource, QStringLiteral("Pagamento"), &dm.DSModPag,
                                        QStringLiteral("Codice"), QStringLiteral("Descrizione"), dm.prompts, pagina);
    CmbPagamento->setDropDownRows(20);
    d->addWidget(etichetta(QStringLiteral("Pa&gamento"), CmbPagamento, pagina), 0, 0);
    d->addWidget(CmbPagamento, 0, 1, 1, 3);
    EdtCoordinateBanca = campo(QStringLiteral("CoordinateBanca"));
    d->addWidget(etichetta(QStringLiteral("Coordinate bancarie (&4)"), EdtCoordinateBanca, pagina), 1, 0);
    d->addWidget(EdtCoordinateBanca, 1, 1, 1, 3);
    EdtBanca = campo(QStringLiteral("Banca"));
    d->addWidget(etichetta(QStringLiteral("&Banca"), EdtBanca, pagina), 2, 0);
    d->addWidget(EdtBanca, 2, 1, 1, 3);
    EdtNumeroCC = campo(QStringLiteral("Numero cc"));
    d->addWidget(etichetta(QStringLiteral("N&umero c/c"), EdtNumeroCC, pagina), 3, 0);
    d->addWidget(EdtNumeroCC, 3, 1, 1, 3);
    RgCondizioni = new DbRadioGroup(QStringLiteral("Condi&zioni di pagamento"), &ActiveSource,
                                    QStringLiteral("Condizioni"), dm.prompts, pagina);
    RgCondizioni->setItems(condizioni, 2);
    d->addWidget(RgCondizioni, 4, 0, 1, 4);
    EdtImponibile = campo(QStringLiteral("Imponibile"));
    EdtIva = campo(QStringLiteral("Iva"));
    EdtTotale = campo(QStringLiteral("Totale"));
    for (DbEdit* e : {EdtImponibile, EdtIva, EdtTotale}) {
        e->setFixedWidth(larghezza(pagina, 13));
        e->setAlignment(Qt::AlignRight);
    }
    for (DbEdit* e : {EdtIva, EdtTotale})
        e->setFocusPolicy(Qt::ClickFocus);
    d->addWidget(etichetta(QStringLiteral("Imponibi&le"), EdtImponibile, pagina), 5, 0);
    d->addWidget(EdtImponibile, 5, 1);
    d->addWidget(new QLabel(QStringLiteral("IVA"), pagina), 6, 0);
    d->addWidget(EdtIva, 6, 1);
    d->addWidget(new QLabel(QStringLiteral("Totale"), pagina), 7, 0);
    d->addWidget(EdtTotale, 7, 1);
    ChkXML = new DbCheckBox(QStringLiteral("Fattura verso PA"), &ActiveSource, QStringLiteral("XML"), dm.prompts, pagina);
    d->addWidget(ChkXML, 5, 2, 1, 2);
    EdtCodiceFE = campo(QStringLiteral("Codice_FE"));
    validatoreCodiceFE = new ValidatoreCodiceFE(EdtCodiceFE);
    EdtCodiceFE->setValidator(validatoreCodiceFE);
    EdtCodiceFE->setFixedWidth(larghezza(pagina, 9));
    d->addWidget(etichetta(QStringLiteral("Codice Destinatario"), EdtCodiceFE, pagina), 6, 2);
    d->addWidget(EdtCodiceFE, 6, 3, Qt::AlignLeft);
    ChkScissione = new DbCheckBox(QStringLiteral("Scissione dei pagamenti"), &ActiveSource, QStringLiteral("Scissione"),
                                  dm.prompts, pagina);
    d->addWidget(ChkScissione, 7, 2, 1, 2);
    EdtCausale = campo(QStringLiteral("Causale"));
    d->addWidget(etichetta(QStringLiteral("Causale"), EdtCausale, pagina), 8, 0);
    d->addWidget(EdtCausale, 8, 1, 1, 3);
    d->setColumnStretch(3, 1);
    d->setColumnMinimumWidth(2, 20);
    d->setRowStretch(9, 1);
    fila->addLayout(d, 1);

    // Below: the two memos, aqua and bold while typed into.
    auto* note = new QGridLayout;
    note->setHorizontalSpacing(16);
    note->setVerticalSpacing(2);
    MemoRigo3 = new DbMemo(&ActiveSource, QStringLiteral("Rigo_3"), dm.prompts, pagina);
    MemoNote = new DbMemo(&ActiveSource, QStringLiteral("Note"), dm.prompts, pagina);
    note->addWidget(etichetta(QStringLiteral("Fine pagina fattura (&5)"), MemoRigo3, pagina), 0, 0);
    note->addWidget(etichetta(QStringLiteral("Note (&4)"), MemoNote, pagina), 0, 1);
    for (DbMemo* m : {MemoRigo3, MemoNote}) {
        m->setTabChangesFocus(true);
        m->setMinimumHeight(56);
        FocusColour::install(m);
    }
    note->addWidget(MemoRigo3, 1, 0);
    note->addWidget(MemoNote, 1, 1);
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
    auto* filaSedi = new QHBoxLayout;
    LblSedi = new QLabel(QStringLiteral("Se&di"), pagina);
    DBNavigator2 = filaNavigatore(filaSedi, LblSedi, &DSSedi, Nav::Browse | Nav::Editing, QStringLiteral("DBNavigator2"),
                                  dm.prompts, pagina);
    DBNavigator2->setDeleteQuestion({});
    filaSedi->addSpacing(6);
    SBtnModificaServizio = pulsante(TFrmClientiIcone::modificaServizio(), QStringLiteral("Modifica il servizio"),
                                    QStringLiteral("SBtnModificaServizio"), pagina);
    SBtnEliminaServizio = pulsante(TFrmClientiIcone::eliminaServizio(), QStringLiteral("Elimina il servizio"),
                                   QStringLiteral("SBtnEliminaServizio"), pagina);
    SBtnRaggruppamenti = pulsante(TFrmClientiIcone::raggruppamenti(), QStringLiteral("Raggruppamenti"),
                                  QStringLiteral("SBtnRaggruppamenti"), pagina);
    for (QToolButton* b : {SBtnModificaServizio, SBtnEliminaServizio, SBtnRaggruppamenti})
        filaSedi->addWidget(b);
    filaSedi->addStretch(1);
    colonna->addLayout(filaSedi);

    PilaSedi = new QStackedWidget(pagina);
    PannelliSedi = new GrigliaPannelli(
        &DSSedi, 3, [this](GrigliaPannelli::Controlli& c, QWidget* p) { costruisciSede(c, p, &indirizzoSede); },
        dm.prompts, PilaSedi);
    PannelliSedi->setObjectName(QStringLiteral("PannelliSedi"));
    PannelliSediEstese = new GrigliaPannelli(
        &DSSedi, 3,
        [this](GrigliaPannelli::Controlli& c, QWidget* p) { costruisciSedeEstesa(c, p, &indirizzoSedeEstesa); },
        dm.prompts, PilaSedi);
    PannelliSediEstese->setObjectName(QStringLiteral("PannelliSediEstese"));
    PilaSedi->addWidget(PannelliSedi);
    PilaSedi->addWidget(PannelliSediEstese);
    colonna->addWidget(PilaSedi);
    colonna->addSpacing(6);

    // Interventions of the site.
    auto* filaInterventi = new QHBoxLayout;
    auto* lblInterventi = new QLabel(QStringLiteral("In&terventi"), pagina);
    DBNavigator4 = filaNavigatore(filaInterventi, lblInterventi, &dm.DSInterventi,
                                  Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Post | NavButton::Cancel,
                                  QStringLiteral("DBNavigator4"), dm.prompts, pagina);
    filaInterventi->addStretch(1);
    colonna->addLayout(filaInterventi);
    PannelliInterventi = new GrigliaPannelli(
        &dm.DSInterventi, 2,
        [this](GrigliaPannelli::Controlli& c, QWidget* p) { costruisciIntervento(c, p, &EdtSettimana); }, dm.prompts,
        pagina);
    PannelliInterventi->setObjectName(QStringLiteral("PannelliInterventi"));
    PannelliInterventi->setNuoviInFondo(true);
    lblInterventi->setBuddy(EdtSettimana);
    auto* filaPannelli = new QHBoxLayout;
    filaPannelli->addWidget(PannelliInterventi, 2);
    filaPannelli->addStretch(1);
    colonna->addLayout(filaPannelli);
    colonna->addSpacing(6);

    // Rentals of the site.
    auto* noleggi = new QVBoxLayout;
    noleggi->setSpacing(4);
    auto* filaNoleggi = new QHBoxLayout;
    LblNoleggi = new QLabel(QStringLiteral("No&leggi"), pagina);
    DBNavigator3 = filaNavigatore(filaNoleggi, LblNoleggi, &DSNoleggi, Nav::Browse | Nav::Editing,
                                  QStringLiteral("DBNavigator3"), dm.prompts, pagina);
    DBNavigator3->setDeleteQuestion({});
    filaNoleggi->addSpacing(6);
    sbRicopiaImporti = pulsante(TFrmClientiIcone::ricopiaImporti(), QStringLiteral("Ricopia gli importi su tutte le sedi"),
                                QStringLiteral("sbRicopiaImporti"), pagina);
    filaNoleggi->addWidget(sbRicopiaImporti);
    filaNoleggi->addStretch(1);
    ChkMillesimi = new DbCheckBox(QStringLiteral("Millesimi di euro"), &ActiveSource, QStringLiteral("Millesimi"),
                                  dm.prompts, pagina);
    filaNoleggi->addWidget(ChkMillesimi);
    noleggi->addLayout(filaNoleggi);

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
    PilaNoleggi = new QStackedWidget(pagina);
    GridNoleggi = new DbGrid(&DSNoleggi, dm.prompts, PilaNoleggi);
    GridNoleggi->setObjectName(QStringLiteral("GridNoleggi"));
    GridNoleggi->setColumns(colonne);
    GridNoleggiEstesa = new DbGrid(&DSNoleggi, dm.prompts, PilaNoleggi);
    GridNoleggiEstesa->setObjectName(QStringLiteral("GridNoleggiEstesa"));
    GridNoleggiEstesa->setColumns(colonneEstese);
    // The widest text takes the room left: the article, or the notes of the extended grid.
    GridNoleggi->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    GridNoleggiEstesa->horizontalHeader()->setStretchLastSection(true);
    for (DbGrid* g : {GridNoleggi, GridNoleggiEstesa}) {
        g->setDeleteQuestion({});
        g->setMinimumHeight(100);
        PilaNoleggi->addWidget(g);
    }
    noleggi->addWidget(PilaNoleggi, 1);
    colonna->addLayout(noleggi, 1);

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
    PilaSedi->setCurrentWidget(estesi ? PannelliSediEstese : PannelliSedi);
    PilaNoleggi->setCurrentWidget(estesi ? GridNoleggiEstesa : GridNoleggi);
    LblSedi->setBuddy(estesi ? indirizzoSedeEstesa : indirizzoSede);
    LblNoleggi->setBuddy(estesi ? GridNoleggiEstesa : GridNoleggi);

    const bool pa = dm.TblClienti.active() && dm.TblClienti["XML"].asBoolean();
    validatoreCodiceFE->lunghezza = pa ? 6 : 7;
    aggiornaNatura();
    SBtnUndo->setEnabled(dm.db.inTransaction());
    // The prices follow the customer's thousandths.
    GridNoleggi->viewport()->update();
    GridNoleggiEstesa->viewport()->update();
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
    CmbNatura->setEnabled(inModifica(ActiveSource) && ChkIva->checkState() == Qt::Unchecked);
    LblNatura->setText(DescrizioneNatura(CmbNatura->currentText()));
}

void TFrmClienti::ChkIvaClick()
{
    if (!inModifica(ActiveSource))
        return;
    if (ChkIva->isChecked()) {
        runDbAction(dm.prompts, [this] { dm.TblClienti["NATURA"].clear(); });
        CmbNatura->setEnabled(false);
    } else {
        CmbNatura->setEnabled(true);
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
    const int voce = RgCondizioni->itemIndex();
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
    PageControl1->setCurrentIndex(0);
    ChkEscluso->setFocus();
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

void TFrmClienti::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
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
    Table& clienti = dm.TblClienti;
    Table& sedi = dm.TblSedi;
    Table& noleggi = dm.TblNoleggi;
    if (!clienti.active() || (clienti.state() == DatasetState::Browse && clienti.isEmpty()))
        return;
    const int mesi = MesiCondizioni();
    double totaleCliente = 0;
    // A site posted while the customer is being inserted posts the customer too: it is put
    // back into edit to take the rest of the sum.
    auto scriviCliente = [&](double valore) {
        if (clienti.state() == DatasetState::Browse)
            clienti.edit();
        clienti["Imponibile"] = valore;
    };
    if (!runDbAction(dm.prompts, [&] { scriviCliente(0.0); }))
        return;

    std::exception_ptr errore;
    try {
        for (sedi.first(); !sedi.eof(); sedi.next()) {
            sedi.edit();
            sedi["Imponibile"] = 0.0;
            double totaleSede = 0;
            for (noleggi.first(); !noleggi.eof(); noleggi.next()) {
                const double q = noleggi["InFattura"].isNull() ? noleggi["Quantita"].asFloat()
                                                               : noleggi["InFattura"].asFloat();
                const double costo = noleggi["Costo"].asFloat();
                totaleCliente = arrotondaMillesimi(costo * q * mesi + totaleCliente);
                scriviCliente(totaleCliente);
                totaleSede = arrotondaMillesimi(costo * q + totaleSede);
                sedi["Imponibile"] = totaleSede;
            }
        }
    } catch (...) {
        errore = std::current_exception();
    }
    // Back to the first site and rental whatever happened; a site that could not be saved
    // gives its changes up.
    runDbAction(dm.prompts, [&] {
        try {
            sedi.first();
        } catch (...) {
            sedi.cancel();
            sedi.first();
        }
        noleggi.first();
    });
    if (errore) {
        runDbAction(dm.prompts, [&] { std::rethrow_exception(errore); });
        return;
    }

    // The extra lines, unrounded; the customer stays in edit for the user to save.
    runDbAction(dm.prompts, [&] {
        Table& altre = dm.TblAltreInfo;
        for (int r = 0; r < altre.recordCount(); ++r)
            totaleCliente += altre.valueAt(r, "Quantita").toDouble() * altre.valueAt(r, "Prezzo").toDouble();
        scriviCliente(totaleCliente);
    });
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
    const QVariant codice = clienti["Codice"].value();
    bool nascosta = false;
    const bool pronta = runDbAction(dm.prompts, [&] {
        BusyCursor attesa;
        if (!QRMDClienti)
            QRMDClienti = std::make_unique<TQRMDClienti>(dm);
        clienti.setFilter(QStringLiteral("Codice = %1").arg(qint64(codice.toDouble())));
        clienti.setFiltered(true);
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
    runDbAction(dm.prompts, [&] {
        clienti.setFiltered(false);
        clienti.setFilter({});
        clienti.locate(QStringLiteral("Codice"), {codice});
    });
}

void TFrmClienti::SBtnStampa2Click()
{
    Table& clienti = dm.TblClienti;
    if (!clienti.active() || clienti.isEmpty())
        return;
    const QVariant codice = clienti["Codice"].value();
    runDbAction(dm.prompts, [&] {
        if (!QRMDClienteSin) {
            BusyCursor attesa;
            QRMDClienteSin = std::make_unique<TQRMDClienteSin>(dm);
        }
        clienti.setFilter(QStringLiteral("Codice = %1").arg(qint64(codice.toDouble())));
        clienti.setFiltered(true);
        QRMDClienteSin->preview(dm.prompts, this);
    });
    runDbAction(dm.prompts, [&] {
        clienti.setFiltered(false);
        clienti.setFilter({});
        clienti.locate(QStringLiteral("Codice"), {codice});
    });
}

void TFrmClienti::SBtnStampa3Click()
{
    Table& primaNota = dm.TblPrimaNota;
    runDbAction(dm.prompts, [&] {
        dm.CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm.DSClienti);
        dm.CalcolaSaldi(QStringLiteral("Conto = 0"));
        primaNota.setFilter(QStringLiteral("Conto = 0"));
        primaNota.setFiltered(true);
        if (!QRDocumenti) {
            BusyCursor attesa;
            QRDocumenti = std::make_unique<TQRDocumenti>(dm);
        }
        QRDocumenti->preview(dm.prompts, this);
    });
    runDbAction(dm.prompts, [&] {
        primaNota.setFiltered(false);
        primaNota.setFilter({});
    });
}

void TFrmClienti::StampaSchedaEstesa()
{
    Table& ostrelo = dm.TblOstrelo;
    runDbAction(dm.prompts, [&] {
        // Posted records are already in the file: the query reads what the screen shows.
        qScheda.close();
        qScheda.setParam(QStringLiteral("Codice"), dm.TblClienti["Codice"].value());
        qScheda.open();

        ostrelo.close();
        if (ostrelo.exists())
            ostrelo.deleteTable();
        ostrelo.createTable();
        ostrelo.open();
        for (qScheda.first(); !qScheda.eof(); qScheda.next()) {
            const QVariant sede = qScheda["Codice"].value();
            const QVariant reparto = qScheda["Reparto"].value();
            const QVariant sesso = qScheda["Sesso"].value();
            if (ostrelo.locate(QStringLiteral("Sede;Reparto;Sesso"), {sede, reparto, sesso}, {.caseInsensitive = true})) {
                ostrelo.edit();
            } else {
                ostrelo.append();
                ostrelo["Sede"] = sede;
                ostrelo["Reparto"] = reparto;
                ostrelo["Sesso"] = sesso;
            }
            // Dispensers of the company's own type ("CWS") and the others, and the consumables.
            const QString articolo = qScheda["Descrizione"].asString().toUpper();
            const bool cws = qScheda["Tipo"].asString().toUpper().contains(QLatin1String("CWS"));
            const double quantita = qScheda["Quantita"].asFloat();
            const char* colonna = nullptr;
            if (articolo.contains(QLatin1String("ASCIUGAMANI")))
                colonna = cws ? "CotoneC" : "CotoneS";
            else if (articolo.contains(QLatin1String("SAPONE")))
                colonna = cws ? "SaponiereC" : "SaponiereS";
            else if (articolo.contains(QLatin1String("IGIENICA")))
                colonna = cws ? "CartaIgienicaC" : "CartaIgienicaS";
            else if (articolo.contains(QLatin1String("SPIRALE")))
                colonna = "CartaMani";
            else if (articolo.contains(QLatin1String("IGIENIZZA")))
                colonna = "Igienizzante";
            if (colonna) {
                Field& totale = ostrelo[QString::fromLatin1(colonna)];
                totale = totale.asFloat() + quantita;
            }
            for (const char* flag : {"Ostrelo", "DirGen", "PrSocc"}) {
                const Field& valore = qScheda[QString::fromLatin1(flag)];
                ostrelo[QString::fromLatin1(flag)] = valore.isNull() ? QVariant() : QVariant(valore.asBoolean());
            }
            for (const char* posto : {"Ufficio", "Scala", "Piano"})
                if (const QString t = qScheda[QString::fromLatin1(posto)].asString(); !t.isEmpty())
                    ostrelo[QString::fromLatin1(posto)] = t;
            ostrelo["Altro"] = qScheda["Altro"].value();
            ostrelo.post();
        }
        ostrelo.close();
        ostrelo.open();
        if (!QRSchedaEstesa) {
            BusyCursor attesa;
            QRSchedaEstesa = std::make_unique<TQRSchedaEstesa>(dm);
        }
        QRSchedaEstesa->preview(dm.prompts, this);
    });
    qScheda.close();
    ostrelo.close();
}

// ---- page "Sedi e noleggi"

void TFrmClienti::sbRicopiaImportiClick()
{
    if (!dm.prompts.askYes(QStringLiteral("Attenzione, sto per replicare quest importi su tutte le sedi. Continuo?")))
        return;
    Table& noleggi = dm.TblNoleggi;
    // Every other site of the customer renting the same article takes this site's price.
    const QString sql = QStringLiteral(
                            "UPDATE %1 SET Costo = :costo "
                            "WHERE \"Codice sede\" IN (SELECT Codice FROM %2 WHERE \"Codice cliente\" = :cliente) "
                            "AND \"Codice sede\" <> :sede AND \"Codice servizio\" = :servizio")
                            .arg(dm.db.qualified(QStringLiteral("Noleggi")), dm.db.qualified(QStringLiteral("Sedi")));
    std::exception_ptr errore;
    {
        BusyCursor attesa;
        noleggi.disableControls();
        try {
            QSqlQuery q = dm.db.prepare(sql);
            const QVariant cliente = dm.TblClienti["Codice"].value();
            const QVariant sede = dm.TblSedi["Codice"].value();
            for (noleggi.first(); !noleggi.eof(); noleggi.next()) {
                q.bindValue(QStringLiteral(":costo"), plainDecimal(noleggi["Costo"].asFloat(), 3).toDouble());
                q.bindValue(QStringLiteral(":cliente"), cliente);
                q.bindValue(QStringLiteral(":sede"), sede);
                q.bindValue(QStringLiteral(":servizio"), noleggi["Codice servizio"].value());
                Database::run(q);
            }
        } catch (...) {
            errore = std::current_exception();
        }
        try {
            noleggi.first();
        } catch (...) {
        }
        noleggi.enableControls();
    }
    if (errore)
        runDbAction(dm.prompts, [&] { std::rethrow_exception(errore); });
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
    if (EdtSettimana)
        EdtSettimana->setFocus();
}

// ---- functions still to come

namespace {
void esegui(const std::function<void()>& collegamento)
{
    if (collegamento)
        collegamento();
}
} // namespace

void TFrmClienti::SBtnSaldoClick() { esegui(collegamenti.saldo); }
void TFrmClienti::BtnNotaCreditoClick() { esegui(collegamenti.notaCredito); }
void TFrmClienti::BtnFatturaClick() { esegui(collegamenti.fattura); }
void TFrmClienti::BtnCaricaClick() { esegui(collegamenti.caricaOrdine); }
void TFrmClienti::SBtnModificaServizioClick() { esegui(collegamenti.modificaServizio); }
void TFrmClienti::SBtnRaggruppamentiClick() { esegui(collegamenti.raggruppamenti); }
