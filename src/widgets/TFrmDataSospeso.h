#pragma once
#include <QDialog>

class Prompts;
class QLineEdit;
class QPushButton;

// The date of a pending delivery: a borderless box in the middle of the screen with one masked
// date field, empty each time it is shown. OK accepts an empty field or a real date; any other
// text is refused and the box stays open. "Chiudi" (or Escape) closes it without OK.
class TFrmDataSospeso : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmDataSospeso(Prompts& prompts, QWidget* parent = nullptr);

    // The field as typed, blanks included: "  /  /    " when left empty.
    QString testo() const;

    QLineEdit* edtData;
    QPushButton* btnOK;
    QPushButton* btnChiudi;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void BtnOKClick();

    Prompts& prompts;
};
