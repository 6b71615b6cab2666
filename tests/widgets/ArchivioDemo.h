#pragma once
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "support/TempArchive.h"
#include <QApplication>
#include <QSqlQuery>
#include <QTest>
#include <QWidget>
#include <memory>
#include <ostream>

// Texts as text in the failures of the checks.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// A temporary archive with the demo data and a data module started on it, its tables open as
// after start-up; every prompt is answered by the script.
struct ArchivioDemo
{
    ArchivioDemo()
    {
        dm = std::make_unique<TDataModule1>(prompts, archivio.cartella());
        dm->sceltaAnno = [this] { dm->CambiaAnno(2024); };
        dm->Avvia();
        prompts.clear();
    }
    ~ArchivioDemo() { dm.reset(); }

    // Values as stored in the file, read past the datasets.
    QVariant leggi(const QString& sql)
    {
        QSqlQuery q = dm->db.exec(sql);
        return q.next() ? q.value(0) : QVariant();
    }

    TempArchive archivio{TempArchive::Demo{.scale = 1, .seed = 1}};
    ScriptedPrompts prompts;
    std::unique_ptr<TDataModule1> dm;
};

// Shows a window on the offscreen screen and makes it the active one, so that focus moves.
inline bool mostraAttiva(QWidget& w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}
