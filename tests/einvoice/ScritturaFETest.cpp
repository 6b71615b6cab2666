#include "ArchivioFE.h"
#include "SessioneFE.h"
#include "ValidatoreFE.h"
#include <QFileInfo>
#include <gtest/gtest.h>

// Documents written from the archive as the screens generate them, read back from the files.
class ScritturaFE : public ::testing::Test
{
protected:
    ArchivioFE a;
    ValidatoreFE validatore{QStringLiteral(FATTURAPA_DIR)};

    // The periodic invoices of the run, one file each.
    QStringList genera(SessioneFE& s)
    {
        s.Mostra();
        return s.GeneraFatture("2024");
    }
    XmlLetto fattura(const ArchivioFE::Cliente& c = {}, const QList<ArchivioFE::Riga>& righe = {{"Lenzuola", 2.5, 10}})
    {
        a.cliente(c, righe);
        SessioneFE s(*a.dm, SessioneFE::Schermata::Fatture);
        const QStringList f = genera(s);
        EXPECT_EQ(f.size(), 1);
        ultimo = f.value(0);
        return XmlLetto::file(a.percorso(ultimo));
    }
    XmlLetto manuale(const ArchivioFE::Manuale& m, double fattore = 1, bool nota = false)
    {
        a.manuale(m);
        a.dm->ricalcolaMesiPeriodo = [this, fattore](Dataset&) { a.dm->MesiPeriodo = fattore; };
        SessioneFE s(*a.dm, nota ? SessioneFE::Schermata::NotaCreMan : SessioneFE::Schermata::FatturaMan);
        s.Mostra();
        const QStringList f = s.GeneraManuale(QDate(2024, 3, 1));
        EXPECT_EQ(f.size(), 1) << a.prompts.last().text.toStdString();
        ultimo = f.value(0);
        return XmlLetto::file(a.percorso(ultimo));
    }
    void valido(const QString& nome)
    {
        const EsitoFE e = validatore.Valida(a.percorso(nome));
        EXPECT_TRUE(e.valido()) << nome.toStdString() << ": " << e.messaggio.toStdString();
    }

    QString ultimo;   // the last file written
    const QString linea = "//DatiBeniServizi/DettaglioLinee";
};

TEST_F(ScritturaFE, PeriodicFilesAreNumberedFromTheStoredProgressiveAndRewrittenUntilExported)
{
    a.cliente({.codice = 1, .nome = "Albergo Sole"}, {{"Lenzuola", 2.5, 10}});
    a.cliente({.codice = 2, .nome = "Bar Centrale", .imponibile = 6}, {{"Tovaglie", 1.2, 5}});
    a.cliente({.codice = 3, .nome = "Comune di Rende", .pa = true, .codiceFE = "UFABCD", .imponibile = 16,
               .numContratto = "12/2024", .rigo3 = "CIG: Z0123456789"},
              {{"Asciugamani", 0.8, 20}});
    SessioneFE s(*a.dm, SessioneFE::Schermata::Fatture);
    QStringList nomi = genera(s);
    const QStringList attesi{"IT01234567890_00042.xml", "IT01234567890_00043.xml", "IT01234567890_00044.xml"};
    ASSERT_EQ(nomi, attesi);
    EXPECT_EQ(s.nomeFile, "IT01234567890_00044.xml");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(XmlLetto::file(a.percorso(nomi[i]))["//ProgressivoInvio"], QString("0004%1").arg(i + 2));
        valido(nomi[i]);
    }
    EXPECT_EQ(XmlLetto::file(a.percorso(nomi[0]))["//CessionarioCommittente//Denominazione"], "Albergo Sole S.r.l.");

    // Generating again before the export writes the same names.
    EXPECT_EQ(s.GeneraFatture("2024"), attesi);
    QTemporaryDir uscita;
    EXPECT_EQ(s.Salva(uscita.path(), "01/07/2024"), attesi);
    EXPECT_EQ(a.leggi("SELECT FE_Progr FROM Parametri").toInt(), 44);
    EXPECT_EQ(a.leggi("SELECT FE_Data FROM Parametri").toString(), "2024-07-01");
    EXPECT_EQ(QDir::fromNativeSeparators(a.leggi("SELECT FEPath FROM Parametri").toString()), uscita.path() + "/");
    for (const QString& n : attesi)
        EXPECT_TRUE(QFileInfo::exists(QDir(uscita.path()).filePath(n)));
    EXPECT_FALSE(s.elenco.has_value());

    // The next generation continues the numbering.
    EXPECT_EQ(s.GeneraFatture("2024").first(), "IT01234567890_00045.xml");
}

