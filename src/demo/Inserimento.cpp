#include "Inserimento.h"
#include "Database.h"
#include "Errors.h"
#include "TableDef.h"
#include <QDate>
#include <algorithm>

namespace demo {

Inserimento::Inserimento(Database& db, const TableDef& def, const QStringList& campi)
{
    QStringList nomi, segnaposto;
    for (const QString& c : campi) {
        const auto it = std::find_if(def.fields.begin(), def.fields.end(),
                                     [&](const FieldDef& f) { return f.name == c; });
        if (it == def.fields.end())
            throw LavError(QStringLiteral("Campo %1 sconosciuto nella tabella %2.").arg(c, def.name));
        tipi.push_back(*it);
        nomi << quoteName(c);
        segnaposto << QStringLiteral("?");
    }
    q = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(quoteName(def.name), nomi.join(u','), segnaposto.join(u',')));
}

void Inserimento::operator()(const QVariantList& valori)
{
    Q_ASSERT(valori.size() == int(tipi.size()));
    for (int i = 0; i < valori.size(); ++i)
        q.bindValue(i, valore(tipi[size_t(i)], valori[i]));
    Database::run(q);
}

QVariant Inserimento::valore(const FieldDef& f, const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (f.type) {
    case FieldType::String: {
        const QString s = v.toString();
        return s.isEmpty() ? QVariant() : QVariant(s.left(f.size));
    }
    case FieldType::Boolean:
        return v.toBool() ? 1 : 0;
    case FieldType::Date: {
        const QDate d = v.toDate();
        return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
    }
    case FieldType::Float:
    case FieldType::Currency:
        return v.toDouble();
    default:
        return v.toLongLong();
    }
}

} // namespace demo
