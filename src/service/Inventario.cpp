#include "Inventario.h"
#include "DateIt.h"
#include "Periodo.h"
#include "TQRLInventario.h"

Inventario::Inventario(TDataModule1& dati) : dm(dati) {}

Inventario::~Inventario() = default;

QString Inventario::TestoPeriodo(const QDate& dal, const QDate& al)
{
    QString t = QStringLiteral(", periodo interessato ");
    if (formatDate(dal) == formatDate(inizioArchivio()))
        return t + QStringLiteral("fino al ") + formatDate(al);
    return t + QStringLiteral("tra il ") + formatDate(dal) + QStringLiteral(" ed il ") + formatDate(al);
}

QString Inventario::TestoArticolo(const QString& descrizione, const QString& tipo)
{
    return descrizione + u' ' + tipo;
}

TQRLInventario& Inventario::Prepara(const QString& articolo, const QDate& dal, const QDate& al)
{
    ControllaPeriodo(dal, al);
    if (!qrInventario)
        qrInventario = std::make_unique<TQRLInventario>(dm);
    qrInventario->articolo = articolo;
    qrInventario->tuttiGliArticoli = articolo.isEmpty();
    qrInventario->dal = dal;
    qrInventario->al = al;
    qrInventario->testoPeriodo = TestoPeriodo(dal, al);
    return *qrInventario;
}
