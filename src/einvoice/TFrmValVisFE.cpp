#include "TFrmValVisFE.h"

#include "BusyCursor.h"
#include "FileFE.h"
#include "FocusColour.h"
#include "Modulo.h"
#include "TDataModule1.h"
#include "ValidatoreFE.h"
#include "VisualizzaFE.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TFrmValVisFE::TFrmValVisFE(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, finestraFissa), dm(dm)
{
    setWindowTitle(QStringLiteral("Validazione / Visualizzazione Fatture Elettroniche generate"));

    LabeledEdit1 = new QLineEdit(this);
    LabeledEdit1->setMinimumWidth(fontMetrics().horizontalAdvance(QString(60, QLatin1Char('x'))));
    FocusColour::install(LabeledEdit1);
    bbSfogliaXML = new QPushButton(QStringLiteral("Sfoglia..."), this);
    LabeledEdit2 = new QLineEdit(this);
    FocusColour::install(LabeledEdit2);
    bbSfogliaBr = new QToolButton(this);
    bbSfogliaBr->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    bbSfogliaBr->setToolTip(QStringLiteral("Sfoglia..."));
    bbDefaultBr = new QToolButton(this);
    bbDefaultBr->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    bbDefaultBr->setToolTip(QStringLiteral("Cerca browser predefinito"));
    bbValidate = new QPushButton(QStringLiteral("Valida"), this);
    bbShow = new QPushButton(QStringLiteral("Visualizza"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Chiudi"), this);
    for (QPushButton* b : {bbSfogliaXML, bbValidate, bbShow, BitBtn2})
        b->setAutoDefault(false);

    auto* etichetta1 = new QLabel(QStringLiteral("Fattura da visualizzare"), this);
    etichetta1->setBuddy(LabeledEdit1);
    auto* etichetta2 = new QLabel(QStringLiteral("Visualizzo con il seguente Browser:"), this);
    etichetta2->setBuddy(LabeledEdit2);

    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(6);
    griglia->setVerticalSpacing(4);
    griglia->addWidget(etichetta1, 0, 0);
    griglia->addWidget(LabeledEdit1, 1, 0);
    griglia->addWidget(bbSfogliaXML, 1, 1, 1, 2);
    griglia->addWidget(etichetta2, 2, 0);
    griglia->addWidget(LabeledEdit2, 3, 0);
    griglia->addWidget(bbSfogliaBr, 3, 1);
    griglia->addWidget(bbDefaultBr, 3, 2);
    griglia->setColumnStretch(0, 1);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(bbValidate);
    pulsanti->addWidget(bbShow);
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn2);

    auto* l = colonnaFinestra(this, 14);
    l->addLayout(griglia);
    l->addLayout(pulsanti);
    setFixedSize(sizeHint());

    avviaBrowser = ApriNelBrowser;

    connect(bbValidate, &QPushButton::clicked, this, &TFrmValVisFE::bbValidateClick);
    connect(bbShow, &QPushButton::clicked, this, &TFrmValVisFE::bbShowClick);
    connect(bbSfogliaXML, &QPushButton::clicked, this, &TFrmValVisFE::bbSfogliaXMLClick);
    connect(bbSfogliaBr, &QToolButton::clicked, this, &TFrmValVisFE::bbSfogliaBrClick);
    connect(bbDefaultBr, &QToolButton::clicked, this, &TFrmValVisFE::bbDefaultBrClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmValVisFE& TFrmValVisFE::DelModulo(TDataModule1& dm, QWidget* parent)
{
    static QHash<TDataModule1*, QPointer<TFrmValVisFE>> finestre;
    QPointer<TFrmValVisFE>& w = finestre[&dm];
    if (!w) {
        BusyCursor attesa;
        w = new TFrmValVisFE(dm, parent);
        // The window goes with its data module when nothing else owns it.
        if (!parent)
            connect(&dm, &QObject::destroyed, w, &QObject::deleteLater);
    }
    return *w;
}

int TFrmValVisFE::Apri(const QString& percorso)
{
    preset = percorso;
    return exec();
}

void TFrmValVisFE::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    mostrata = true;
    LabeledEdit1->setText(QDir::toNativeSeparators(preset));
    LabeledEdit2->setText(dm.TblParametri.active() ? dm.TblParametri["Browser"].asString() : QString());
}

// Whichever way the window closes, the browser and the folder of the last file picked are kept.
void TFrmValVisFE::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous() || !mostrata)
        return;
    mostrata = false;
    try {
        Table& p = dm.TblParametri;
        if (p.active() && !p.isEmpty()) {
            p.edit();
            if (!cartellaXml.isEmpty())
                p["FEPath"] = cartellaXml;
            p["Browser"] = LabeledEdit2->text().trimmed();
            p.post();
        }
    } catch (const Abort&) {
    } catch (const LavError& err) {
        if (dm.TblParametri.state() != DatasetState::Browse)
            dm.TblParametri.cancel();
        dm.prompts.standardError(err.message());
    }
    preset.clear();
}

