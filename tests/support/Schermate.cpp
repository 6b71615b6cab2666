#include "Schermate.h"
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

QString cartellaSchermate()
{
    const QString cartella = qEnvironmentVariable("LAV_SCREENSHOTS");
    if (!cartella.isEmpty())
        QDir().mkpath(cartella);
    return cartella;
}

QString fileSchermata(const QString& nomeFile)
{
    return QDir(cartellaSchermate()).filePath(nomeFile);
}

void salvaFinestra(QWidget& w, const QString& nome)
{
    w.show();
    QTest::qWait(120);
    EXPECT_TRUE(w.grab().save(fileSchermata(nome + ".png"))) << nome.toStdString();
}
