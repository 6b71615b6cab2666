#include "Movimenti.h"

#include "DateIt.h"
#include "TDataModule1.h"
#include <QSqlQuery>

namespace Movimenti {

namespace {

QString ledger(TDataModule1& dm)
{
    return dm.db.qualified(dm.TblPrimaNota.tableName());
}

QVariant data(const QDate& d)
{
    return d.isValid() ? QVariant(isoDate(d)) : QVariant();
}

} // namespace

bool esiste(TDataModule1& dm, qint64 codice)
{
    QSqlQuery q = dm.db.exec(QStringLiteral("SELECT 1 FROM %1 WHERE Codice = ?").arg(ledger(dm)), {codice});
    return q.next();
}

std::optional<Money> residuoFattura(TDataModule1& dm, const QVariant& cliente, int numero, qint64 tranne)
{
    QSqlQuery q = dm.db.exec(
        QStringLiteral("SELECT count(*), total(-Importo) FROM %1 WHERE Cliente = ? AND Conto = 0 AND Causale = ? AND Fattura = ?")
            .arg(ledger(dm)),
        {cliente, fatturaDiVendita, numero});
    if (!q.next() || q.value(0).toLongLong() == 0)
        return std::nullopt;
    const Money fatturato = Money::fromDouble(q.value(1).toDouble());
    q.finish();
    q = dm.db.exec(QStringLiteral("SELECT total(Importo) FROM %1 WHERE Cliente = ? AND Conto = 0 AND Causale <> ? "
                                  "AND Incassata = 1 AND Fattura = ? AND Codice <> ?")
                       .arg(ledger(dm)),
                   {cliente, fatturaDiVendita, numero, tranne});
    const Money incassato = q.next() ? Money::fromDouble(q.value(0).toDouble()) : Money();
    return fatturato - incassato;
}

bool eIncassoSuConto(TDataModule1& dm, qint64 codice, const QVariant& cliente)
{
    QSqlQuery q = dm.db.exec(QStringLiteral("SELECT 1 FROM %1 WHERE Codice = ? AND Conto <> 0 AND Cliente = ?").arg(ledger(dm)),
                             {codice, cliente});
    return q.next();
}

void aggiornaIncassoSuConto(TDataModule1& dm, qint64 codice, qint64 conto, const QString& causale, Money importo,
                            int numero, const QDate& dataRif, const QDate& data_)
{
    dm.db.exec(QStringLiteral("UPDATE %1 SET Conto = ?, Causale = ?, Importo = ?, Fattura = ?, DataRif = ?, Data = ?, "
                              "Incassata = 1 WHERE Codice = ?")
                   .arg(ledger(dm)),
               {conto, causale.isEmpty() ? QVariant() : QVariant(causale), importo.toDouble(),
                numero ? QVariant(numero) : QVariant(), data(dataRif), data(data_), codice});
}

void elimina(TDataModule1& dm, qint64 codice)
{
    dm.db.exec(QStringLiteral("DELETE FROM %1 WHERE Codice = ?").arg(ledger(dm)), {codice});
}

bool esisteModPag(TDataModule1& dm, qint64 codice)
{
    QSqlQuery q = dm.db.exec(QStringLiteral("SELECT 1 FROM %1 WHERE Codice = ?").arg(dm.db.qualified(dm.TblModPag.tableName())),
                             {codice});
    return q.next();
}

} // namespace Movimenti
