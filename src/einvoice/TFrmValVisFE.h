#pragma once
#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QToolButton;
class TDataModule1;

// "Validazione / Visualizzazione Fatture Elettroniche generate": checks an electronic invoice
// (well-formedness, the FatturaPA schema, the checks of the exchange system; signed .p7m files
// too) and shows it in the browser through the FatturaPA style sheet. One window per data
// module for the whole run; the invoicing screens preset the path of their last file.
class TFrmValVisFE : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmValVisFE(TDataModule1& dm, QWidget* parent = nullptr);

    // The window of the data module, made on first use.
    static TFrmValVisFE& DelModulo(TDataModule1& dm, QWidget* parent = nullptr);
    // Shows the window modally on a preset path (empty from the menu).
    int Apri(const QString& percorso = {});

    QString preset;                 // set by the caller before showing, cleared on close
    QString cartellaSchema;         // where the schema and the style sheet are; the program's by default

    QLineEdit* LabeledEdit1;        // "Fattura da visualizzare"
    QPushButton* bbSfogliaXML;      // "Sfoglia..."
    QLineEdit* LabeledEdit2;        // "Visualizzo con il seguente Browser:"
    QToolButton* bbSfogliaBr;       // hint "Sfoglia..."
    QToolButton* bbDefaultBr;       // hint "Cerca browser predefinito"
    QPushButton* bbValidate;        // "Valida"
    QPushButton* bbShow;            // "Visualizza"
    QPushButton* BitBtn2;           // "Chiudi"

    // Starts the browser on a page; replaceable so that tests open nothing.
    std::function<bool(const QString& browser, const QString& pagina)> avviaBrowser;

    void bbValidateClick();
    void bbShowClick();
    void bbSfogliaXMLClick();
    void bbSfogliaBrClick();
    void bbDefaultBrClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TDataModule1& dm;
    QString cartellaXml;      // folder of the file last picked with "Sfoglia..." since the start
    bool mostrata = false;
};
