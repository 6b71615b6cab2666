#pragma once
#include <QDialog>

class QLabel;

// Shown while the tables of the update folder are merged into the archive at start-up, with
// the name of the file being processed.
class TFrmRestruct : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmRestruct(QWidget* parent = nullptr);

    void mostraFile(const QString& nome);

    QLabel* lblNomeFile;
};
