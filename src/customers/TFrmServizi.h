#pragma once
#include <QDialog>

class DbCheckBox;
class DbEdit;
class DbNavigator;
class DbText;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class TDataModule1;
class TFrmServiziLst;

// "Giacenza magazzino": the articles with their stock. "Incrementa" and "Decrementa" put the
// article in edit with the quantity box shown; posting it changes the stock and logs the
// movement with the reason typed in "Motivo" (the data module's rules do both).
class TFrmServizi : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmServizi(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmServizi() override;

    DbNavigator* navServizi;
    QToolButton* SBtnInsert;
    QToolButton* SBtnDelete;
    QToolButton* SBtnRicerca;
    QPushButton* btnChiudi;
    DbText* txtCodice;
    DbEdit* edtDescrizione;
    DbEdit* edtTipo;
    DbCheckBox* chkFatturabile;
    DbEdit* edtDentro;
    DbEdit* edtFuori;
    QLabel* lblQuantita;
    QSpinBox* speQuantita;
    QLineEdit* edtMotivo;

    // The search window, once "Ricerca" has made it.
    TFrmServiziLst* FrmServiziLst() const { return frmLst; }

    void SBtnInsertClick();
    void SBtnDeleteClick();
    void SBtnRicercaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool event(QEvent* e) override;

private:
    void DSServiziStateChange();
    void avviaVariazione(int segno, const QString& etichetta);
    void lasciaDati();

    TDataModule1& dm;
    TFrmServiziLst* frmLst = nullptr;
    bool aperta = false;    // between show and hide: the data module reads the quantity and reason
};
