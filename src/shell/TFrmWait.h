#pragma once
#include <QPointer>
#include <QWidget>

class QLabel;
class QMovie;
class Animazione;

// The start-up window: a borderless box on top of the others in the middle of the screen, with
// an animation on the left and the program's name and version on the right. It steps aside
// while a modal dialog asks the user something during start-up, and comes back after.
class TFrmWait : public QWidget
{
    Q_OBJECT
public:
    // The animation is played from wait.avi in cartella when Qt can decode it, otherwise the
    // built-in washing machine turns.
    explicit TFrmWait(const QString& cartella = QStringLiteral("."), QWidget* parent = nullptr);

    // "Versione 1.2.3" from the program's version number (the first three parts of it).
    static QString testoVersione(const QString& versione);

    QLabel* lblNome;
    QLabel* lblVersione;
    QLabel* lblBuild;          // never shown
    QMovie* filmato = nullptr; // set when wait.avi can be played
    Animazione* animazione = nullptr;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QList<QPointer<QWidget>> dialoghiAperti;   // modal windows in front during start-up
    bool inDisparte = false;                   // hidden for them, to come back when they close
};