TEST_F(ScritturaFE, FilesHaveThePrefixedRootTheirFormatAndWindowsLineEnds)
{
    a.cliente({.codice = 1, .nome = "Privato"}, {{"Lenzuola", 2.5, 10}});
    a.cliente({.codice = 2, .nome = "Scuola", .pa = true, .codiceFE = "UFABCD", .rigo3 = "CIG: Z0123456789"},
              {{"Lenzuola", 2.5, 10}});
    SessioneFE s(*a.dm, SessioneFE::Schermata::Fatture);
    const QStringList nomi = genera(s);
    ASSERT_EQ(nomi.size(), 2);
    QFile privato(a.percorso(nomi[0])), pubblico(a.percorso(nomi[1]));
    ASSERT_TRUE(privato.open(QIODevice::ReadOnly) && pubblico.open(QIODevice::ReadOnly));
    const QByteArray p = privato.readAll(), q = pubblico.readAll();
    EXPECT_TRUE(p.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                             "<?xml-stylesheet type=\"text/xsl\" href=\"fatturapa_v1.2.xsl\"?>\r\n"
                             "<p:FatturaElettronica "));
    EXPECT_TRUE(p.contains("versione=\"FPR12\""));
    EXPECT_TRUE(q.contains("versione=\"FPA12\""));
    EXPECT_TRUE(p.trimmed().endsWith("</p:FatturaElettronica>"));
    EXPECT_EQ(p.count("\n"), p.count("\r\n"));
    EXPECT_TRUE(p.endsWith("\r\n"));
    EXPECT_EQ(XmlLetto(p)["//FormatoTrasmissione"], "FPR12");
    EXPECT_EQ(XmlLetto(q)["//FormatoTrasmissione"], "FPA12");
}

TEST_F(ScritturaFE, RecipientCodeAndCertifiedMail)
{
    auto destinatario = [&](int codice, const QString& codiceFE, const QString& pec) {
        a.cliente({.codice = codice, .nome = QString("Cliente %1").arg(codice), .codiceFE = codiceFE, .pec = pec},
                  {{"Lenzuola", 2.5, 10}});
    };
    destinatario(1, "-", "uno@pec.it");
    destinatario(2, "0000000", "due@pec.it");
    destinatario(3, "M5UXCR1", "tre@pec.it");
    SessioneFE s(*a.dm, SessioneFE::Schermata::Fatture);
    const QStringList f = genera(s);
    ASSERT_EQ(f.size(), 3);
    const XmlLetto uno = XmlLetto::file(a.percorso(f[0])), due = XmlLetto::file(a.percorso(f[1])),
                   tre = XmlLetto::file(a.percorso(f[2]));
    EXPECT_EQ(uno.figli("//DatiTrasmissione").mid(3), QStringList({"CodiceDestinatario", "PECDestinatario"}));
    EXPECT_EQ(uno["//CodiceDestinatario"], "0000000");
    EXPECT_EQ(uno["//PECDestinatario"], "uno@pec.it");
    EXPECT_EQ(due["//CodiceDestinatario"], "0000000");
    EXPECT_EQ(due["//PECDestinatario"], "due@pec.it");
    EXPECT_EQ(tre["//CodiceDestinatario"], "M5UXCR1");
    EXPECT_EQ(tre.conta("//PECDestinatario"), 0);

    // A manual invoice without a recipient code behaves like "-".
    const XmlLetto m = manuale({.codiceFE = "", .pec = "studio@pec.it"});
    EXPECT_EQ(m["//CodiceDestinatario"], "0000000");
    EXPECT_EQ(m["//PECDestinatario"], "studio@pec.it");
}

