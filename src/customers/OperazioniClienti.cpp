#include "OperazioniClienti.h"
#include "Database.h"
#include "Locale.h"
#include "TDataModule1.h"
#include <QSqlQuery>
#include <cmath>
#include <exception>
#include <functional>

namespace {

// Rounds to three decimals, halves up: trunc(x / 0.001 + 0.5) × 0.001.
double arrotondaMillesimi(double x)
{
    return std::trunc(x / 0.001 + 0.5) * 0.001;
}

// Runs `lavoro`, then `ripristina` whatever happened. The failure the user hears of is the
// first: a failed restore after a failed work is its consequence.
void poiRipristina(const std::function<void()>& lavoro, const std::function<void()>& ripristina)
{
    std::exception_ptr errore;
    try {
        lavoro();
    } catch (...) {
        errore = std::current_exception();
    }
    try {
        ripristina();
    } catch (...) {
        if (!errore)
            throw;
    }
    if (errore)
        std::rethrow_exception(errore);
}

} // namespace

OperazioniClienti::OperazioniClienti(TDataModule1& modulo) : dm(modulo), qScheda(modulo.db, QStringLiteral("qScheda"))
{
    qScheda.setSql(QStringLiteral(
        "SELECT Clienti.Denominazione, Clienti.IndiceRev, Clienti.DataRev, Sedi.Codice, Ostrelo, DirGen, PrSocc, "
        "Sedi.Indirizzo, Sedi.Ufficio, Sedi.Scala, Sedi.Piano, Servizi.Descrizione, Servizi.Tipo, Noleggi.Quantita, "
        "Noleggi.Sesso, Noleggi.Reparto, Noleggi.Altro "
        "FROM Clienti LEFT JOIN Sedi ON Clienti.Codice = Sedi.\"Codice cliente\" "
        "LEFT JOIN Noleggi ON Sedi.Codice = Noleggi.\"Codice sede\" "
        "LEFT JOIN Servizi ON Noleggi.\"Codice servizio\" = Servizi.Codice "
        "WHERE Clienti.Codice = :Codice "
        "ORDER BY Sedi.Codice, Sedi.Indirizzo, Sedi.Scala, Sedi.Piano, Servizi.Descrizione"));
}

void OperazioniClienti::CalcolaImponibile(int mesi)
{
    Table& clienti = dm.TblClienti;
    Table& sedi = dm.TblSedi;
    Table& noleggi = dm.TblNoleggi;
    if (!clienti.active() || (clienti.state() == DatasetState::Browse && clienti.isEmpty()))
        return;
    double totaleCliente = 0;
    // A site posted while the customer is being inserted posts the customer too: it is put
    // back into edit to take the rest of the sum.
    auto scriviCliente = [&](double valore) {
        if (clienti.state() == DatasetState::Browse)
            clienti.edit();
        clienti["Imponibile"] = valore;
    };
    scriviCliente(0.0);

    // Back to the first site and rental whatever happened; a site that could not be saved
    // gives its changes up.
    poiRipristina(
        [&] {
            for (sedi.first(); !sedi.eof(); sedi.next()) {
                sedi.edit();
                sedi["Imponibile"] = 0.0;
                double totaleSede = 0;
                for (noleggi.first(); !noleggi.eof(); noleggi.next()) {
                    const double q = noleggi["InFattura"].isNull() ? noleggi["Quantita"].asFloat()
                                                                   : noleggi["InFattura"].asFloat();
                    const double costo = noleggi["Costo"].asFloat();
                    totaleCliente = arrotondaMillesimi(costo * q * mesi + totaleCliente);
                    scriviCliente(totaleCliente);
                    totaleSede = arrotondaMillesimi(costo * q + totaleSede);
                    sedi["Imponibile"] = totaleSede;
                }
            }
        },
        [&] {
            try {
                sedi.first();
            } catch (...) {
                sedi.cancel();
                sedi.first();
            }
            noleggi.first();
        });

    // The extra lines, unrounded.
    Table& altre = dm.TblAltreInfo;
    for (int r = 0; r < altre.recordCount(); ++r)
        totaleCliente += altre.valueAt(r, "Quantita").toDouble() * altre.valueAt(r, "Prezzo").toDouble();
    scriviCliente(totaleCliente);
}

