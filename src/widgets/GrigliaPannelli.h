#pragma once
#include "Modulo.h"
#include <QFrame>
#include <QPointer>
#include <functional>
#include <vector>

class DataSource;
class Dataset;
class Prompts;
class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QLabel;
class QScrollBar;
class QWheelEvent;

// Panels side by side over the records of a data source, the sites and the interventions of the
// customer screen. The panel of the current record holds the data-aware controls; the others
// show their records read-only, and a click on one of them moves there. The scroll bar below
// runs through all the records.
//
// One function lays a panel out (with disponiCampi, as a form); it is run once for the live
// panel and once for each of the others, with a Controlli that gives data-aware controls or
// read-only copies of them.
class GrigliaPannelli : public QWidget
{
    Q_OBJECT
public:
    // The live panel gets data-aware controls, the others read-only copies (Modulo.h).
    using Controlli = ::Controlli;
    using Costruzione = std::function<void(Controlli& c, QWidget* pannello)>;

    GrigliaPannelli(DataSource* source, int colonne, const Costruzione& costruisci, Prompts& prompts,
                    QWidget* parent = nullptr);

    // The panel that holds the data-aware controls (empty while there is no record).
    QWidget* pannelloVivo() const { return vivo; }
    // A record being inserted shows after the last one instead of at the cursor.
    void setNuoviInFondo(bool on) { nuoviInFondo = on; sincronizza(); }

    int colonne() const { return int(copie.size()); }
    // The record shown in a slot (its place among the records, the one being inserted
    // counted), -1 for an empty slot.
    int recordNelPosto(int posto) const;
    // The slot holding the live panel.
    int postoCorrente() const { return corrente - primo; }
    // The read-only panel of a slot (hidden while the live panel stands in its place).
    QWidget* copia(int posto) const { return copie[size_t(posto)].cornice; }
    QScrollBar* barra() const { return scorrimento; }

    // Moves the data source to the record at that place, posting a pending change first.
    void vaiA(int record);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    struct Copia
    {
        QFrame* cornice = nullptr;
        QWidget* interno = nullptr;
        std::vector<std::function<void(int riga)>> riempi;
    };

    Dataset* dataset() const;
    // Rows of the dataset and the place of the record being inserted (-1 when none).
    int totale() const;
    int rigaDi(int record) const;
    void sincronizza();
    void disponi(int postoVivo);

    QPointer<DataSource> src;
    Prompts& prompts;
    QFrame* vivo = nullptr;
    QWidget* vivoInterno = nullptr;     // the controls of the live panel
    std::vector<Copia> copie;
    QBoxLayout* fila = nullptr;
    QScrollBar* scorrimento = nullptr;
    bool nuoviInFondo = false;
    int primo = 0;           // first record shown
    int corrente = 0;        // record of the live panel
    int inserito = -1;       // place of the record being inserted
    int postoVivoMostrato = -1;
    bool inSincronia = false;
};
