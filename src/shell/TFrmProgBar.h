#pragma once
#include <QDialog>

class QProgressBar;

// The progress window of the long operations that walk through every customer: shown without
// blocking, one step per unit of work.
class TFrmProgBar : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmProgBar(QWidget* parent = nullptr);

    // Shows the window with the bar at 0 of massimo.
    void avvia(int massimo);
    void passo();
    void termina();

    QProgressBar* ProgressBar1;

protected:
    void showEvent(QShowEvent* e) override;
};
