#pragma once
#include "ArchivioDiProva.h"
#include "PageModel.h"
#include "reports/TestoQt.h"
#include <QSqlQuery>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>

// The builders take designated initializers that leave the other fields at their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

// A started archive of 2024 with a few articles and a route, and builders that write
// customers, sites, rentals and intervention days straight into the files, as an earlier
// session at the customer screen would have left them.
class DatiDiProva : public ::testing::Test
{
protected:
    DatiDiProva() : a(2024, ArchivioDiProva::Avviato), dm(*a.dm)
    {
        sql("INSERT INTO Servizi (Codice, Descrizione, Tipo, Dentro, Fuori) VALUES "
            "(1, 'Lenzuolo matrimoniale', 'Cotone', 500, 0), (2, 'Federa', 'Cotone', 500, 0), "
            "(3, 'Asciugamani a rotolo', 'CWS', 500, 0)");
        sql("INSERT INTO Iter (Codice, Descrizione) VALUES (1, 'Giro Cosenza nord')");
        dm.TblServizi.refresh();
        dm.TblIter.refresh();
    }

    struct Cliente
    {
        QString nome = QStringLiteral("Hotel Miramare");
        QString nome2 = QStringLiteral("S.r.l.");
        int scheda = 7;
        bool millesimi = false;
        QString partitaIva = QStringLiteral("01234567890");
        QString codiceFiscale = QStringLiteral("MRARSS70A01D086X");
        QString note;
        double imponibile = 0;
    };

    double cliente(const Cliente& c)
    {
        const double codice = ++ultimoCliente;
        sql("INSERT INTO Clienti (Codice, Denominazione, \"Denominazione 2\", Indirizzo, Comune, \"Partita iva\", "
            "\"Codice fiscale\", NumContratto, \"Data contratto\", \"Data scadenza\", \"Numero cc\", Banca, Condizioni, "
            "Note, Imponibile, Scheda, IndiceRev, DataRev, Millesimi, Pagamento) "
            "VALUES (?, ?, ?, 'Via Roma 12', 'Cosenza', ?, ?, 'C-118', '2023-02-01', '2026-01-31', 'IT60X0542811101000000123456', "
            "'Banca della Calabria', 'RB 60 gg', ?, ?, ?, 2, '2024-03-01', ?, 2)",
            {codice, c.nome, c.nome2, c.partitaIva, c.codiceFiscale, c.note, c.imponibile, c.scheda, c.millesimi});
        return codice;
    }

    double sede(double cliente, const QString& indirizzo, const QString& frequenza = {})
    {
        const double codice = ++ultimaSede;
        sql("INSERT INTO Sedi (Codice, \"Codice cliente\", Indirizzo, Comune, Chiavi, Iter, Frequenza, Imponibile) "
            "VALUES (?, ?, ?, 'Rende', 2, 1, ?, 0)",
            {codice, cliente, indirizzo, frequenza.isEmpty() ? QVariant() : QVariant(frequenza)});
        return codice;
    }

    void noleggio(double sede, double articolo, int quantita, int sospesi, double costo)
    {
        sql("INSERT INTO Noleggi (\"Codice sede\", \"Codice servizio\", Quantita, Sospesi, Costo) VALUES (?, ?, ?, ?, ?)",
            {sede, articolo, quantita, sospesi, costo});
    }

    // Days Monday to Saturday: true checked, false unchecked, null grey.
    void intervento(double sede, int settimana, const std::array<QVariant, 6>& giorni)
    {
        QVariantList p{++ultimoIntervento, settimana};
        for (const QVariant& g : giorni)
            p << g;
        p << sede;
        sql("INSERT INTO Interventi (Codice, Settimana, Lunedi, Martedi, Mercoledi, Giovedi, Venerdi, Sabato, Sede) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", p);
    }

    // The tables see what was written, the customer table on its first customer.
    void aggiorna()
    {
        for (Table* t : {&dm.TblClienti, &dm.TblSedi, &dm.TblNoleggi, &dm.TblInterventi})
            t->refresh();
        dm.TblClienti.first();
    }

    void sql(const QString& text, const QVariantList& params = {}) { dm.db.exec(text, params); }

    // Every text of the document, page after page, top to bottom.
    static QStringList testi(const PageModel& m)
    {
        QStringList out;
        for (int p = 0; p < m.pageCount(); ++p)
            out << m.texts(p);
        return out;
    }

    // A text printed in the column of a heading: lower down, within its width.
    static bool sotto(const PageText& valore, const PageText& intestazione)
    {
        return valore.rect.top() > intestazione.rect.top() && valore.rect.left() > intestazione.rect.left() - 0.5
               && valore.rect.right() < intestazione.rect.right() + 0.5;
    }

    // The texts in the column of the n-th occurrence of a heading, down to the first line that
    // crosses the column (a band of another kind) or holds the heading again.
    static QStringList colonna(const PageModel& m, const QString& intestazione, size_t n = 0)
    {
        const auto h = m.find(intestazione);
        if (h.size() <= n)
            return {};
        const PageText& testa = *h[n].text;
        const auto testi = sottostanti(m.page(h[n].page), testa);
        QStringList out;
        for (size_t i = 0; i < testi.size();) {
            size_t fine = i;
            QStringList riga;
            for (; fine < testi.size() && testi[fine]->rect.top() < testi[i]->rect.top() + 0.5; ++fine) {
                const PageText& t = *testi[fine];
                if (t.rect.left() >= testa.rect.right() || t.rect.right() <= testa.rect.left())
                    continue;
                if (t.text == intestazione || !sotto(t, testa))
                    return out;
                riga << t.text;
            }
            out << riga;
            i = fine;
        }
        return out;
    }

    // The texts below a given one on its page, top to bottom and left to right.
    static QStringList dopo(const PageModel& m, const QString& testo)
    {
        const auto h = m.find(testo);
        QStringList out;
        if (!h.empty())
            for (const PageText* t : sottostanti(m.page(h[0].page), *h[0].text))
                out << t->text;
        return out;
    }

    static std::vector<const PageText*> sottostanti(const Page& pagina, const PageText& sopra)
    {
        std::vector<const PageText*> out;
        for (const PageText& t : pagina.texts)
            if (t.rect.top() > sopra.rect.top() + 1 && !t.text.isEmpty())
                out.push_back(&t);
        std::stable_sort(out.begin(), out.end(), [](auto* x, auto* y) {
            return qAbs(x->rect.top() - y->rect.top()) > 0.01 ? x->rect.top() < y->rect.top() : x->rect.left() < y->rect.left();
        });
        return out;
    }

    ArchivioDiProva a;
    TDataModule1& dm;
    double ultimoCliente = 0, ultimaSede = 0;
    int ultimoIntervento = 0;
};
