#include "TQRMDStatistica.h"
#include "DateIt.h"
#include "TDataModule1.h"

namespace {

// Columns of the readings.
constexpr double xData = 4, wData = 26;
constexpr double xMateriale = 34, wMateriale = 100;
constexpr double xConsumo = 136, wConsumo = 30;

} // namespace

TQRMDStatistica::TQRMDStatistica(TDataModule1& dati) : dm(dati)
{
    title = QStringLiteral("Statistica consumi");
    setMargins(12, 10, 10, 10);
    setDataset(&dm.TblSedi);
    beforeRun = [this] {
        if (!dm.TblSedi.active() || dm.TblSedi.isEmpty())
            return false;
        dm.TblSedi.first();
        return true;
    };
    afterRun = [this] {
        if (dm.TblSedi.active())
            dm.TblSedi.first();
    };
    const double w = bodyWidth();

    auto& testa = pageHeader(7);
    font.setPointSizeF(8);
    testa.addPageNumber(w - 40, 0, 40, 5, QStringLiteral("Pag. %1")).setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto& titolo = titleBand(16);
    font.setPointSizeF(12);
    font.setBold(true);
    titolo.addLabel(0, 1, 22, 6, QStringLiteral("Cliente"));
    titolo.addField(24, 1, w - 24, 6, dm.TblClienti, QStringLiteral("Denominazione"));
    titolo.addField(24, 7.5, w - 24, 6, dm.TblClienti, QStringLiteral("Denominazione 2"));

    // The site, with the column headings of its readings.
    auto& sede = detail(15);
    sede.keepWithNext = true;
    sede.addHLine(0, 1, w, 0.4);
    font.setPointSizeF(10);
    sede.addLabel(0, 2.5, 22, 5, QStringLiteral("Indirizzo"));
    sede.addExpression(24, 2.5, w - 24, 5, [this] {
        return dm.TblSedi["Indirizzo"].asString() + u' ' + dm.TblSedi["Comune"].asString();
    }).setWordWrap();
    font.setPointSizeF(9);
    auto& intestazioneData = sede.addLabel(xData, 9, wData, 5, QStringLiteral("Data"));
    intestazioneData.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    sede.addLabel(xMateriale, 9, wMateriale, 5, QStringLiteral("Materiale"));
    sede.addLabel(xConsumo, 9, wConsumo, 5, QStringLiteral("Consumo")).setAlignment(Qt::AlignRight | Qt::AlignTop);
    sede.addHLine(xData, 14, xConsumo + wConsumo - xData, 0.2);
    sede.beforePrint = [this, data = &intestazioneData](Band&) {
        data->visible = analitica;
        return true;
    };

    // The readings of the site by material, then date.
    auto& consumi = addSubDetail(dm.TblConsumi);
    auto& materiale = consumi.addGroup(QStringLiteral("DescrServ"));
    materiale.onStart = [this] { azzeraMateriale(); };
    auto& lettura = consumi.detail(4.6);
    font.setBold(false);
    lettura.addField(xData, 0.3, wData, 4.3, dm.TblConsumi, QStringLiteral("Data")).setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lettura.addField(xMateriale, 0.3, wMateriale, 4.3, dm.TblConsumi, QStringLiteral("DescrServ"));
    lettura.addField(xConsumo, 0.3, wConsumo, 4.3, dm.TblConsumi, QStringLiteral("Quantita"), QStringLiteral("0.##"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    // Every reading counts; the analytic print shows it.
    lettura.beforePrint = [this](Band&) {
        accumulaLettura();
        return analitica;
    };

    auto& parziale = materiale.footer(12);
    auto& regola = parziale.addHLine(xMateriale, 0.5, xConsumo + wConsumo - xMateriale, 0.2);
    auto& nomeMateriale = parziale.addField(xData, 1.5, xMateriale - xData + 40, 4.5, dm.TblConsumi, QStringLiteral("DescrServ"));
    nomeMateriale.setBold();
    parziale.addExpression(xMateriale + 40, 1.5, xConsumo - xMateriale - 42, 4.5, [this] {
        return QStringLiteral("Totale consumi parziale su mesi ") + QString::number(mesiMateriale()) + u':';
    }).setAlignment(Qt::AlignRight | Qt::AlignTop);
    parziale.addExpression(xConsumo, 1.5, wConsumo, 4.5, [this] { return QVariant(totaleMateriale); }, QStringLiteral("0.##"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    parziale.addLabel(xMateriale + 40, 6.5, xConsumo - xMateriale - 42, 4.5, QStringLiteral("Media mensile parziale:"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    parziale.addExpression(xConsumo, 6.5, wConsumo, 4.5, [this] { return QVariant(totaleMateriale / mesiMateriale()); },
                           QStringLiteral("#.##"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    parziale.beforePrint = [this, riga = &regola, nome = &nomeMateriale](Band&) {
        riga->visible = analitica;
        nome->visible = !analitica;
        return true;
    };

    // After the last site, the totals of the whole customer.
    auto& medie = addSubDetail(dm.TblMedie);
    medie.beforeRun = [this] {
        if (dm.TblSedi.recNo() != dm.TblSedi.recordCount())
            return false;
        if (!dm.TblMedie.active())
            dm.TblMedie.open();
        return true;
    };
    medie.header(4).addHLine(0, 2, w, 0.6);
    auto& media = medie.detail(12);
    font.setBold(true);
    media.addField(xData, 1, xMateriale - xData + 40, 9, dm.TblMedie, QStringLiteral("Servizio")).setWordWrap();
    font.setBold(false);
    media.addExpression(xMateriale + 40, 1, xConsumo - xMateriale - 42, 4.5, [this] {
        return QStringLiteral("Totale consumi complessivo su mesi ") + dm.TblMedie["Mesi"].asString() + u':';
    }).setAlignment(Qt::AlignRight | Qt::AlignTop);
    media.addField(xConsumo, 1, wConsumo, 4.5, dm.TblMedie, QStringLiteral("Totale"), QStringLiteral("0.##"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    media.addLabel(xMateriale + 40, 6, xConsumo - xMateriale - 42, 4.5, QStringLiteral("Media mensile totale:"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    media.addField(xConsumo, 6, wConsumo, 4.5, dm.TblMedie, QStringLiteral("Media mensile"), QStringLiteral("#.##"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
}

TQRMDStatistica::~TQRMDStatistica() = default;

void TQRMDStatistica::azzeraMateriale()
{
    totaleMateriale = 0;
    primaLettura = ultimaLettura = QDate();
}

void TQRMDStatistica::accumulaLettura()
{
    totaleMateriale += dm.TblConsumi["Quantita"].asFloat();
    const QDate d = dm.TblConsumi["Data"].asDate();
    if (!d.isValid())
        return;
    if (!primaLettura.isValid() || d < primaLettura)
        primaLettura = d;
    if (!ultimaLettura.isValid() || d > ultimaLettura)
        ultimaLettura = d;
}

// From the material's first to its last reading at the site, never below one month.
int TQRMDStatistica::mesiMateriale() const
{
    if (!primaLettura.isValid())
        return 1;
    return std::max(1, TDataModule1::MesiTraDate(ultimaLettura, primaLettura));
}
