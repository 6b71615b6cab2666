#include "OperazioniClienti.h"
#include "TFrmClientiProva.h"

// The customer screen's computations run without the screen, as the command line runs them.
TEST_F(SchermoClienti, TaxableAmountAndPriceCopyRunWithoutTheScreen)
{
    cliente(1, "Clinica San Marco", "Bimestrale");
    sede(10, 1, "Padiglione A");
    noleggio(10, 1, 3, 10.0);
    noleggio(10, 2, 4, 5.0, 1);
    sede(11, 1, "Padiglione B");
    noleggio(11, 1, 2, 8.0);
    for (Table* t : {&dm.TblServizi, &dm.TblClienti, &dm.TblSedi, &dm.TblNoleggi, &dm.TblAltreInfo})
        t->refresh();
    OperazioniClienti operazioni(dm);

    operazioni.CalcolaImponibile(2);
    EXPECT_DOUBLE_EQ(dm.TblClienti["Imponibile"].asFloat(), (30 + 5 + 16) * 2.0);
    EXPECT_EQ(dm.TblClienti.state(), DatasetState::Edit);    // left for the user to save
    dm.TblClienti.post();
    EXPECT_DOUBLE_EQ(leggi("SELECT Imponibile FROM Sedi WHERE Codice = 11").toDouble(), 16);

    // Padiglione A's prices go to the other site for the articles it rents too.
    dm.TblSedi.first();
    operazioni.RicopiaImporti();
    EXPECT_DOUBLE_EQ(costo(11, 1), 10.0);
    EXPECT_EQ(dm.TblNoleggi.recNo(), 1);
}

TEST_F(SchermoClienti, ExtendedSheetTableIsMadeForOneCustomerWithoutTheScreen)
{
    cliente(1, "Ospedale Civile", "Mensile", true);
    sede(10, 1, "Reparto A");
    noleggio(10, 1, 3, 10.0, {}, "Chirurgia", "M");
    noleggio(10, 2, 2, 5.0, {}, "Chirurgia", "M");
    cliente(2, "Altro cliente", "Mensile", true);
    sede(20, 2, "Altrove");
    noleggio(20, 1, 9, 10.0, {}, "Chirurgia", "M");
    OperazioniClienti(dm).CompilaOstrelo(1);
    EXPECT_EQ(leggi("SELECT COUNT(*) FROM Ostrelo").toInt(), 1);
    EXPECT_DOUBLE_EQ(leggi("SELECT SaponiereS FROM Ostrelo WHERE Sede = 10").toDouble(), 2);
}
