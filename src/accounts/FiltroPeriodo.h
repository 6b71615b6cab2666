#pragma once
#include <QDate>
#include <QGroupBox>

class QCheckBox;
class QDateEdit;

// The group "Filtro" of the ledger screens: "Atti&vato" with the period "&Da data" – "&A data".
// The screen decides what a click or a changed date does.
class FiltroPeriodo : public QGroupBox
{
    Q_OBJECT
public:
    explicit FiltroPeriodo(QWidget* parent);

    // Off, from 1 January of today's year to today.
    void reimposta();
    bool attivo() const;
    QDate da() const;
    QDate a() const;

    QCheckBox* chkAttivato;
    QDateEdit* dtpDaData;
    QDateEdit* dtpAData;
};
