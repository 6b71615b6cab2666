#include "TFrmSuppFatt.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TDataModule1.h"
#include <QHeaderView>
#include <QVBoxLayout>

TFrmSuppFatt::TFrmSuppFatt(TDataModule1& dm, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Ulteriori informazioni in fattura"));
    setModal(false);

    DBNavigator1 = new DbNavigator(&dm.DSAltreInfo, Nav::Browse | Nav::Editing, dm.prompts, this);
    DBNavigator1->setHints(DbNavigator::hintsStandard);

    DBGrid1 = new DbGrid(&dm.DSAltreInfo, dm.prompts, this);
    DBGrid1->setColumns({{.field = QStringLiteral("Quantita"), .title = QStringLiteral("Quantità"), .width = 70},
                         {.field = QStringLiteral("Descrizione"), .width = 330},
                         {.field = QStringLiteral("Prezzo"), .width = 100}});

    DBGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(DBNavigator1);
    colonna->addWidget(DBGrid1, 1);
    resize(580, 300);
    setMinimumSize(400, 200);
}
