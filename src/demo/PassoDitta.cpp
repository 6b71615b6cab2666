#include "CodiciItaliani.h"
#include "Database.h"
#include "Generatore.h"
#include "Tabelle.h"

// The laundry's own data: its payment methods (which are also the payment accounts of the
// ledger) and its company parameters.
namespace demo {

void Generatore::creaPagamenti()
{
    Inserimento ins(db, Tabelle::ModPag(), {"Codice", "Descrizione", "Mastro", "Conto"});
    int codice = 1;
    for (const Pagamento& p : pagamenti)
        ins({codice++, QString::fromUtf8(p.descrizione), p.mastro, p.conto});
}

void Generatore::scriviParametri()
{
    const QString piva = [] {
        const QString base = QStringLiteral("0312457078");
        return base + cifraControlloPiva(base);
    }();
    const QStringList campi{"FE_Progr",    "FE_Data",        "FE_PIva",        "FE_CedID",
                            "FE_CedNome",  "FE_CedRegFisc",  "FE_CedIndirizzo", "FE_CedCAP",
                            "FE_CedComune", "REA_Ufficio",   "REA_Numero",     "REA_CapSoc",
                            "REA_SocioUnico", "REA_StatoLiq", "NotaCre",       "DataNotaCre",
                            "SoloPA",      "FE_TipoDocFatt", "FE_TipoDocNota"};
    const QVariantList valori{0,
                              QVariant(),
                              piva,
                              piva,
                              QStringLiteral("Lavanderia Mr. Zanfo S.r.l."),
                              QStringLiteral("RF01"),
                              QStringLiteral("Via Enrico Mattei, 18"),
                              QStringLiteral("87036"),
                              QStringLiteral("Rende"),
                              QStringLiteral("CS"),
                              QStringLiteral("187452"),
                              50000.0,
                              QStringLiteral("SU"),
                              QStringLiteral("LN"),
                              0,
                              QVariant(),
                              0,   // since 2019 every invoice is electronic, not only those to public bodies
                              QStringLiteral("TD24"),
                              QStringLiteral("TD04")};

    // The record exists from installation; an archive that lost it gets it back.
    if (db.recordCount(QStringLiteral("Parametri")) == 0) {
        Inserimento ins(db, Tabelle::Parametri(), campi);
        ins(valori);
        return;
    }
    QStringList assegnazioni;
    for (const QString& n : campi)
        assegnazioni << quoteName(n) + QStringLiteral(" = ?");
    QSqlQuery q = db.prepare(QStringLiteral("UPDATE %1 SET %2")
                                 .arg(quoteName(QStringLiteral("Parametri")), assegnazioni.join(u',')));
    for (int i = 0; i < valori.size(); ++i)
        q.bindValue(i, valori[i]);
    Database::run(q);
}

} // namespace demo
