#include "TFrmMain.h"
#include "BarraStrumenti.h"
#include "widgets/ArchivioDemo.h"
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

// Every window the main window opens, and every window their tool bars open in turn, is opened
// on the demo archive and looked at as a user would: it fits a 1366 x 768 screen with its title
// bar, its captions are whole, no two controls cover each other and Tab moves forward through
// the window. The windows are found from the menus, so a new entry is looked at too.
namespace {

// The screen the office works on, less a title bar and the window borders.
constexpr int LarghezzaSchermo = 1366 - 2 * 8;
constexpr int AltezzaSchermo = 768 - 31 - 8;

// Entries that open no window of their own: printing straight to the printer, the end of the
// program, a new fiscal year (it writes the archives and then opens the parameters, looked at
// through their own entry).
bool senzaFinestra(const QAction* a)
{
    const QString t = QString(a->text()).remove('&');
    const QString menu = a->parent() ? QString(a->parent()->property("title").toString()).remove('&') : QString();
    return t == "Stampa" || t == "Exit" || (t == "Crea" && menu.startsWith("Anno"));
}

void vociDi(QMenu* menu, QList<QAction*>& voci)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            vociDi(a->menu(), voci);
        else if (!senzaFinestra(a))
            voci << a;
    }
}

QString nome(const QWidget* w)
{
    QString n = w->metaObject()->className();
    if (!w->objectName().isEmpty())
        n += " " + w->objectName();
    if (auto* l = qobject_cast<const QLabel*>(w); l && !l->text().isEmpty())
        n += " \"" + l->text() + "\"";
    if (auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty())
        n += " \"" + b->text() + "\"";
    return n;
}

// Controls that hold their own parts (the box of a drop-down, the cells of a grid): their
// parts are not looked at on their own.
bool composto(const QWidget* w)
{
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QPlainTextEdit*>(w)
        || qobject_cast<const QTextEdit*>(w);
}

bool parteDiUnControllo(const QWidget* w, const QWidget* finestra)
{
    for (const QWidget* p = w->parentWidget(); p && p != finestra; p = p->parentWidget())
        if (composto(p))
            return true;
    return false;
}

bool controllo(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w))
        return !l->text().isEmpty() || !l->pixmap().isNull();
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) || composto(w)
        || qobject_cast<const QProgressBar*>(w);
}

// The part of the control the user sees, in the window's coordinates: what its parents (a
// scrolled area, a panel) let through.
QRect parteVisibile(const QWidget* w, const QWidget* finestra)
{
    QRect r(w->mapTo(finestra, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != finestra; p = p->parentWidget())
        r &= QRect(p->mapTo(finestra, QPoint(0, 0)), p->size());
    return r & finestra->rect();
}

QString testoSenzaAcceleratore(QString t)
{
    t.replace("&&", QChar(0x1));
    t.remove('&');
    t.replace(QChar(0x1), '&');
    return t;
}

int larghezzaTesto(const QWidget* w, const QString& testo)
{
    int massimo = 0;
    for (const QString& riga : testoSenzaAcceleratore(testo).split('\n'))
        massimo = std::max(massimo, w->fontMetrics().horizontalAdvance(riga));
    return massimo;
}

// The room a caption has inside its control, or -1 when the control does not show a caption
// that could be cut.
int spazioPerIlTesto(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty() || l->wordWrap() || l->textFormat() == Qt::RichText
            || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text())))
            return -1;
        int rientro = l->indent();
        if (rientro < 0)
            rientro = l->frameWidth() > 0 ? l->fontMetrics().horizontalAdvance('x') / 2 : 0;
        return l->contentsRect().width() - 2 * l->margin() - (l->alignment() & Qt::AlignHCenter ? 0 : rientro);
    }
    if (auto* b = qobject_cast<const QPushButton*>(w)) {
        if (b->text().isEmpty())
            return -1;
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.rect = b->rect();
        const int icona = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
        return b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width() - icona;
    }
    if (auto* c = qobject_cast<const QCheckBox*>(w))
        return c->text().isEmpty() ? -1 : c->width() - (c->sizeHint().width() - larghezzaTesto(c, c->text()));
    if (auto* r = qobject_cast<const QRadioButton*>(w))
        return r->text().isEmpty() ? -1 : r->width() - (r->sizeHint().width() - larghezzaTesto(r, r->text()));
    if (auto* t = qobject_cast<const QToolButton*>(w)) {
        if (t->text().isEmpty() || t->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return -1;
        // Inside the frame; beside the image the caption starts after it and a small gap.
        int spazio = t->width() - 2 * t->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, t);
        if (t->toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
            spazio -= t->iconSize().width() + 4;
        return spazio;
    }
    return -1;
}

