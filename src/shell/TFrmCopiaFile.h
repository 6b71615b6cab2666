#pragma once
#include <QDialog>

class QLabel;
class Animazione;

// Shown while the archives are copied on exit: a sheet flying from one folder to the other,
// the name of the file and where it goes.
class TFrmCopiaFile : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmCopiaFile(QWidget* parent = nullptr);

    // Shows the file being copied: "da '<da>/<nome>' a '<a>/<nome>'".
    void mostraFile(const QString& nome, const QString& da, const QString& a);
    // Shows the files that could not be copied, each with the reason.
    void mostraMancati(const QStringList& mancati);

    Animazione* animazione;
    QLabel* lblNome;
    QLabel* lblPercorso;

protected:
    void showEvent(QShowEvent* e) override;
};
