#include "TQRLInventario.h"
#include "Clock.h"
#include "DateIt.h"
#include "TDataModule1.h"

namespace {

// Columns in millimetres from the left margin.
constexpr double xData = 0, wData = 24;
constexpr double xOperazione = 26, wOperazione = 40;
constexpr double xCliente = 68, wCliente = 74;
constexpr double xQta = 144, wQta = 20;
constexpr double xGiac = 166;

const QColor grigio(225, 225, 225);

} // namespace

TQRLInventario::TQRLInventario(TDataModule1& dati) : QryInventario(dati.db, QStringLiteral("QryInventario")), dm(dati)
{
    title = QStringLiteral("Inventario");
    setMargins(12, 10, 10, 10);
    setDataset(&QryInventario);
    beforeRun = [this] { return QRLInventarioBeforePrint(); };
    afterRun = [this] { QryInventario.close(); };
    const double w = bodyWidth();

    auto& testa = pageHeader(20);
    font.setPointSizeF(8);
    testa.addPageNumber(w - 40, 0, 40, 5, QStringLiteral("Pag. %1")).setAlignment(Qt::AlignRight | Qt::AlignTop);
    font.setPointSizeF(11);
    testa.addExpression(0, 5, w, 6, [this] {
        return QStringLiteral("Inventario del ") + formatDate(dataStampa.isValid() ? dataStampa : oggi()) + testoPeriodo;
    });
    font.setBold(true);
    testa.addField(0, 12, w, 6, QryInventario, QStringLiteral("Servizio"));

    auto& colonne = columnHeader(7);
    colonne.addShade(0, 0, w, 6, grigio);
    colonne.addHLine(0, 6, w, 0.4);
    font.setPointSizeF(9);
    colonne.addLabel(xData, 0.7, wData, 5, QStringLiteral("Data")).setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    colonne.addLabel(xOperazione, 0.7, wOperazione, 5, QStringLiteral("Operazione"));
    colonne.addLabel(xCliente, 0.7, wCliente, 5, QStringLiteral("Cliente"));
    colonne.addLabel(xQta, 0.7, wQta, 5, QStringLiteral("Q.tà")).setAlignment(Qt::AlignRight | Qt::AlignTop);
    colonne.addLabel(xGiac, 0.7, w - xGiac - 1, 5, QStringLiteral("Giac.")).setAlignment(Qt::AlignRight | Qt::AlignTop);

    // Each article of a whole inventory starts on a page of its own, under its name.
    addGroup(QStringLiteral("Servizio")).newPage = true;

    auto& riga = detail(9.5);
    font.setBold(false);
    riga.addExpression(xData, 0.4, wData, 4.5, [this] { return formatDate(QryInventario["Data movimento"].asDate()); })
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    riga.addField(xOperazione, 0.4, wOperazione, 4.5, QryInventario, QStringLiteral("Tipo movimento"));
    riga.addField(xCliente, 0.4, wCliente, 4.5, QryInventario, QStringLiteral("Cliente")).setWordWrap();
    riga.addField(xQta, 0.4, wQta, 4.5, QryInventario, QStringLiteral("Quantità"), QStringLiteral("0.##"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    riga.addField(xGiac, 0.4, w - xGiac - 1, 4.5, QryInventario, QStringLiteral("Giacenza"), QStringLiteral("0.##"))
        .setAlignment(Qt::AlignRight | Qt::AlignTop);
    font.setPointSizeF(8);
    font.setItalic(true);
    riga.addField(xOperazione, 4.8, xQta - xOperazione - 2, 4.2, QryInventario, QStringLiteral("Motivo")).setWordWrap();
    font.setItalic(false);
    riga.addHLine(0, 9.3, w, 0.1).setColor(Qt::lightGray);
}

TQRLInventario::~TQRLInventario() = default;

// The statement is made again for each print, the article text bound as a value, so that a
// description with a quote ("Lenzuolo 1 piazza d'albergo") is read like any other.
bool TQRLInventario::QRLInventarioBeforePrint()
{
    const QString colonne = QStringLiteral(
        "SELECT Servizio, Stomag.\"Data movimento\", Stomag.\"Tipo movimento\", Motivo, Cliente, \"Quantità\", Giacenza "
        "FROM Stomag WHERE ");
    const QString periodo = QStringLiteral(" AND Stomag.\"Data movimento\" >= :Dal AND Stomag.\"Data movimento\" <= :Al ");
    QryInventario.close();
    if (tuttiGliArticoli) {
        QryInventario.setSql(colonne
                             + QStringLiteral("Servizio IN (SELECT COALESCE(Descrizione, '') || ' ' || COALESCE(Tipo, '') "
                                              "FROM Servizi WHERE Fatturabile = 1)")
                             + periodo + QStringLiteral("ORDER BY Servizio, Codice"));
    } else {
        QryInventario.setSql(colonne + QStringLiteral("Servizio = :Servizio") + periodo + QStringLiteral("ORDER BY Codice"));
        QryInventario.setParam(QStringLiteral("Servizio"), articolo);
    }
    QryInventario.setParam(QStringLiteral("Dal"), isoDate(dal));
    QryInventario.setParam(QStringLiteral("Al"), isoDate(al));
    QryInventario.open();
    return true;
}
