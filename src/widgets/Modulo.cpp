#include "Modulo.h"
#include "DbCheckBox.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "FocusColour.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QVBoxLayout>

QVBoxLayout* colonnaFinestra(QWidget* finestra, int spaziatura)
{
    auto* l = new QVBoxLayout(finestra);
    l->setContentsMargins(14, 14, 14, 12);
    l->setSpacing(spaziatura);
    return l;
}

int larghezzaCaratteri(const QWidget* w, int caratteri)
{
    return w->fontMetrics().horizontalAdvance(QLatin1Char('0')) * caratteri + 14;
}

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

void comeCampoSoloLettura(QLabel* l, int larghezza)
{
    l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    l->setIndent(4);
    l->setFixedWidth(larghezza);
    l->setMinimumHeight(QLineEdit().sizeHint().height());
}

QWidget* ControlliVivi::testo(const QString& campo, bool maiuscolo)
{
    auto* e = new DbEdit(src, campo, prompts, parent);
    e->setObjectName(campo);
    e->setUpperCase(maiuscolo);
    if (coloreFuoco)
        FocusColour::install(e);
    return e;
}

QWidget* ControlliVivi::data(const QString& campo)
{
    auto* d = new DbDateEdit(src, campo, prompts, parent);
    d->setObjectName(campo);
    if (coloreFuoco)
        FocusColour::install(d);
    return d;
}

QCheckBox* ControlliVivi::spunta(const QString& didascalia, const QString& campo, bool treStati)
{
    auto* c = new DbCheckBox(didascalia, src, campo, prompts, parent);
    c->setObjectName(campo);
    c->setTristate(treStati);
    return c;
}

QLabel* ControlliVivi::etichetta(const QString& testo, QWidget* controllo)
{
    return ::etichetta(testo, controllo, parent);
}

QGroupBox* ControlliVivi::riquadro(const QString& titolo)
{
    return new QGroupBox(titolo, parent);
}

void disponiCampi(QGridLayout* griglia, Controlli& c, std::initializer_list<VoceModulo> voci)
{
    // Tab follows the rows as listed, whenever the window made its own controls.
    QWidget* precedente = nullptr;
    for (const VoceModulo& v : voci) {
        QWidget* w = v.controllo;
        if (!w) {
            switch (v.tipo) {
            case VoceModulo::Testo: w = c.testo(v.campo); break;
            case VoceModulo::Maiuscolo: w = c.testo(v.campo, true); break;
            case VoceModulo::Data: w = c.data(v.campo); break;
            case VoceModulo::Spunta: w = c.spunta(v.etichetta, v.campo); break;
            }
        }
        if (v.caratteri > 0)
            w->setFixedWidth(larghezzaCaratteri(w, v.caratteri));
        if (!v.suggerimento.isEmpty())
            w->setToolTip(v.suggerimento);
        if (v.tipo == VoceModulo::Spunta || v.etichetta.isEmpty()) {
            griglia->addWidget(w, v.riga, v.colonna, 1, v.ampiezza, v.allinea);
        } else {
            griglia->addWidget(c.etichetta(v.etichetta, w), v.riga, v.colonna, v.allineaEtichetta);
            griglia->addWidget(w, v.riga, v.colonna + 1, 1, v.ampiezza, v.allinea);
        }
        v.dove(w);
        if (precedente)
            QWidget::setTabOrder(precedente, w);
        precedente = w;
    }
}
