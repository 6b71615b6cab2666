#include "TFrmNotaCre.h"

#include "Clock.h"
#include "GruppoFE.h"
#include "Modulo.h"
#include "TDataModule1.h"

#include <QShowEvent>
#include <QSpinBox>

TFrmNotaCre::TFrmNotaCre(TDataModule1& dm, QWidget* parent)
    : EmissioneNotaCredito(dm, SessioneFE::Schermata::NotaCre, parent)
{
    SpinEdit2 = new QSpinBox(this);
    SpinEdit2->setRange(2016, 2999);
    SpinEdit2->setFixedWidth(larghezzaCaratteri(SpinEdit2, 7));
    aggiungiCampo(QStringLiteral("&Anno di riferimento"), SpinEdit2);
    grpFE->genera = [this] { return GeneraNota(); };
}

void TFrmNotaCre::showEvent(QShowEvent* e)
{
    EmissioneNotaCredito::showEvent(e);
    if (!e->spontaneous())
        SpinEdit2->setValue(dm.annoEsercizio() ? dm.annoEsercizio() : oggi().year());
}

QStringList TFrmNotaCre::GeneraNota()
{
    if (!dm.TblClienti.active() || dm.TblClienti.isEmpty())
        return {};
    return grpFE->sessione.GeneraNoteCredito(dm.TblClienti["Codice"].asFloat(), QString::number(SpinEdit2->value()),
                                             dataEmissione());
}
