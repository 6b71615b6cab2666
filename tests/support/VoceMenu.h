#pragma once
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

// The entry of a window's menu bar named by its path with the accelerators as written
// ("&Clienti > Sospesi > Gestione"); nullptr when there is none.
inline QAction* voceMenu(QMainWindow& w, const QString& percorso)
{
    QList<QAction*> azioni = w.menuBar()->actions();
    QAction* trovata = nullptr;
    for (const QString& parte : percorso.split(QStringLiteral(" > "))) {
        trovata = nullptr;
        for (QAction* a : azioni)
            if (a->text() == parte)
                trovata = a;
        if (!trovata)
            return nullptr;
        azioni = trovata->menu() ? trovata->menu()->actions() : QList<QAction*>{};
    }
    return trovata;
}
