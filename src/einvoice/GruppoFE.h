#pragma once
#include "SessioneFE.h"
#include <QDate>
#include <QGroupBox>
#include <functional>

class QLineEdit;
class QPushButton;
class TDataModule1;

// The group "Fatture Elettroniche" that the four invoicing screens share: the name of the last
// file generated, the date of the last sending, and the buttons "Genera", "Valida" and
// "Salva...". The screen says what "Genera" generates (it knows its own fields) and, for the
// credit notes, the issue date; the group does the rest through its SessioneFE.
//
//     grpFE = new GruppoFE(dm, SessioneFE::Schermata::NotaCre, this);
//     grpFE->genera = [this] { return grpFE->sessione.GeneraNoteCredito(codice, anno, emissione); };
//     grpFE->dataEmissione = [this] { return parseDate(MaskEdit2->text()); };
//     ... and grpFE->Mostra() from the screen's showEvent.
class GruppoFE : public QGroupBox
{
    Q_OBJECT
public:
    GruppoFE(TDataModule1& dm, SessioneFE::Schermata schermata, QWidget* parent = nullptr,
             const QString& titolo = QStringLiteral("Fatture Elettroniche"));

    SessioneFE sessione;

    QLineEdit* leFileName;    // "Nome file"
    QLineEdit* MaskEdit1;     // "Data ultimo invio"
    QPushButton* BitBtn3;     // "Genera"
    QPushButton* bbValVis;    // "Valida"
    QPushButton* BitBtn1;     // "Salva..."

    // The screen's generation; returns the files written.
    std::function<QStringList()> genera;
    // Credit notes: the issue date stored with an exported credit note.
    std::function<QDate()> dataEmissione;
    // Opens the validation window on a path; by default the data module's TFrmValVisFE.
    std::function<void(const QString&)> apriValidazione;

    // Called when the screen is shown.
    void Mostra();

    void BitBtn3Click();
    void bbValVisClick();
    void BitBtn1Click();

private:
    TDataModule1& dm;
};