void TFrmValVisFE::bbValidateClick()
{
    EsitoFE esito;
    {
        BusyScope attesa(dm.prompts);
        esito = ValidatoreFE(cartellaSchema).Valida(QDir::fromNativeSeparators(LabeledEdit1->text().trimmed()));
    }
    dm.prompts.message(esito.tipo, esito.messaggio, Buttons::Ok);
}

void TFrmValVisFE::bbShowClick()
{
    const QString xml = QDir::fromNativeSeparators(LabeledEdit1->text().trimmed());
    QString pagina;
    try {
        BusyScope attesa(dm.prompts);
        pagina = ScriviHtmlFE(xml, PercorsoFoglioDiStile(cartellaSchema));
    } catch (const LavError& e) {
        dm.prompts.error(e.message());
        return;
    }
    if (avviaBrowser && !avviaBrowser(LabeledEdit2->text().trimmed(), pagina))
        dm.prompts.error(QStringLiteral("Impossibile avviare il browser per mostrare %1.")
                             .arg(QDir::toNativeSeparators(pagina)));
}

void TFrmValVisFE::bbSfogliaXMLClick()
{
    QString cartella = cartellaXml;
    if (cartella.isEmpty() && dm.TblParametri.active())
        cartella = QDir::fromNativeSeparators(dm.TblParametri["FEPath"].asString().trimmed());
    if (cartella.isEmpty())
        cartella = CartellaProgramma();
    const QString scelto = dm.prompts.openFile(QStringLiteral("Apri"), cartella,
                                               QStringLiteral("XML files (*.xml);;P7M files (*.p7m);;Tutti i files (*)"));
    if (scelto.isEmpty())
        return;
    LabeledEdit1->setText(QDir::toNativeSeparators(scelto));
    QString c = QDir::toNativeSeparators(QFileInfo(scelto).absolutePath()).trimmed();
    if (!c.endsWith(QDir::separator()))
        c += QDir::separator();
    cartellaXml = c;
}

void TFrmValVisFE::bbSfogliaBrClick()
{
    const QString attuale = LabeledEdit2->text().trimmed();
    const QString cartella = !attuale.isEmpty() ? QFileInfo(attuale).absolutePath() : QStringLiteral("/usr/bin");
    const QString scelto = dm.prompts.openFile(QStringLiteral("Apri"), cartella, QStringLiteral("Tutti i files (*)"));
    if (!scelto.isEmpty())
        LabeledEdit2->setText(QDir::toNativeSeparators(scelto));
}

void TFrmValVisFE::bbDefaultBrClick()
{
    const QString browser = CercaBrowserPredefinito();
    if (browser.isEmpty())
        dm.prompts.error(QStringLiteral("Non posso determinare il browser predefinito."));
    else
        LabeledEdit2->setText(browser);
}
