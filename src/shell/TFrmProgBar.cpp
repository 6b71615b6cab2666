#include "TFrmProgBar.h"
#include "Centra.h"
#include <QProgressBar>
#include <QVBoxLayout>

TFrmProgBar::TFrmProgBar(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle("Elaborazione in corso ...");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedSize(320, 18);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(16, 16, 16, 16);
    l->addWidget(ProgressBar1);
    setFixedSize(sizeHint());
}

void TFrmProgBar::avvia(int massimo)
{
    ProgressBar1->setMaximum(massimo);
    ProgressBar1->setValue(0);
    show();
    repaint();
}

void TFrmProgBar::passo()
{
    ProgressBar1->setValue(qMin(ProgressBar1->value() + 1, ProgressBar1->maximum()));
    ProgressBar1->repaint();
}

void TFrmProgBar::termina()
{
    close();
}

void TFrmProgBar::showEvent(QShowEvent* e)
{
    centraSulloSchermo(*this);
    QDialog::showEvent(e);
}
