#include "TFrmMedia.h"
#include "BarChart.h"
#include "Centra.h"
#include "DateIt.h"
#include "TDataModule1.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFrmMedia::TFrmMedia(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm)
{
    setWindowTitle(QStringLiteral("Media e totali"));
    LblIntestazione = new QLabel(this);
    QFont f = LblIntestazione->font();
    f.setBold(true);
    LblIntestazione->setFont(f);
    Grafico = new BarChart(this);
    Grafico->setTitle(QStringLiteral("Media e totale consumi"));
    Grafico->setSeries(0, QStringLiteral("Media"), Qt::green);
    Grafico->setSeries(1, QStringLiteral("Totale"), Qt::red);
    Grafico->setValueMask(QStringLiteral("#,##0.#"));
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    BtnChiudi->setAutoDefault(false);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BtnChiudi);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->addWidget(LblIntestazione);
    l->addWidget(Grafico, 1);
    l->addLayout(pulsanti);
    resize(820, 560);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmMedia::~TFrmMedia() = default;

void TFrmMedia::Mostra(bool perCliente, const std::optional<PeriodoConsumi>& periodo)
{
    Table& cliente = dm.TblClienti;
    Table& sede = dm.TblSedi;
    const bool conCliente = cliente.active() && !cliente.isEmpty();
    QString indirizzo;
    if (perCliente && conCliente)
        indirizzo = cliente["Indirizzo"].asString() + u' ' + cliente["Comune"].asString();
    else if (!perCliente && sede.active() && !sede.isEmpty())
        indirizzo = sede["Indirizzo"].asString() + u' ' + sede["Comune"].asString();
    LblIntestazione->setText(conCliente ? u' ' + cliente["Denominazione"].asString() + u' '
                                              + cliente["Denominazione 2"].asString() + u' ' + indirizzo
                                        : QString());

    Table& medie = dm.TblMedie;
    if (!medie.active())
        medie.open();
    Grafico->clear();
    for (int i = 0; i < medie.recordCount(); ++i)
        Grafico->addBar(medie.valueAt(i, QStringLiteral("Servizio")).toString(),
                        medie.valueAt(i, QStringLiteral("Media mensile")).toDouble(),
                        medie.valueAt(i, QStringLiteral("Totale")).toDouble());
    Grafico->setFoot(QString(), periodo ? QStringLiteral("Periodo compreso tra ") + formatDate(periodo->dal)
                                              + QStringLiteral(" e ") + formatDate(periodo->al)
                                        : QString());
    Grafico->refresh();
    centraSulloSchermo(*this);
}
