#pragma once
#include <QDialog>
#include <memory>

class Inventario;
class QComboBox;
class QPushButton;
class SceltaData;
class TDataModule1;

// "Inventario": the movements of one invoiceable article within a period, previewed or printed.
class TFrmInventario : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmInventario(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmInventario() override;

    SceltaData* DaData;
    SceltaData* AData;
    QComboBox* CmbArticolo;
    QPushButton* BtnAnteprima;
    QPushButton* BtnStampa;
    QPushButton* BtnChiudi;

    void BtnAnteprimaClick();
    void BtnStampaClick();
    void CmbArticoloChange(int indice);

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    // The invoiceable articles, description and type, the current one chosen.
    void riempiArticoli();
    void stampa(bool diretta);
    QString articoloCorrente();

    TDataModule1& dm;
    std::unique_ptr<Inventario> inventario;
};