class Ispezione
{
public:
    QStringList difetti;
    QStringList esaminate;

    // Runs `apri` and looks at every window that shows meanwhile (a modal one while it runs),
    // then closes it; `profondita` levels of tool-bar windows follow.
    void visita(const QString& via, const std::function<void()>& apri, int profondita)
    {
        const QList<QWidget*> prima = finestreAperte();
        QList<QPointer<QWidget>> viste;
        auto nuove = [&] {
            for (QWidget* w : finestreAperte())
                if (!prima.contains(w) && !viste.contains(w)) {
                    viste << w;
                    esamina(via, w, profondita);
                    chiudi(w);
                }
        };
        QTimer controllo;
        controllo.setInterval(20);
        QObject::connect(&controllo, &QTimer::timeout, nuove);
        controllo.start();
        apri();
        QApplication::processEvents();
        nuove();
    }

private:
    static QList<QWidget*> finestreAperte()
    {
        QList<QWidget*> aperte;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !(w->windowFlags() & (Qt::Popup & ~Qt::Window)) && !qobject_cast<QMenu*>(w))
                aperte << w;
        return aperte;
    }

    static void chiudi(QWidget* w)
    {
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        else
            w->close();
        if (w->isVisible())
            w->hide();
    }

    void esamina(const QString& via, QWidget* w, int profondita)
    {
        const QString finestra = QStringLiteral("%1 (%2)").arg(w->metaObject()->className(), via);
        esaminate << finestra;
        QApplication::processEvents();
        // Every page of its tabs in turn.
        QList<QPair<QTabWidget*, int>> pagine{{nullptr, 0}};
        for (QTabWidget* t : w->findChildren<QTabWidget*>())
            for (int i = 0; i < t->count(); ++i)
                if (t->isTabEnabled(i))
                    pagine.append({t, i});
        for (auto [schede, indice] : pagine) {
            if (schede) {
                if (!schede->isVisible())
                    continue;
                schede->setCurrentIndex(indice);
                QApplication::processEvents();
            }
            QStringList trovati;
            misura(w, trovati);
            for (const QString& t : trovati) {
                const QString difetto = finestra + (schede ? " [" + schede->tabText(indice).remove('&') + "]" : QString()) + ": " + t;
                if (!difetti.contains(difetto))
                    difetti << difetto;
            }
        }
        if (profondita <= 0)
            return;
        for (QAbstractButton* b : pulsantiDellaBarra(w)) {
            if (!b->isVisible() || !b->isEnabled())
                continue;
            const QString suggerimento = b->text().isEmpty() ? b->toolTip() : testoSenzaAcceleratore(b->text());
            visita(via + " > " + suggerimento, [b] { b->click(); }, profondita - 1);
        }
    }

    // The buttons of the window's tool bars that do not move through records or close it.
    static QList<QAbstractButton*> pulsantiDellaBarra(QWidget* w)
    {
        QList<QAbstractButton*> pulsanti;
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            bool inBarra = false;
            for (QWidget* p = b->parentWidget(); p && p != w; p = p->parentWidget()) {
                if (qobject_cast<DbNavigator*>(p)) {
                    inBarra = false;
                    break;
                }
                if (dynamic_cast<BarraStrumenti*>(p))
                    inBarra = true;
            }
            if (inBarra && testoSenzaAcceleratore(b->text()) != "Chiudi")
                pulsanti << b;
        }
        return pulsanti;
    }