TEST_F(ScritturaFE, CustomerIdentifiersAndAddress)
{
    const XmlLetto p = fattura({.piva = "01234567897", .cf = "RSSMRA70A01D086X", .comune = "00184 Roma (RM)"});
    EXPECT_EQ(p["//CessionarioCommittente//IdFiscaleIVA/IdCodice"], "01234567897");
    EXPECT_EQ(p["//CessionarioCommittente//CodiceFiscale"], "RSSMRA70A01D086X");
    EXPECT_EQ(p.figli("//CessionarioCommittente/Sede"), QStringList({"Indirizzo", "CAP", "Comune", "Provincia", "Nazione"}));
    EXPECT_EQ(p["//CessionarioCommittente/Sede/CAP"], "00184");
    EXPECT_EQ(p["//CessionarioCommittente/Sede/Comune"], "Roma");
    EXPECT_EQ(p["//CessionarioCommittente/Sede/Provincia"], "RM");
    EXPECT_EQ(p["//CedentePrestatore//RegimeFiscale"], "RF01");
    EXPECT_EQ(p["//IscrizioneREA/CapitaleSociale"], "50000.00");

    const XmlLetto m = manuale({.piva = "01234567897", .cf = "RSSMRA70A01D086X"});
    EXPECT_EQ(m.conta("//CessionarioCommittente//IdFiscaleIVA"), 1);
    EXPECT_EQ(m.conta("//CessionarioCommittente//CodiceFiscale"), 0);
}

TEST_F(ScritturaFE, ContractAndTenderCode)
{
    // A private customer without contract and tender code gets no contract block at all.
    const XmlLetto senza = fattura({.codice = 1});
    EXPECT_EQ(senza.conta("//DatiContratto"), 0);

    a.cliente({.codice = 2, .nome = "Comune di Rende", .pa = true, .codiceFE = "UFABCD", .numContratto = "2023/145",
               .dataContratto = QDate(2023, 4, 1), .rigo3 = "Determina n. 12/2024 - CIG: Z0123456789"},
              {{"Lenzuola", 2.5, 10}});
    a.sql("DELETE FROM Fatture WHERE Cliente = 1");
    SessioneFE s(*a.dm, SessioneFE::Schermata::Fatture);
    const QStringList f = genera(s);
    ASSERT_EQ(f.size(), 1);
    const XmlLetto pa = XmlLetto::file(a.percorso(f[0]));
    EXPECT_EQ(pa.figli("//DatiContratto"), QStringList({"IdDocumento", "Data", "CodiceCIG"}));
    EXPECT_EQ(pa["//DatiContratto/IdDocumento"], "2023/145");
    EXPECT_EQ(pa["//DatiContratto/Data"], "2023-04-01");
    EXPECT_EQ(pa["//DatiContratto/CodiceCIG"], "Z0123456789");
    valido(f[0]);
}

TEST_F(ScritturaFE, PublicBodyWithoutTenderCodeStopsTheGenerationKeepingTheFilesBefore)
{
    a.cliente({.codice = 1, .nome = "Albergo"}, {{"Lenzuola", 2.5, 10}});
    a.cliente({.codice = 2, .nome = "Comune di Rende", .pa = true, .codiceFE = "UFABCD", .rigo3 = "CIG Z0123456789"},
              {{"Lenzuola", 2.5, 10}});
    a.cliente({.codice = 3, .nome = "Ristorante"}, {{"Lenzuola", 2.5, 10}});
    SessioneFE s(*a.dm, SessioneFE::Schermata::Fatture);
    EXPECT_EQ(genera(s), QStringList{"IT01234567890_00042.xml"});
    EXPECT_EQ(a.prompts.last(),
              Prompt::error("Attenzione non è stato possibile rintracciare il CIG del cliente Comune di Rende\n"
                            "Indicarlo nel campo \"Fine pagina fattura\" preceduto dalla scritta CIG:"));
    EXPECT_FALSE(QFileInfo::exists(a.percorso("IT01234567890_00043.xml")));
    ASSERT_TRUE(s.elenco.has_value());
    EXPECT_EQ(s.elenco->size(), 1);

    // The manual invoice tests its own tender code.
    a.manuale({.nome1 = "ASP Cosenza", .pa = true, .cig = "  "});
    SessioneFE m(*a.dm, SessioneFE::Schermata::FatturaMan);
    m.Mostra();
    EXPECT_TRUE(m.GeneraManuale().isEmpty());
    EXPECT_EQ(a.prompts.last(), Prompt::error("Attenzione non è stato possibile rintracciare il CIG del cliente ASP Cosenza"));
}

