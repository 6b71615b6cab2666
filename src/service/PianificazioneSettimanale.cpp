#include "PianificazioneSettimanale.h"
#include "DateIt.h"
#include "Database.h"
#include <QSqlQuery>
#include <limits>
#include <set>
#include <tuple>

namespace PianificazioneSettimanale {

namespace {

FieldDef campo(const char* name, FieldType type, int size = 0)
{
    FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    f.size = size;
    return f;
}

// Text of a stored text or whole number as the sheet shows it.
QString testo(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    return QString::number(v.toLongLong());
}

} // namespace

TableDef definizione(LayoutScheda layout)
{
    // The address and town keep the widths of the site's own fields, so that the sheet prints
    // them whole.
    TableDef d{QStringLiteral("SSS"),
               {campo("Settimana", FieldType::SmallInt), campo("Giorno", FieldType::SmallInt),
                campo("Cliente", FieldType::String, 71), campo("Gruppo", FieldType::SmallInt),
                campo("CodCliente", FieldType::Integer), campo("CodSede", FieldType::Integer),
                campo("Indirizzo", FieldType::String, 255), campo("Comune", FieldType::String, 50),
                campo("IndirizzoGruppo", FieldType::String, 30)},
               {IndexDef{QStringLiteral("TblSSSIndex1"),
                         {QStringLiteral("Settimana"), QStringLiteral("Giorno"), QStringLiteral("Cliente"),
                          QStringLiteral("Gruppo"), QStringLiteral("CodCliente")},
                         true, false}}};
    if (layout == LayoutScheda::Corrente)
        d.fields << campo("Scheda", FieldType::String, 50);
    return d;
}

int Pianifica(Database& db, int iter, LayoutScheda layout)
{
    const TableDef def = definizione(layout);
    const bool conScheda = layout == LayoutScheda::Corrente;

    // The table is made before the sites are read: SQLite drops no table under an open read.
    Savepoint sp(db);
    db.createTable(QStringLiteral("SSS"), def);
    QString colonne = QStringLiteral("Settimana, Giorno, Cliente, Gruppo, CodCliente, CodSede, Indirizzo, Comune, IndirizzoGruppo");
    QString valori = QStringLiteral("?, ?, ?, ?, ?, ?, ?, ?, ?");
    if (conScheda) {
        colonne += QStringLiteral(", Scheda");
        valori += QStringLiteral(", ?");
    }
    QSqlQuery ins = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(db.qualified(QStringLiteral("SSS")), colonne, valori));

    // Every site of the route with its customer and intervention rows, in site-code order.
    QSqlQuery q = db.exec(QStringLiteral(
        "SELECT s.Codice, s.Gruppo, s.Indirizzo, s.Comune, s.IndirizzoGruppo, i.Settimana, "
        "i.Lunedi, i.Martedi, i.Mercoledi, i.Giovedi, i.Venerdi, i.Sabato, "
        "c.Codice, c.Denominazione, c.\"Denominazione 2\", c.Scheda, c.IndiceRev, c.DataRev "
        "FROM Sedi s JOIN Clienti c ON c.Codice = s.\"Codice cliente\" JOIN Interventi i ON i.Sede = s.Codice "
        "WHERE s.Iter = ? ORDER BY s.Codice, i.rowid"),
                          {iter});

    // A stop is a customer's group; an empty group is a group of its own.
    constexpr qint64 senzaGruppo = std::numeric_limits<qint64>::min();
    std::set<std::tuple<int, int, double, qint64>> fermate;
    int righe = 0;
    while (q.next()) {
        // An empty week counts as week 1, as the entry of the intervention rows stores it.
        const int settimana = q.value(5).isNull() ? 1 : q.value(5).toInt();
        const QVariant gruppo = q.value(1);
        const double cliente = q.value(12).toDouble();
        for (int giorno = 1; giorno <= 6; ++giorno) {
            const QVariant giornoValore = q.value(5 + giorno);
            if (!giornoValore.isNull() && giornoValore.toLongLong() == 0)
                continue;
            const auto chiave = std::make_tuple(settimana, giorno, cliente,
                                                gruppo.isNull() ? senzaGruppo : gruppo.toLongLong());
            if (!fermate.insert(chiave).second)
                continue;
            ins.addBindValue(settimana);
            ins.addBindValue(giorno);
            ins.addBindValue((testo(q.value(13)) + u' ' + testo(q.value(14))).left(71));
            ins.addBindValue(gruppo);
            ins.addBindValue(qint64(cliente));
            ins.addBindValue(qint64(q.value(0).toDouble()));
            ins.addBindValue(q.value(2).isNull() ? QVariant() : QVariant(q.value(2).toString().left(255)));
            ins.addBindValue(q.value(3).isNull() ? QVariant() : QVariant(q.value(3).toString().left(50)));
            ins.addBindValue(q.value(4).isNull() ? QVariant() : QVariant(q.value(4).toString().left(30)));
            if (conScheda)
                ins.addBindValue((QStringLiteral("Scheda: ") + testo(q.value(15)) + QStringLiteral(" - Rev: ")
                                  + testo(q.value(16)) + QStringLiteral(" del ") + formatDate(fromIso(q.value(17).toString())))
                                     .left(50));
            Database::run(ins);
            ++righe;
        }
    }
    q.finish();
    ins.finish();
    sp.release();
    return righe;
}

QDate Lunedi(const QDate& riferimento, int settimana)
{
    // Weekday counted from Sunday = 1 to Saturday = 7.
    const int d = riferimento.dayOfWeek() % 7 + 1;
    const int scarto = d == 1 ? 7 * settimana - 6 : 7 * settimana - d + 2;
    return riferimento.addDays(scarto);
}

QString NomeGiorno(int giorno)
{
    static const char* const nomi[] = {"Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato"};
    return giorno >= 1 && giorno <= 6 ? QString::fromUtf8(nomi[giorno - 1]) : QString();
}

} // namespace PianificazioneSettimanale
