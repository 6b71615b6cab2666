#pragma once
#include <QDate>
#include <QString>
#include <memory>

class TDataModule1;
class TQRLInventario;

// The inventory of the stock movement log, as the inventory window prints it and lavanderia-cli
// exports it.
class Inventario
{
public:
    explicit Inventario(TDataModule1& dm);
    ~Inventario();

    // The first "from" date the window offers: a period from it has no start.
    static QDate inizioArchivio() { return QDate(1900, 1, 1); }

    // ", periodo interessato fino al 31/03/2024" when the period starts at inizioArchivio,
    // else ", periodo interessato tra il 01/01/2024 ed il 31/03/2024".
    static QString TestoPeriodo(const QDate& dal, const QDate& al);
    // The article as the movement log names it: its description, a blank and its type.
    static QString TestoArticolo(const QString& descrizione, const QString& tipo);

    // The report of one article's movements from `dal` to `al`, or of every invoiceable article
    // when `articolo` is empty; preview, print or export it. A period that ends before it starts
    // is refused with a LavError.
    TQRLInventario& Prepara(const QString& articolo, const QDate& dal, const QDate& al);

private:
    TDataModule1& dm;
    std::unique_ptr<TQRLInventario> qrInventario;
};
