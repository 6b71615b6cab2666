#pragma once
#include <QDialog>

class DbGrid;
class DbNavigator;
class QLineEdit;
class TDataModule1;

// "Archivio agenti": the search window beside the agents screen. Typing a name moves the agent
// table to the first agent whose name sorts at or after the text, ignoring letter case.
class TFrmAgentiLst : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmAgentiLst(TDataModule1& dm, QWidget* parent = nullptr);

    QLineEdit* edtNominativo;
    DbNavigator* navAgenti;
    DbGrid* grdAgenti;

protected:
    bool event(QEvent* e) override;

private:
    void NominativoChange(const QString& testo);

    TDataModule1& dm;
};
