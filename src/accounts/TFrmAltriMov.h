#pragma once
#include <QDialog>

class DbEdit;
class DbGrid;
class DbNavigator;
class FiltroPeriodo;
class MovimentiConto;
class QCheckBox;
class QDateEdit;
class QPushButton;
class QToolButton;
class TDataModule1;

// The movements of one payment account (its caption is the payment method's description):
// the collections that reached it and the other movements, typed under "Da&re" or "Av&ere".
// Only movements typed by hand can be changed or removed. "&Stampa" previews the account's
// statement for the period when the filter is on.
class TFrmAltriMov : public QDialog
{
    Q_OBJECT
public:
    TFrmAltriMov(TDataModule1& dm, MovimentiConto& movimenti, QWidget* parent = nullptr);

    static inline const QColor verde = QColor(224, 244, 200);
    static inline const QColor rosso = QColor(255, 157, 157);

    QPushButton* btnDare;
    QPushButton* btnAvere;
    DbNavigator* navMovimenti;
    FiltroPeriodo* filtroDate;
    QCheckBox* chkAttivato;
    QDateEdit* dtpDaData;
    QDateEdit* dtpAData;
    QPushButton* btnStampa;
    QPushButton* btnChiudi;
    DbEdit* edtData = nullptr;
    DbEdit* edtCausale = nullptr;
    DbEdit* edtRifDoc = nullptr;
    DbEdit* edtRifData = nullptr;
    DbEdit* edtImporto = nullptr;
    DbEdit* edtMastroConto = nullptr;
    DbGrid* grdMovimenti;

    void btnDareClick();
    void btnAvereClick();
    void chkAttivatoClick();
    void btnStampaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void nuovo(int segno);
    void coloraImporto();
    void statoCambiato();
    void filtro();

    TDataModule1& dm;
    MovimentiConto& mov;
    bool aperta = false;
    int statoPrima = 0;
};
