#pragma once
#include <QColor>
#include <QFont>
#include <QObject>
#include <QPalette>

class QWidget;

// Free-text boxes turn aqua with bold text while they have the focus, and go back to their
// own colour and font when they lose it. Installed on any edit box (QLineEdit, QTextEdit,
// QPlainTextEdit, the Db controls): FocusColour::install(edtMotivo).
class FocusColour : public QObject
{
    Q_OBJECT
public:
    static inline const QColor aqua = QColor(0, 255, 255);

    // The filter lives as long as the box.
    static FocusColour* install(QWidget* box);

    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    explicit FocusColour(QWidget* box);

    QWidget* box;
    QPalette ownPalette;
    QFont ownFont;
    bool hadPalette = false, hadFont = false, coloured = false;
};
