#include "Schermate.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TQRAgenti.h"
#include "TQRClientiLst.h"
#include "TQRDocumenti.h"
#include "TQRMDClienteSin.h"
#include "TQRMDClienti.h"
#include "TQRSchedaEstesa.h"
#include "TempArchive.h"
#include <QImage>
#include <QPainter>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// The reports on the demo archive, written as PDF files with a picture of their first page
// into the folder named by LAV_SCREENSHOTS, for a look by eye.
class SchermateStampe : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (cartellaSchermate().isEmpty())
            GTEST_SKIP() << "LAV_SCREENSHOTS not set";
        dm = std::make_unique<TDataModule1>(prompts, archivio.cartella());
        dm->sceltaAnno = [this] { dm->CambiaAnno(2024); };
        dm->Avvia();
    }
    void TearDown() override { dm.reset(); }

    void salva(ReportDocument& r, const QString& nome)
    {
        ASSERT_TRUE(r.exportPdf(fileSchermata(nome + ".pdf")));
        const Page& p = r.pages().page(0);
        QImage immagine((p.size * 4).toSize(), QImage::Format_RGB32);
        immagine.fill(Qt::white);
        QPainter painter(&immagine);
        r.pages().drawPage(painter, 0, 4);
        painter.end();
        EXPECT_TRUE(immagine.save(fileSchermata(nome + ".png")));
    }

    // The first customer with the given number of sites (at least), the table left on it.
    double clienteConSedi(int sedi, const QString& condizione = QStringLiteral("1"))
    {
        QSqlQuery q = dm->db.exec(QStringLiteral("SELECT c.Codice FROM Clienti c JOIN Sedi s ON s.\"Codice cliente\" = c.Codice "
                                                 "WHERE %1 GROUP BY c.Codice HAVING count(*) %2 ORDER BY c.Denominazione")
                                      .arg(condizione, sedi == 1 ? QStringLiteral("= 1") : QStringLiteral(">= %1").arg(sedi)));
        const double codice = q.next() ? q.value(0).toDouble() : 0;
        dm->TblClienti.locate(QStringLiteral("Codice"), {codice});
        return codice;
    }

    void filtra(double codice)
    {
        dm->TblClienti.setFilter(QStringLiteral("Codice = %1").arg(codice));
        dm->TblClienti.setFiltered(true);
    }
    void togliFiltro(double codice)
    {
        dm->TblClienti.setFiltered(false);
        dm->TblClienti.locate(QStringLiteral("Codice"), {codice});
    }

    TempArchive archivio{TempArchive::Demo{.scale = 1, .seed = 1}};
    ScriptedPrompts prompts;
    std::unique_ptr<TDataModule1> dm;
};

} // namespace

TEST_F(SchermateStampe, SchedeEdElenchi)
{
    // The sheet of a customer with several sites, its visits from the intervention rows.
    TQRMDClienti schede(*dm);
    const double molte = clienteConSedi(3);
    dm->db.exec(QStringLiteral("UPDATE Sedi SET Frequenza = NULL WHERE \"Codice cliente\" = ?"), {molte});
    dm->TblSedi.refresh();
    for (double codice : {molte, clienteConSedi(1)}) {
        filtra(codice);
        dm->ModoElenco = false;
        schede.title = QString::number(schede.prepare());
        salva(schede, codice == molte ? QStringLiteral("stampa-scheda-cliente") : QStringLiteral("stampa-scheda-una-sede"));
        togliFiltro(codice);
    }
    dm->ModoElenco = true;
    schede.title = QString::number(schede.prepare());
    salva(schede, QStringLiteral("stampa-elenco-analitico"));

    const double uno = clienteConSedi(2);
    filtra(uno);
    TQRMDClienteSin sintetica(*dm);
    salva(sintetica, QStringLiteral("stampa-scheda-sintetica"));
    togliFiltro(uno);

    TQRClientiLst elenco(*dm);
    salva(elenco, QStringLiteral("stampa-elenco-sintetico"));

    dm->TblAgenti.first();
    dm->QuerySedi.close();
    dm->QuerySedi.open();
    TQRAgenti agenti(*dm);
    salva(agenti, QStringLiteral("stampa-sedi-agente"));
}

TEST_F(SchermateStampe, SchedaContabile)
{
    const double codice = clienteConSedi(1);
    dm->CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm->DSClienti);
    for (int mese = 1; mese <= 6; ++mese) {
        dm->TblClienti.edit();
        dm->TblClienti["Fattura"] = 10 * mese + 3;
        dm->TblClienti.post();
        dm->RegistraFattura(Money::fromInt(180 + 15 * mese), QDate(2024, mese, 28));
    }
    dm->TblPrimaNota.setFilter(QStringLiteral("Conto = 0 and Incassata = False"));
    dm->TblPrimaNota.setFiltered(true);
    for (int i = 0; i < 4; ++i) {
        dm->TblPrimaNota.first();
        dm->IncassaFattura(QStringLiteral("Conto = 0 and Incassata = False"), dm->TblPrimaNota["Data"].asDate().addDays(40));
    }
    dm->CalcolaSaldi(QStringLiteral("Conto = 0"));
    dm->TblPrimaNota.setFilter(QStringLiteral("Conto = 0"));
    dm->TblPrimaNota.setFiltered(true);
    TQRDocumenti scheda(*dm);
    salva(scheda, QStringLiteral("stampa-scheda-contabile"));
    dm->TblPrimaNota.setFiltered(false);
    EXPECT_GT(codice, 0);
}

// The extended sheet of a customer marked for it, its work table filled with the dispensers
// counted by site, department and sex.
TEST_F(SchermateStampe, SchedaEstesa)
{
    const double codice = clienteConSedi(2, QStringLiteral("c.StampaEstesa = 1"));
    ASSERT_GT(codice, 0);
    dm->TblOstrelo.createTable();
    auto conta = [](const char* parola, const char* tipo) {
        return QStringLiteral("sum(CASE WHEN upper(v.Descrizione) LIKE '%%1%' AND (upper(v.Tipo) LIKE '%CWS%') = %2 "
                              "THEN n.Quantita ELSE 0 END)").arg(QLatin1String(parola), QLatin1String(tipo));
    };
    dm->db.exec(QStringLiteral("INSERT INTO Ostrelo (Sede, Ostrelo, DirGen, PrSocc, Scala, Piano, Reparto, Sesso, Altro, "
                               "CotoneC, SaponiereS, CartaIgienicaS, CartaMani) "
                               "SELECT s.Codice, s.Ostrelo, s.DirGen, s.PrSocc, s.Scala, s.Piano, n.Reparto, n.Sesso, max(n.Altro), "
                               "%1, %2, %3, %4 FROM Sedi s JOIN Noleggi n ON n.\"Codice sede\" = s.Codice "
                               "JOIN Servizi v ON v.Codice = n.\"Codice servizio\" WHERE s.\"Codice cliente\" = ? "
                               "GROUP BY s.Codice, upper(n.Reparto), upper(n.Sesso)")
                    .arg(conta("ASCIUGAMANI", "1"), conta("SAPONE", "0"), conta("IGIENICA", "0"), conta("CARTA MANI", "0")),
                {codice});
    dm->TblOstrelo.open();
    TQRSchedaEstesa scheda(*dm);
    salva(scheda, QStringLiteral("stampa-scheda-estesa"));
}
