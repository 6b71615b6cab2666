#pragma once
#include <QDialog>

class DbGrid;
class DbNavigator;
class QLineEdit;
class QPushButton;
class TDataModule1;

// "Archivio clienti": the search companion of the customer screen. As the user types a name the
// customer table moves to the nearest customer in name order; the grid shows where it landed.
class TFrmClientiLst : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmClientiLst(TDataModule1& dm, QWidget* parent = nullptr);

    QLineEdit* Denominazione = nullptr;
    DbNavigator* DBNavigator1 = nullptr;
    DbGrid* DBGrid1 = nullptr;
    QPushButton* BtnOK = nullptr;

protected:
    // At the right edge of the screen, 100 pixels from the top, the whole text selected.
    void showEvent(QShowEvent* e) override;

private:
    void DenominazioneChange(const QString& testo);

    TDataModule1& dm;
};