TEST_F(ScritturaFE, LinesFollowTheBillingPeriodicity)
{
    const XmlLetto x = fattura({.imponibile = 15 * 4.0 + 3 * 2.0, .condizioni = "5 mesi"},
                               {{"Lenzuola", 4.0, 3}, {"Ritiro straordinario", 2.0, 3, false}});
    EXPECT_EQ(x.tutti(linea + "/Quantita"), QStringList({"15.00", "3.00"}));
    EXPECT_EQ(x.tutti(linea + "/PrezzoTotale"), QStringList({"60.00", "6.00"}));
    EXPECT_EQ(x.tutti(linea + "/DataInizioPeriodo"), QStringList({"2024-02-01", "2024-02-01"}));
    EXPECT_EQ(x.tutti(linea + "/DataFinePeriodo"), QStringList({"2024-06-30", "2024-06-30"}));
    EXPECT_EQ(x.tutti(linea + "/UnitaMisura"), QStringList({"Pezzo", "Pezzo"}));
    EXPECT_EQ(x["//DatiRiepilogo/ImponibileImporto"], "66.00");
    EXPECT_EQ(x["//DatiRiepilogo/Imposta"], "14.52");
    EXPECT_EQ(x["//ImportoTotaleDocumento"], "80.52");
    EXPECT_EQ(x["//DatiGeneraliDocumento/Numero"], "00007");
    EXPECT_EQ(x["//DatiGeneraliDocumento/TipoDocumento"], "TD24");
}

TEST_F(ScritturaFE, CreditNoteCreditsTheWholeInvoiceWithTheNextNumber)
{
    a.cliente({.codice = 1, .imponibile = 66, .condizioni = "5 mesi"},
              {{"Lenzuola", 4.0, 3}, {"Ritiro straordinario", 2.0, 3, false}});
    SessioneFE s(*a.dm, SessioneFE::Schermata::NotaCre);
    s.Mostra();
    QStringList f = s.GeneraNoteCredito(1, "2024", QDate(2024, 7, 10));
    ASSERT_EQ(f.size(), 1);
    XmlLetto n = XmlLetto::file(a.percorso(f[0]));
    EXPECT_EQ(n["//DatiGeneraliDocumento/Numero"], "00001");
    EXPECT_EQ(n["//DatiGeneraliDocumento/TipoDocumento"], "TD04");
    EXPECT_EQ(n["//DatiGeneraliDocumento/Data"], "2024-07-10");
    EXPECT_EQ(n["//DatiFattureCollegate/IdDocumento"], "7");
    EXPECT_EQ(n["//DatiFattureCollegate/Data"], "2024-06-30");
    EXPECT_EQ(n.tutti(linea + "/Quantita"), QStringList({"15.00", "3.00"}));
    EXPECT_EQ(n.conta("//DatiPagamento"), 0);
    valido(f[0]);

    QTemporaryDir uscita;
    EXPECT_EQ(s.Salva(uscita.path(), "10/07/2024", QDate(2024, 7, 10)).size(), 1);
    EXPECT_EQ(a.leggi("SELECT NotaCre FROM Parametri").toInt(), 1);
    EXPECT_EQ(a.leggi("SELECT DataNotaCre FROM Parametri").toString(), "2024-07-10");
    f = s.GeneraNoteCredito(1, "2024", QDate(2024, 7, 11));
    EXPECT_EQ(XmlLetto::file(a.percorso(f.value(0)))["//DatiGeneraliDocumento/Numero"], "00002");

    a.sql("UPDATE Parametri SET NotaCre = 41");
    a.dm->TblParametri.refresh();
    f = s.GeneraNoteCredito(1, "2024", QDate(2024, 7, 11));
    EXPECT_EQ(XmlLetto::file(a.percorso(f.value(0)))["//DatiGeneraliDocumento/Numero"], "00042");
}

