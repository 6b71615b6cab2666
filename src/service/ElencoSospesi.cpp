#include "ElencoSospesi.h"
#include "Database.h"
#include "TDataModule1.h"
#include "TQRSospesi.h"
#include "TQRSospesi2.h"
#include <QSqlQuery>

ElencoSospesi::ElencoSospesi(TDataModule1& dati)
    : dm(dati), qrSospesi(std::make_unique<TQRSospesi>(dati)), qrSospesi2(std::make_unique<TQRSospesi2>(dati))
{
    documento.title = QStringLiteral("Elenco sospesi");
    documento.setOrientation(QPageLayout::Landscape);
    documento.add(*qrSospesi);
    documento.add(*qrSospesi2);
    documento.afterRun = [this] {
        qrSospesi->QrySospesi.close();
        qrSospesi2->QryTotali.close();
    };
}

ElencoSospesi::~ElencoSospesi() = default;

ReportDocument& ElencoSospesi::Prepara(const QString& revisione)
{
    qrSospesi2->etichettaRevisione = QStringLiteral("OVRT/") + revisione;
    return documento;
}

int ElencoSospesi::PulisciSospesi(Database& db)
{
    QSqlQuery q = db.exec(QStringLiteral(
        "DELETE FROM Sospesi WHERE NOT EXISTS (SELECT 1 FROM Sedi WHERE Sedi.Codice = Sospesi.Sede) "
        "OR Quantita = 0 OR Quantita IS NULL"));
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}
