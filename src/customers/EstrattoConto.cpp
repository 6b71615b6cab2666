#include "EstrattoConto.h"

#include "TDataModule1.h"
#include "TQRDocumenti.h"
#include <QScopeGuard>

EstrattoConto::EstrattoConto(TDataModule1& d) : dm(d) {}

EstrattoConto::~EstrattoConto() = default;

TQRDocumenti& EstrattoConto::report()
{
    if (!qr) {
        BusyScope attesa(dm.prompts);
        qr = std::make_unique<TQRDocumenti>(dm);
    }
    return *qr;
}

void EstrattoConto::esegui(const QString& suffisso, const std::function<void(TQRDocumenti&)>& mostra)
{
    Table& pn = dm.TblPrimaNota;
    TQRDocumenti& r = report();
    pn.checkBrowseMode();
    const QString filtro = pn.filter();
    const bool filtrato = pn.filtered();
    pn.disableControls();
    const auto ripristina = qScopeGuard([&] {
        pn.setFilter(filtro);
        pn.setFiltered(filtrato);
        pn.enableControls();
    });
    dm.CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm.DSClienti);
    dm.CalcolaSaldi(QStringLiteral("Conto = 0"));
    pn.setFilter(QStringLiteral("Conto = 0") + suffisso);
    pn.setFiltered(true);
    // The counter-account of a collection is the customer's payment account.
    Table& mp = dm.TblModPag;
    if (mp.active() && !dm.TblClienti["Pagamento"].isNull())
        mp.locate(QStringLiteral("Codice"), {dm.TblClienti["Pagamento"].value()});
    mostra(r);
}

bool EstrattoConto::esportaPdf(const QString& file, const QString& suffisso)
{
    bool scritto = false;
    // Laid out first, so that an empty statement leaves no file behind.
    esegui(suffisso, [&](TQRDocumenti& r) { scritto = r.prepare() > 0 && r.exportPdf(file); });
    return scritto;
}
