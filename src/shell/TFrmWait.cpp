#include "TFrmWait.h"
#include "Animazione.h"
#include "Centra.h"
#include "Icone.h"
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QVBoxLayout>

TFrmWait::TFrmWait(const QString& cartella, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle("... aspetta ...");
    setCursor(Qt::BusyCursor);

    auto* pannello = new QFrame(this);
    pannello->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pannello->setLineWidth(2);

    auto* cornice = new QFrame(pannello);
    cornice->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* dentroCornice = new QVBoxLayout(cornice);
    dentroCornice->setContentsMargins(4, 4, 4, 4);
    const QString avi = QDir(cartella).filePath("wait.avi");
    if (QFile::exists(avi)) {
        auto* m = new QMovie(avi, {}, this);
        if (m->isValid())
            filmato = m;
        else
            delete m;
    }
    if (filmato) {
        auto* schermo = new QLabel(cornice);
        schermo->setMovie(filmato);
        dentroCornice->addWidget(schermo);
        filmato->start();
    } else {
        animazione = new Animazione(
            [](QPainter& p, const QRectF& r, int f) { Icone::disegnaLavatrice(p, r, f * 360.0 / 25); },
            25, 60, cornice);
        animazione->setFixedSize(72, 72);
        dentroCornice->addWidget(animazione);
    }

    lblNome = new QLabel("Lavanderia Mr. Zanfo", pannello);
    QFont grande = lblNome->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.5);
    grande.setBold(true);
    lblNome->setFont(grande);
    lblVersione = new QLabel(testoVersione(LAV_VERSION), pannello);
    lblBuild = new QLabel("(Build)", pannello);
    lblBuild->hide();

    auto* testi = new QVBoxLayout;
    testi->addStretch();
    testi->addWidget(lblNome);
    testi->addWidget(lblVersione);
    testi->addStretch();
    auto* riga = new QHBoxLayout(pannello);
    riga->setContentsMargins(12, 12, 20, 12);
    riga->setSpacing(16);
    riga->addWidget(cornice);
    riga->addLayout(testi);
    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(0, 0, 0, 0);
    esterno->addWidget(pannello);
    setFixedSize(sizeHint());
    centraSulloSchermo(*this);

    qApp->installEventFilter(this);
}

QString TFrmWait::testoVersione(const QString& versione)
{
    return "Versione " + versione.split('.').mid(0, 3).join('.');
}

bool TFrmWait::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() != QEvent::Show && e->type() != QEvent::Hide)
        return false;
    auto* w = qobject_cast<QWidget*>(obj);
    if (!w || w == this || !w->isWindow() || !w->isModal())
        return false;
    dialoghiAperti.removeAll(nullptr);
    if (e->type() == QEvent::Show && !dialoghiAperti.contains(w)) {
        if (dialoghiAperti.isEmpty() && isVisible()) {
            hide();
            inDisparte = true;
        }
        dialoghiAperti.append(w);
    } else if (e->type() == QEvent::Hide && dialoghiAperti.removeAll(w) && dialoghiAperti.isEmpty()
               && inDisparte) {
        inDisparte = false;
        show();
    }
    return false;
}

void TFrmWait::closeEvent(QCloseEvent* e)
{
    qApp->removeEventFilter(this);
    inDisparte = false;
    QWidget::closeEvent(e);
}
