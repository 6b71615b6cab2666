#pragma once
#include <QDialog>
#include <memory>

class DbGrid;
class DbNavigator;
class MovimentiConto;
class QPushButton;
class TDataModule1;
class TFrmAltriMov;

// "Modalità di pagamento": the payment methods, which are also the payment accounts of the
// ledger. A double click on a method opens the movements of its account; the "…" button of
// its description previews the account's statement.
class TFrmModPag : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmModPag(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmModPag() override;

    DbNavigator* navModPag;
    DbGrid* grdModPag;
    QPushButton* btnChiudi;

    // The movements screen, once opened.
    TFrmAltriMov* FrmAltriMov() const { return frmAltriMov; }
    MovimentiConto& movimenti();

    void grdModPagDblClick();
    void grdModPagEllipsisClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TFrmAltriMov& altriMov();
    bool suModPag();

    TDataModule1& dm;
    std::unique_ptr<MovimentiConto> mov;
    TFrmAltriMov* frmAltriMov = nullptr;
};
