#include "TQRIntervento.h"
#include "DateIt.h"
#include "TDataModule1.h"
#include <QDateTime>

namespace {

// Columns: description, type, operation, quantity.
constexpr double xTipo = 84, xOperazione = 112, xQuantita = 160;

} // namespace

TQRIntervento::TQRIntervento(TDataModule1& dati) : dm(dati)
{
    title = QStringLiteral("Scheda d'intervento");
    setMargins(10);
    setDataset(&dm.TblServizi);
    beforeRun = [this] {
        if (!dm.TblServizi.active())
            dm.TblServizi.open();
        dm.TblServizi.first();
        if (!stampatoIl.isValid())
            stampatoIl = QDateTime::currentDateTime();
        return true;
    };
    afterRun = [this] { stampatoIl = QDateTime(); };
    const double w = bodyWidth();

    // The header, once at the top: when it was printed, the date to write, whom and where.
    auto& testa = titleBand(52);
    font.setPointSizeF(9);
    testa.addExpression(0, 0, 120, 5, [this] {
        return QStringLiteral("Scheda d'intervento stampata il ") + formatDate(stampatoIl.date()) + u' '
               + stampatoIl.time().toString(QStringLiteral("HH:mm:ss"));
    });
    font.setPointSizeF(11);
    font.setBold(true);
    testa.addLabel(w - 70, 0, 70, 6, QStringLiteral("Data: ______________")).setAlignment(Qt::AlignRight | Qt::AlignTop);
    testa.addFrame(0, 9, w, 30, 0.4);
    const char* const voci[] = {"Agente:", "Cliente:", "Indirizzo:"};
    for (int i = 0; i < 3; ++i) {
        const double y = 12 + i * 9;
        testa.addLabel(3, y, 24, 6, QString::fromUtf8(voci[i]));
        testa.addHLine(28, y + 5.5, w - 32, 0.2);
    }
    testa.addShade(0, 43, w, 8);
    testa.addFrame(0, 43, w, 8, 0.3);
    font.setPointSizeF(10);
    testa.addLabel(2, 44.5, xTipo - 4, 5, QStringLiteral("Descrizione"));
    testa.addLabel(xTipo + 1, 44.5, xOperazione - xTipo - 2, 5, QStringLiteral("Tipo"));
    testa.addLabel(xOperazione + 1, 44.5, xQuantita - xOperazione - 2, 5, QStringLiteral("Operazione"));
    testa.addLabel(xQuantita + 1, 44.5, w - xQuantita - 2, 5, QStringLiteral("Quantità"));
    for (double x : {xTipo, xOperazione, xQuantita})
        testa.addVLine(x, 43, 8, 0.3);

    // One line per article, ruled so that the empty columns can be written in.
    auto& riga = detail(7);
    font.setBold(false);
    riga.addField(2, 1.2, xTipo - 4, 5, dm.TblServizi, QStringLiteral("Descrizione"));
    riga.addField(xTipo + 1, 1.2, xOperazione - xTipo - 2, 5, dm.TblServizi, QStringLiteral("Tipo"));
    for (double x : {0.0, xTipo, xOperazione, xQuantita, w})
        riga.addVLine(x, 0, 7, 0.2);
    riga.addHLine(0, 7, w, 0.2);
}

TQRIntervento::~TQRIntervento() = default;