public:
    // What is wrong with the window as it shows now.
    static void misura(QWidget* w, QStringList& trovati)
    {
        if (w->width() > LarghezzaSchermo || w->height() > AltezzaSchermo)
            trovati << QStringLiteral("%1 x %2 non entra nello schermo").arg(w->width()).arg(w->height());
        const QSize minima = w->minimumSize().expandedTo(w->minimumSizeHint());
        if (minima.width() > LarghezzaSchermo || minima.height() > AltezzaSchermo)
            trovati << QStringLiteral("non si riduce sotto %1 x %2").arg(minima.width()).arg(minima.height());

        QList<QWidget*> controlli;
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->isVisible() && c->window() == w && controllo(c) && !parteDiUnControllo(c, w))
                controlli << c;

        for (QWidget* c : controlli) {
            const int spazio = spazioPerIlTesto(c);
            QString testo;
            if (auto* l = qobject_cast<QLabel*>(c))
                testo = l->text();
            else if (auto* b = qobject_cast<QAbstractButton*>(c))
                testo = b->text();
            if (spazio >= 0 && larghezzaTesto(c, testo) > spazio)
                trovati << QStringLiteral("%1 tagliato (%2 su %3 punti)").arg(nome(c)).arg(larghezzaTesto(c, testo)).arg(spazio);
        }

        for (int i = 0; i < controlli.size(); ++i) {
            const QRect a = parteVisibile(controlli[i], w);
            for (int j = i + 1; j < controlli.size(); ++j) {
                if (controlli[i]->isAncestorOf(controlli[j]) || controlli[j]->isAncestorOf(controlli[i]))
                    continue;
                const QRect comune = a & parteVisibile(controlli[j], w);
                if (comune.width() > 1 && comune.height() > 1)
                    trovati << QStringLiteral("%1 e %2 si coprono").arg(nome(controlli[i]), nome(controlli[j]));
            }
        }

        ordineTab(w, trovati);
    }

    // Tab goes along a row to the right, down to the next row, or up to the top of a column
    // further right; it never goes back up or to the left.
    static void ordineTab(QWidget* w, QStringList& trovati)
    {
        QList<QWidget*> catena;
        for (QWidget* c = w->nextInFocusChain(); c && c != w; c = c->nextInFocusChain()) {
            if (catena.contains(c))
                break;
            if (c->window() == w && c->isVisible() && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus)
                && !c->focusProxy() && !parteDiUnControllo(c, w))
                catena << c;
        }
        for (int i = 1; i < catena.size(); ++i) {
            const QRect a = parteVisibile(catena[i - 1], w);
            const QRect b = parteVisibile(catena[i], w);
            const bool stessaRiga = std::abs(a.center().y() - b.center().y()) < std::max(a.height(), b.height()) / 2;
            const bool indietro = stessaRiga ? b.left() < a.left() : (b.top() < a.top() && b.left() <= a.left());
            if (indietro)
                trovati << QStringLiteral("Tab torna indietro da %1 a %2").arg(nome(catena[i - 1]), nome(catena[i]));
        }
    }
};

} // namespace

TEST(Impaginazione, EveryWindowFitsTheScreenShowsItsCaptionsWholeAndTabsForward)
{
    ArchivioDemo a;
    TFrmMain principale;
    principale.impostaDataModule(*a.dm);
    ASSERT_TRUE(mostraAttiva(principale));

    Ispezione ispezione;
    Ispezione::misura(&principale, ispezione.difetti);
    QList<QAction*> voci;
    for (QAction* m : principale.menuBar()->actions())
        if (m->menu())
            vociDi(m->menu(), voci);
    ASSERT_GT(voci.size(), 10);
    for (QAction* v : voci)
        ispezione.visita(QString(v->text()).remove('&'), [v] { v->trigger(); }, 1);

    // The windows the customer screen reaches through its links were opened too.
    EXPECT_GE(ispezione.esaminate.size(), 10) << ispezione.esaminate.join('\n').toStdString();
    EXPECT_TRUE(ispezione.difetti.isEmpty()) << ispezione.difetti.join('\n').toStdString() << "\n\nFinestre:\n"
                                             << ispezione.esaminate.join('\n').toStdString();
}

// The checks themselves catch what they are meant to: a cut caption, two controls on one spot,
// a window too large, Tab going back up.
TEST(Impaginazione, TheChecksSeeACutCaptionOverlappingControlsATooLargeWindowAndTabGoingBack)
{
    QWidget w;
    w.resize(400, 300);
    auto* etichetta = new QLabel("Denominazione del cliente", &w);
    etichetta->setGeometry(10, 10, 40, 20);
    auto* sopra = new QLineEdit(&w);
    sopra->setGeometry(100, 10, 100, 20);
    auto* sotto = new QLineEdit(&w);
    sotto->setGeometry(100, 50, 100, 20);
    auto* coperto = new QPushButton("OK", &w);
    coperto->setGeometry(150, 55, 80, 24);
    QWidget::setTabOrder(sotto, sopra);
    w.show();
    QStringList trovati;
    Ispezione::misura(&w, trovati);
    const QString tutti = trovati.join('\n');
    EXPECT_TRUE(tutti.contains("QLabel \"Denominazione del cliente\" tagliato")) << tutti.toStdString();
    EXPECT_TRUE(tutti.contains("si coprono")) << tutti.toStdString();
    EXPECT_TRUE(tutti.contains("Tab torna indietro")) << tutti.toStdString();

    // Laid out properly, nothing is found.
    etichetta->setGeometry(10, 10, 90 + etichetta->sizeHint().width(), 20);
    etichetta->move(10, 100);
    coperto->move(250, 55);
    QWidget::setTabOrder(sopra, sotto);
    QWidget::setTabOrder(sotto, coperto);
    trovati.clear();
    Ispezione::misura(&w, trovati);
    EXPECT_TRUE(trovati.isEmpty()) << trovati.join('\n').toStdString();

    w.resize(1400, 300);
    Ispezione::misura(&w, trovati);
    EXPECT_TRUE(trovati.join('\n').contains("non entra nello schermo"));
}
