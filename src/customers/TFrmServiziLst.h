#pragma once
#include <QDialog>

class DbGrid;
class DbNavigator;
class QLineEdit;
class TDataModule1;

// "Elenco giacenze": the search window of the articles screen, centred on the screen. Typing a
// description moves the article table to the first article that sorts at or after the text,
// ignoring letter case.
class TFrmServiziLst : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmServiziLst(TDataModule1& dm, QWidget* parent = nullptr);

    QLineEdit* edtDescrizione;
    DbNavigator* navServizi;
    DbGrid* grdServizi;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void DescrizioneChange(const QString& testo);

    TDataModule1& dm;
};
