#include "TFrmRestruct.h"
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

TFrmRestruct::TFrmRestruct(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint)
{
    setWindowTitle("Aggiornamento in corso...");
    auto* lblNome = new QLabel("Nome archivio:", this);
    lblNomeFile = new QLabel(this);
    QFont grassetto = lblNomeFile->font();
    grassetto.setBold(true);
    lblNomeFile->setFont(grassetto);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(16, 20, 16, 20);
    l->addWidget(lblNome);
    l->addWidget(lblNomeFile, 1);
    setFixedSize(268, sizeHint().height());

    // Centred across the screen as wide as the window was designed.
    const QRect schermo = QGuiApplication::primaryScreen()->geometry();
    move((schermo.width() - 268) / 2 + 1, (schermo.height() - height()) / 2);
}

void TFrmRestruct::mostraFile(const QString& nome)
{
    lblNomeFile->setText(nome);
    repaint();
}