TEST_F(ScritturaFE, CreditNoteNeedsTheCustomerInTheLastRun)
{
    a.cliente({.codice = 1}, {});
    SessioneFE s(*a.dm, SessioneFE::Schermata::NotaCre);
    s.Mostra();
    s.nomeFile = "precedente.xml";
    EXPECT_TRUE(s.GeneraNoteCredito(1, "2024", QDate(2024, 7, 10)).isEmpty());
    EXPECT_EQ(s.nomeFile, "precedente.xml");
    EXPECT_EQ(a.prompts.last().type, MsgType::Information);
}

TEST_F(ScritturaFE, ManualPeriodFactors)
{
    const ArchivioFE::Manuale m{.righe = {{4, "Noleggio tovagliato", 10}}};
    XmlLetto mezzo = manuale(m, 0.5);
    EXPECT_EQ(mezzo[linea + "/Quantita"], "4.00");
    EXPECT_EQ(mezzo[linea + "/PrezzoUnitario"], "5.00");
    EXPECT_EQ(mezzo[linea + "/PrezzoTotale"], "20.00");

    XmlLetto due = manuale(m, 2);
    EXPECT_EQ(due[linea + "/Quantita"], "8.00");
    EXPECT_EQ(due[linea + "/PrezzoUnitario"], "10.00");
    EXPECT_EQ(due[linea + "/PrezzoTotale"], "80.00");

    // A fraction of a month goes into the quantity, so that quantity × price is the total.
    XmlLetto frazione = manuale(m, 16.0 / 30);
    EXPECT_EQ(frazione[linea + "/Quantita"], "2.13333333");
    EXPECT_EQ(frazione[linea + "/PrezzoUnitario"], "10.00");
    EXPECT_EQ(frazione[linea + "/PrezzoTotale"], "21.33");
    EXPECT_EQ(frazione["//DatiRiepilogo/ImponibileImporto"], "21.33");
    valido(ultimo);
}

TEST_F(ScritturaFE, PricesKeepTheDecimalsThatMakeTheTotal)
{
    XmlLetto mil = manuale({.righe = {{3, "Sapone", 1.235}}, .millesimi = true});
    EXPECT_EQ(mil[linea + "/PrezzoUnitario"], "1.235");
    EXPECT_EQ(mil[linea + "/PrezzoTotale"], "3.705");
    // A price with more decimals than the invoice shows is written whole: 300 × 1.23 would
    // not be the total.
    XmlLetto fine = manuale({.righe = {{300, "Sapone", 1.2346}}});
    EXPECT_EQ(fine[linea + "/PrezzoUnitario"], "1.2346");
    EXPECT_EQ(fine[linea + "/PrezzoTotale"], "370.38");
    valido(ultimo);
    XmlLetto tondo = manuale({.righe = {{3, "Sapone", 1.2}}, .millesimi = true});
    EXPECT_EQ(tondo[linea + "/PrezzoUnitario"], "1.200");
    // The periodic invoice does the same.
    XmlLetto p = fattura({.imponibile = 370.38}, {{"Sapone", 1.2346, 300}});
    EXPECT_EQ(p[linea + "/PrezzoUnitario"], "1.2346");
    EXPECT_EQ(p[linea + "/PrezzoTotale"], "370.38");
    valido(ultimo);
}

TEST_F(ScritturaFE, ZeroRateCarriesItsNature)
{
    XmlLetto zero = manuale({.righe = {{1, "Noleggio", 10}, {2, "Lavaggio", 5}}, .iva = 0, .natura = "N2.2"});
    EXPECT_EQ(zero.tutti(linea + "/AliquotaIVA"), QStringList({"0.00", "0.00"}));
    EXPECT_EQ(zero.tutti(linea + "/Natura"), QStringList({"N2.2", "N2.2"}));
    EXPECT_EQ(zero.figli("//DatiRiepilogo"), QStringList({"AliquotaIVA", "Natura", "ImponibileImporto", "Imposta"}));
    EXPECT_EQ(zero["//DatiRiepilogo/Natura"], "N2.2");
    valido(ultimo);
    XmlLetto dieci = manuale({.iva = 10, .natura = "N2.2"});
    EXPECT_EQ(dieci[linea + "/AliquotaIVA"], "10.00");
    EXPECT_EQ(dieci.conta("//Natura"), 0);
    XmlLetto periodica = fattura({.pagaIva = false, .natura = "N4"}, {{"Lenzuola", 2.5, 10}});
    EXPECT_EQ(periodica[linea + "/Natura"], "N4");
    EXPECT_EQ(periodica["//DatiRiepilogo/Imposta"], "0.00");
    EXPECT_EQ(periodica["//ImportoTotaleDocumento"], "25.00");
    valido(ultimo);
}

