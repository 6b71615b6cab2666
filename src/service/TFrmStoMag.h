#pragma once
#include <QDialog>

class DbGrid;
class DbNavigator;
class QCheckBox;
class QLabel;
class QPushButton;
class SceltaData;
class TDataModule1;

// "Storico magazzino": every stock movement, by article and date or in recording order (a click
// on the title of "Servizio" or "Data"), restricted to a period when "Attivato" is checked.
class TFrmStoMag : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmStoMag(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmStoMag() override;

    // The log's filter for a period: "[Data Movimento] >= '01/01/2024' and [Data Movimento] <= '31/03/2024'".
    static QString FiltroPeriodo(const QDate& dal, const QDate& al);

    DbNavigator* DBNavigator1;
    QCheckBox* ChkAttivato;
    QLabel* LblDa;
    QLabel* LblA;
    SceltaData* DaData;
    SceltaData* AData;
    QPushButton* BtnChiudi;
    DbGrid* DBGrid1;

    void ChkAttivatoClick();
    void DataChange();
    void DBGrid1TitleClick(int colonna);

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The title of the column in use bold blue, the other normal maroon.
    void ordina(bool perArticolo);

    TDataModule1& dm;
    int colonnaData = 0;
    int colonnaServizio = 1;
};
