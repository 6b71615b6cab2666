#include "TFrmAnno.h"
#include "Centra.h"
#include "Clock.h"
#include "Errors.h"
#include "TDataModule1.h"
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFrmAnno::TFrmAnno(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), dm(dm)
{
    setWindowTitle("Anno d'esercizio");
    auto* lblAnno = new QLabel("&Anno", this);
    speAnno = new QSpinBox(this);
    speAnno->setRange(1990, 2090);
    speAnno->setValue(oggi().year());
    speAnno->setFixedWidth(speAnno->sizeHint().width() + 16);
    lblAnno->setBuddy(speAnno);
    btnOK = new QPushButton("OK", this);
    btnOK->setDefault(true);

    auto* riga = new QHBoxLayout;
    riga->setSpacing(10);
    riga->addStretch();
    riga->addWidget(lblAnno);
    riga->addWidget(speAnno);
    riga->addStretch();
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(24, 18, 24, 16);
    l->setSpacing(16);
    l->addLayout(riga);
    l->addWidget(btnOK, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(200, 0)));

    speAnno->installEventFilter(this);
    btnOK->installEventFilter(this);
    connect(btnOK, &QPushButton::clicked, this, &TFrmAnno::BtnOKClick);
    // The year created by "Crea" (or switched to elsewhere) is the one the field proposes.
    connect(&dm, &TDataModule1::annoCambiato, speAnno, &QSpinBox::setValue);
}

void TFrmAnno::showEvent(QShowEvent* e)
{
    valoreAllaApertura = speAnno->value();
    chiusuraConOK = false;
    speAnno->setFocus();
    speAnno->selectAll();
    centraSulloSchermo(*this);
    QDialog::showEvent(e);
}

bool TFrmAnno::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & Qt::AltModifier) {
        // Taken away from the shortcuts too, so that nothing but OK leaves the dialog.
        e->accept();
        return true;
    }
    if (obj == speAnno && e->type() == QEvent::KeyPress
        && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Space)) {
        speAnno->interpretText();
        BtnOKClick();
        return true;
    }
    return false;
}

// Switches the year; when the user refuses to create a missing year, the field goes back to
// the year in force when the dialog opened. A year that cannot be opened (a damaged archive or
// ledger) is reported and the dialog closes: the year in force stays, and at start-up, with
// no year in force, the program ends.
void TFrmAnno::BtnOKClick()
{
    bool cambiato = false;
    try {
        cambiato = dm.CambiaAnno(speAnno->value());
    } catch (const Abort&) {
    } catch (const LavError& e) {
        dm.prompts.standardError(e.message());
    }
    if (!cambiato)
        speAnno->setValue(valoreAllaApertura);
    chiusuraConOK = true;
    done(dm.annoNonApribile() ? QDialog::Rejected : QDialog::Accepted);
}

void TFrmAnno::reject() {}

void TFrmAnno::closeEvent(QCloseEvent* e)
{
    if (!chiusuraConOK)
        e->ignore();
}
