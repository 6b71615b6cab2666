#include "Anagrafiche.h"
#include "DataSource.h"
#include "DbNavigator.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

BarraAnagrafica::BarraAnagrafica(DataSource& ds, Prompts& prompts, QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    navigatore = new DbNavigator(&ds, Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Post | NavButton::Cancel,
                                 prompts, this);
    navigatore->setHints(DbNavigator::hintsStandard);
    navigatore->setDeleteQuestion("Elimino il record?");
    barra = new QHBoxLayout(this);
    barra->setContentsMargins(6, 4, 6, 4);
    barra->setSpacing(0);
    barra->addWidget(navigatore);
    spazio();
}

QToolButton* BarraAnagrafica::pulsante(const QIcon& icona, const QString& suggerimento)
{
    auto* b = new QToolButton(this);
    b->setIcon(icona);
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(25, 25);
    b->setToolTip(suggerimento);
    b->setFocusPolicy(Qt::NoFocus);
    barra->addWidget(b);
    return b;
}

void BarraAnagrafica::spazio()
{
    barra->addSpacing(10);
}

QPushButton* BarraAnagrafica::chiudi()
{
    auto* b = new QPushButton("Chiudi", this);
    b->setAutoDefault(false);
    barra->addStretch();
    barra->addWidget(b);
    return b;
}

void comeCampoSoloLettura(QLabel* l, int larghezza)
{
    l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    l->setIndent(4);
    l->setFixedWidth(larghezza);
    l->setMinimumHeight(QLineEdit().sizeHint().height());
}
