#pragma once
#include <memory>
#include "WindowRegistry.h"
#include <QMainWindow>

class QFrame;
class QMenu;
class QToolButton;
class TDataModule1;
class TFrmAnno;
class TFrmClienti;
class TFrmCopiaFile;

// The main window: the menu and the tool bar that open every other window. Its size is the
// tool-bar panel's and never changes; it always opens at 10, 10. Closing it copies the
// archives and ends the program.
class ReportDocument;
class TQRClientiLst;
class ElencoSospesi;
class TQRIntervento;
class TQRMDClienti;

class TFrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    // The data module is created after the window; from then on the window works on it.
    void impostaDataModule(TDataModule1& dm);

    // The current fiscal year and the path of its invoice counter file.
    QString AnnoCorrente() const;
    QString FileContatore() const;

    // Windows created on first use and then kept.
    TFrmAnno& FrmAnno();
    TFrmCopiaFile& FrmCopiaFile();

    // Closing copies the archives into the weekday folder, unless the start-up failed on a
    // file it could not open: then the program ends touching no file.
    bool copiaAllUscita = true;

Q_SIGNALS:
    // The window has closed and the copy is done: the program ends.
    void chiusa();

public:

    QFrame* pnlToolBar;
    QToolButton* sbtnClienti;
    QToolButton* sbtnMagazzino;
    QToolButton* sbtnAgenti;
    QToolButton* sbtnServizi;
    QToolButton* sbtnFatture;
    QToolButton* sbtnParametri;
    QToolButton* sbtnModPag;
    QToolButton* sbtnEsci;

    // One handler per menu entry; the tool-bar buttons share those of their entries.
    void ClientiGestioneClick();
    void ClientiAnaliticoAnteprimaClick();
    void ClientiAnaliticoStampaClick();
    void ClientiSinteticoAnteprimaClick();
    void ClientiSinteticoStampaClick();
    void ClientiConsumiClick();
    void SospesiElencoClick();
    void SospesiGestioneClick();
    void MagazzinoGestioneClick();
    void MagazzinoStoricoClick();
    void MagazzinoInventarioClick();
    void AgentiGestioneClick();
    void AgentiSchedaAnteprimaClick();
    void AgentiSchedaStampaClick();
    void AgentiServiziClick();
    void FatturazioneAutomaticaClick();
    void FatturazioneManualeClick();
    void FatturazioneValidaFEClick();
    void AltriParametriClick();
    void AltriModPagClick();
    void AnnoCreaClick();
    void AnnoCambiaClick();
    void AltriSaldiPrecClick();
    void AltriPrimaNotaClick();
    void AltriQueryClick();
    void AltriExitClick();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void creaMenu();
    void mostraEsercizio();
    void creaToolBar();
    void voce(QMenu* menu, const QString& testo, void (TFrmMain::*click)(), const QIcon& icona = {});
    QToolButton* pulsante(const QString& testo, const QIcon& icona, void (TFrmMain::*click)());

    void collegaClienti(TFrmClienti& w);
    void apriFatture(const QString& cliente);
    // The routes window, with "OK" when a route is chosen for a site.
    int apriServizi(bool scelta);
    TQRIntervento& QRIntervento();
    void elencoAnalitico(bool stampa);
    void stampaDiretta(ReportDocument& r);

    // Creates the window on first use (kept until the program ends) and shows it modally.
    template <class T>
    int apri();

    TDataModule1* dm = nullptr;
    WindowRegistry finestre{this};
    std::unique_ptr<TQRMDClienti> qrMDClienti;
    std::unique_ptr<TQRClientiLst> qrClientiLst;
    std::unique_ptr<ElencoSospesi> elencoSospesi;
    std::unique_ptr<TQRIntervento> qrIntervento;
    TFrmAnno* frmAnno = nullptr;
    TFrmCopiaFile* frmCopiaFile = nullptr;
};