TEST_F(ScritturaFE, SplitPaymentAndPaymentTerms)
{
    XmlLetto x = fattura({.imponibile = 100, .scissione = true, .banca = "Banca X", .iban = "IT60X0542811101000000123456"},
                         {{"Lenzuola", 10, 10}});
    EXPECT_EQ(x["//DatiRiepilogo/EsigibilitaIVA"], "S");
    EXPECT_EQ(x["//DatiPagamento/CondizioniPagamento"], "TP02");
    EXPECT_EQ(x["//DettaglioPagamento/ImportoPagamento"], "100.00");
    EXPECT_EQ(x["//DettaglioPagamento/DataScadenzaPagamento"], "2024-07-31");
    EXPECT_EQ(x["//DettaglioPagamento/IBAN"], "IT60X0542811101000000123456");
    EXPECT_EQ(x["//ImportoTotaleDocumento"], "122.00");
    valido(ultimo);
    XmlLetto m = manuale({.data = QDate(2024, 12, 31)});
    EXPECT_EQ(m["//DettaglioPagamento/DataScadenzaPagamento"], "2025-01-31");
    EXPECT_EQ(m["//DettaglioPagamento/ImportoPagamento"], "24.40");
}

TEST_F(ScritturaFE, LinesQueries)
{
    // A document without lines has only its summary.
    XmlLetto vuota = manuale({.righe = {}});
    EXPECT_EQ(vuota.figli("//DatiBeniServizi"), QStringList{"DatiRiepilogo"});
    // The eleven slots of a manual invoice in order, equal ones kept; the credit note leaves
    // out the negative prices.
    const ArchivioFE::Manuale m{.righe = {{1, "Lavaggio", 5}, {1, "Lavaggio", 5}, {1, "Sconto", -2}, {2, "Noleggio", 3}}};
    EXPECT_EQ(manuale(m).tutti(linea + "/Descrizione"), QStringList({"Lavaggio", "Lavaggio", "Sconto", "Noleggio"}));
    EXPECT_EQ(manuale(m, 1, true).tutti(linea + "/Descrizione"), QStringList({"Lavaggio", "Lavaggio", "Noleggio"}));
    // Periodic lines without a positive quantity are not written.
    XmlLetto p = fattura({}, {{"Lenzuola", 2.5, 10}, {"Nota a piè di pagina", std::nullopt, 0}});
    EXPECT_EQ(p.tutti(linea + "/Descrizione"), QStringList{"Lenzuola"});
}

TEST_F(ScritturaFE, NegativeQuantityMovesItsSignToThePrice)
{
    XmlLetto x = manuale({.righe = {{3, "Noleggio", 10}, {-1, "Reso", 10}}});
    EXPECT_EQ(x.tutti(linea + "/Quantita"), QStringList({"3.00", "1.00"}));
    EXPECT_EQ(x.tutti(linea + "/PrezzoUnitario"), QStringList({"10.00", "-10.00"}));
    EXPECT_EQ(x.tutti(linea + "/PrezzoTotale"), QStringList({"30.00", "-10.00"}));
    valido(ultimo);
}

TEST_F(ScritturaFE, LongReasonSplitsIntoSeveralElements)
{
    XmlLetto x = fattura({.imponibile = 25, .causale = QString(250, 'x')}, {{"Lenzuola", 2.5, 10}});
    EXPECT_EQ(x.tutti("//DatiGeneraliDocumento/Causale"), QStringList({QString(200, 'x'), QString(50, 'x')}));
    valido(ultimo);
}
