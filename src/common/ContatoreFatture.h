#pragma once
#include <QString>
#include <QtGlobal>

// The invoice counter file fatture.dat of a fiscal year: one 12-byte little-endian record
// (last number issued, day of the last print, month of reference, last day of the period).
// Each operation opens the file, acts and closes it; the four operations share one record
// buffer, as the parameters screen relies on.
class ContatoreFatture
{
public:
    explicit ContatoreFatture(const QString& path = {}) : file(path) {}

    // The last number a year can issue: the file holds it in 16 bits.
    static constexpr int numeroMassimo = 32767;
    static QString NumeriEsauriti()
    {
        return QStringLiteral("I numeri di fattura dell'anno sono esauriti: l'ultimo possibile è %1.").arg(numeroMassimo);
    }
    void setPath(const QString& path) { file = path; }
    QString path() const { return file; }

    // The next invoice number; written back when store is set. A missing file is created
    // holding 0. A file that is there but cannot be read (too short, not a plain file, not
    // readable) stops every operation with an error naming it, and is never written over.
    qint16 ProssimoNumeroFattura(bool store);
    // Stores the three texts (one digit gets a leading "0"); "I/O error 103" without a file.
    void SalvaPeriodo(const QString& giorno, const QString& mese, const QString& fineMese);
    QString LeggiMese();
    QString LeggiFinePeriodo();
    // Writes the number as the last issued, the texts as the buffer last held them.
    void ImpostaUltimoNumero(int numero);

    struct Record
    {
        qint16 numero = 0;
        QString giorno, mese, fine;
    };
    const Record& buffer() const { return rec; }

private:
    QString file;
    Record rec;
};
