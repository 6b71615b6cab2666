#include "Tabelle.h"
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(Tabelle, FoundByTheNamesTheProgramWrites)
{
    for (const char* nome : {"Clienti", "clienti", "Clienti.DB", "CLIENTI.db", "archivi/Clienti.db"})
        EXPECT_EQ(Tabelle::perNome(nome), &Tabelle::Clienti()) << nome;
    EXPECT_EQ(Tabelle::perNome("..\\2019\\PrimaNota.DB"), &Tabelle::PrimaNota());
    EXPECT_EQ(Tabelle::perNome("../update/Fattman.db"), &Tabelle::FattMan());
    EXPECT_EQ(Tabelle::perNome("Stomag"), &Tabelle::StoMag());
    EXPECT_EQ(Tabelle::perNome("SSS"), nullptr);
    EXPECT_EQ(Tabelle::perNome(""), nullptr);
}

TEST(Tabelle, InstallationHoldsTheFifteenSharedTablesButNoWorkTableOrLedger)
{
    QSet<QString> nomi;
    for (const TableDef& def : Tabelle::installazione())
        nomi << def.name;
    EXPECT_EQ(nomi, (QSet<QString>{"Agenti", "Clienti", "Sedi", "Noleggi", "Servizi", "Stomag",
                                   "Consumi", "Medie", "Fattman", "ModPag", "AltreInfo", "Iter",
                                   "Interventi", "Sospesi", "Parametri"}));
    // Every definition can be found again by its own name, and every field name is unique.
    for (const TableDef* def : {&Tabelle::Fatture(), &Tabelle::Totali(), &Tabelle::PrimaNota(),
                                &Tabelle::Ostrelo(), &Tabelle::FattMan(), &Tabelle::Clienti()}) {
        EXPECT_EQ(Tabelle::perNome(def->name), def);
        QSet<QString> campi;
        for (const FieldDef& f : def->fields)
            campi << f.name.toLower();
        EXPECT_EQ(campi.size(), def->fields.size()) << def->name.toStdString();
    }
}

} // namespace
