#pragma once
#include <QString>
#include <QTemporaryDir>

// A working folder in a temporary directory holding a new archive (archivi/DBLav.db made by
// TDataModule1::CreaArchivio), filled with the demo data when asked. The folder and all it
// holds go with the object.
//
//     TempArchive vuoto;                                   // installation tables only
//     TempArchive pieno(TempArchive::Demo{.scale = 1, .seed = 7});
class TempArchive
{
public:
    struct Demo
    {
        int scale = 1;
        quint32 seed = 1;
    };

    TempArchive();
    explicit TempArchive(Demo demo);

    QString cartella() const { return dir.path(); }                  // the working folder
    QString archivi() const { return dir.filePath(QStringLiteral("archivi")); }
    QString percorso(const QString& relativo) const { return dir.filePath(relativo); }

private:
    QTemporaryDir dir;
};