void OperazioniClienti::RicopiaImporti()
{
    Table& noleggi = dm.TblNoleggi;
    const QString sql = QStringLiteral(
                            "UPDATE %1 SET Costo = :costo "
                            "WHERE \"Codice sede\" IN (SELECT Codice FROM %2 WHERE \"Codice cliente\" = :cliente) "
                            "AND \"Codice sede\" <> :sede AND \"Codice servizio\" = :servizio")
                            .arg(dm.db.qualified(QStringLiteral("Noleggi")), dm.db.qualified(QStringLiteral("Sedi")));
    const ControlsOff fermi(noleggi);
    poiRipristina(
        [&] {
            QSqlQuery q = dm.db.prepare(sql);
            const QVariant cliente = dm.TblClienti["Codice"].value();
            const QVariant sede = dm.TblSedi["Codice"].value();
            for (noleggi.first(); !noleggi.eof(); noleggi.next()) {
                q.bindValue(QStringLiteral(":costo"), plainDecimal(noleggi["Costo"].asFloat(), 3).toDouble());
                q.bindValue(QStringLiteral(":cliente"), cliente);
                q.bindValue(QStringLiteral(":sede"), sede);
                q.bindValue(QStringLiteral(":servizio"), noleggi["Codice servizio"].value());
                Database::run(q);
            }
        },
        [&] { noleggi.first(); });
}

void OperazioniClienti::CompilaOstrelo(const QVariant& codiceCliente)
{
    Table& ostrelo = dm.TblOstrelo;
    const auto chiudi = qScopeGuard([&] { qScheda.close(); });
    // Posted records are already in the file: the query reads what the screen shows.
    qScheda.close();
    qScheda.setParam(QStringLiteral("Codice"), codiceCliente);
    qScheda.open();

    ostrelo.close();
    if (ostrelo.exists())
        ostrelo.deleteTable();
    ostrelo.createTable();
    ostrelo.open();
    for (qScheda.first(); !qScheda.eof(); qScheda.next()) {
        const QVariant sede = qScheda["Codice"].value();
        const QVariant reparto = qScheda["Reparto"].value();
        const QVariant sesso = qScheda["Sesso"].value();
        if (ostrelo.locate(QStringLiteral("Sede;Reparto;Sesso"), {sede, reparto, sesso}, {.caseInsensitive = true})) {
            ostrelo.edit();
        } else {
            ostrelo.append();
            ostrelo["Sede"] = sede;
            ostrelo["Reparto"] = reparto;
            ostrelo["Sesso"] = sesso;
        }
        // Dispensers of the company's own type ("CWS") and the others, and the consumables.
        const QString articolo = qScheda["Descrizione"].asString().toUpper();
        const bool cws = qScheda["Tipo"].asString().toUpper().contains(QLatin1String("CWS"));
        const double quantita = qScheda["Quantita"].asFloat();
        const char* colonna = nullptr;
        if (articolo.contains(QLatin1String("ASCIUGAMANI")))
            colonna = cws ? "CotoneC" : "CotoneS";
        else if (articolo.contains(QLatin1String("SAPONE")))
            colonna = cws ? "SaponiereC" : "SaponiereS";
        else if (articolo.contains(QLatin1String("IGIENICA")))
            colonna = cws ? "CartaIgienicaC" : "CartaIgienicaS";
        else if (articolo.contains(QLatin1String("SPIRALE")))
            colonna = "CartaMani";
        else if (articolo.contains(QLatin1String("IGIENIZZA")))
            colonna = "Igienizzante";
        if (colonna) {
            Field& totale = ostrelo[QString::fromLatin1(colonna)];
            totale = totale.asFloat() + quantita;
        }
        for (const char* flag : {"Ostrelo", "DirGen", "PrSocc"}) {
            const Field& valore = qScheda[QString::fromLatin1(flag)];
            ostrelo[QString::fromLatin1(flag)] = valore.isNull() ? QVariant() : QVariant(valore.asBoolean());
        }
        for (const char* posto : {"Ufficio", "Scala", "Piano"})
            if (const QString t = qScheda[QString::fromLatin1(posto)].asString(); !t.isEmpty())
                ostrelo[QString::fromLatin1(posto)] = t;
        ostrelo["Altro"] = qScheda["Altro"].value();
        ostrelo.post();
    }
    ostrelo.close();
    ostrelo.open();
}
