#pragma once
#include "customers/TQRDatiDiProva.h"
#include <QSqlDatabase>
#include <QSqlQuery>

// The archive of 2024 with the payment methods 1 "Rimessa diretta" and 2 "Bonifico" (general
// ledger 18/1 and 18/2) and the customer "Hotel Miramare", who pays by "Bonifico", current.
// The ledger is read back straight from the year's file, through a connection of its own.
class ContiDiProva : public DatiDiProva
{
protected:
    ContiDiProva()
    {
        fissaOggi(QDate(2024, 3, 15));
        sql("INSERT INTO ModPag (Codice, Descrizione, Mastro, Conto) VALUES (1, 'Rimessa diretta', 18, 1), "
            "(2, 'Bonifico', 18, 2)");
        dm.TblModPag.refresh();
        miramare = cliente({});
        aggiorna();
        suCliente(miramare);
    }
    ~ContiDiProva() override { QSqlDatabase::removeDatabase(QStringLiteral("lettoreLedger")); }

    void suCliente(double codice) { dm.TblClienti.locate("Codice", {codice}); }

    // An invoice of the current customer as the invoice print records it.
    void fattura(int numero, double importo, const QDate& data)
    {
        sql("UPDATE Clienti SET Fattura = ? WHERE Codice = ?", {numero, dm.TblClienti["Codice"].value()});
        dm.TblClienti.refresh();
        dm.RegistraFattura(Money::fromDouble(importo), data);
    }

    struct Movimento
    {
        qint64 codice, altra;
        double cliente;
        QString causale;
        int conto;
        double importo;
        bool incassata;
        QDate data, rif;
        int fattura;
        bool manuale;
        double saldo;
    };

    // Every movement of the 2024 ledger file, by code.
    QList<Movimento> ledger()
    {
        QSqlDatabase db = QSqlDatabase::contains(QStringLiteral("lettoreLedger"))
                              ? QSqlDatabase::database(QStringLiteral("lettoreLedger"))
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lettoreLedger"));
        db.setDatabaseName(a.percorso(QStringLiteral("2024/PrimaNota.db")));
        db.open();
        QList<Movimento> out;
        QSqlQuery q(db);
        q.exec("SELECT Codice, CodiceAltra, Cliente, Causale, Conto, Importo, Incassata, Data, DataRif, Fattura, "
               "InsManuale, Saldo FROM PrimaNota ORDER BY Codice");
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toDouble(), q.value(3).toString(),
                        q.value(4).toInt(), q.value(5).toDouble(), q.value(6).toBool(),
                        QDate::fromString(q.value(7).toString(), Qt::ISODate),
                        QDate::fromString(q.value(8).toString(), Qt::ISODate), q.value(9).toInt(), q.value(10).toBool(),
                        q.value(11).toDouble()});
        q.finish();
        db.close();
        return out;
    }

    // "causale conto importo" of every movement, the quick picture of a ledger.
    QStringList riassunto()
    {
        QStringList out;
        for (const Movimento& m : ledger())
            out << QStringLiteral("%1 %2 %3%4").arg(m.causale).arg(m.conto).arg(m.importo).arg(m.incassata ? " incassata" : "");
        return out;
    }

    double miramare = 0;
};

inline void PrintTo(const Prompt& p, std::ostream* os)
{
    *os << "prompt(" << int(p.kind) << ", " << int(p.type) << ", " << int(p.buttons) << ", \"" << p.text.toStdString()
        << "\")";
}
