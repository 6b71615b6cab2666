#include "BarraStrumenti.h"
#include "DataSource.h"
#include "Modulo.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

BarraStrumenti::BarraStrumenti(QWidget* parent, Aspetto aspetto) : QFrame(parent)
{
    fila = new QHBoxLayout(this);
    fila->setSpacing(2);
    if (aspetto == Aspetto::Rialzata) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
        fila->setContentsMargins(6, 4, 6, 4);
    } else {
        fila->setContentsMargins(0, 0, 0, 0);
    }
}

DbNavigator* BarraStrumenti::navigatore(DataSource& ds, NavButtons pulsanti, Prompts& prompts, const QString& nome)
{
    auto* nav = new DbNavigator(&ds, pulsanti, prompts, this);
    nav->setObjectName(nome);
    nav->setHints(DbNavigator::hintsStandard);
    fila->addWidget(nav);
    return nav;
}

QToolButton* BarraStrumenti::pulsante(const QIcon& icona, const QString& suggerimento, const QString& nome,
                                      const QString& didascalia)
{
    QToolButton* b = pulsanteStrumento(icona, suggerimento, 18, this);
    b->setObjectName(nome);
    if (didascalia.isEmpty()) {
        b->setFixedSize(28, 25);
    } else {
        b->setText(didascalia);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setFixedSize(40, 25);
    }
    fila->addWidget(b);
    return b;
}

QPushButton* BarraStrumenti::comando(const QString& testo, const QString& suggerimento)
{
    auto* b = new QPushButton(testo, this);
    b->setToolTip(suggerimento);
    b->setAutoDefault(false);
    fila->addWidget(b);
    return b;
}

QLabel* BarraStrumenti::etichetta(const QString& testo)
{
    auto* l = new QLabel(testo, this);
    l->setMinimumWidth(larghezzaCaratteri(this, 8));
    fila->addWidget(l);
    return l;
}

void BarraStrumenti::aggiungi(QWidget* w)
{
    fila->addWidget(w);
}

void BarraStrumenti::spazio(int larghezza)
{
    fila->addSpacing(larghezza);
}

void BarraStrumenti::separatore()
{
    auto* s = new QFrame(this);
    s->setFrameShape(QFrame::VLine);
    s->setFrameShadow(QFrame::Sunken);
    fila->addWidget(s);
}

void BarraStrumenti::allunga()
{
    fila->addStretch(1);
}

QPushButton* BarraStrumenti::chiudi()
{
    allunga();
    return comando(QStringLiteral("Chiudi"));
}

QVBoxLayout* sottoLaBarra(QWidget* finestra, BarraStrumenti* barra)
{
    auto* l = new QVBoxLayout(finestra);
    l->setContentsMargins(0, 0, 0, 10);
    l->setSpacing(8);
    l->addWidget(barra);
    auto* corpo = new QVBoxLayout;
    corpo->setContentsMargins(10, 0, 10, 0);
    l->addLayout(corpo, 1);
    return corpo;
}

QToolButton* pulsanteStrumento(const QIcon& icona, const QString& suggerimento, int lato, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setIcon(icona);
    b->setIconSize(QSize(lato, lato));
    b->setToolTip(suggerimento);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

BarraAnagrafica::BarraAnagrafica(DataSource& ds, Prompts& prompts, QWidget* parent) : BarraStrumenti(parent)
{
    navigatore = BarraStrumenti::navigatore(
        ds, Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Post | NavButton::Cancel, prompts);
    navigatore->setDeleteQuestion(QStringLiteral("Elimino il record?"));
    spazio();
}
