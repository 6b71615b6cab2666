#include "ContatoreFatture.h"

#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

// Record layout, little-endian: int16 number at 0; three short strings (a length byte and two
// character bytes) at 2, 5 and 8; a padding byte at 11.
namespace {

constexpr int recordSize = 12;
constexpr int textCapacity = 2;
constexpr int textOffsets[3] = {2, 5, 8};

// Runtime I/O error codes the counter operations report.
constexpr int errPathNotFound = 3;    // the folder of the file does not exist
constexpr int errAccessDenied = 5;    // the file cannot be written
constexpr int errFileNotOpen = 103;   // there is no file to read

QString readText(const QByteArray& rec, int offset)
{
    // A length byte above the capacity must not reach into the next field.
    const int len = std::min<int>(quint8(rec[offset]), textCapacity);
    return QString::fromLatin1(rec.constData() + offset + 1, len);
}

void writeText(QByteArray& rec, int offset, const QString& text)
{
    const QByteArray bytes = text.left(textCapacity).toLatin1();
    rec[offset] = char(bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
        rec[offset + 1 + i] = bytes[i];
}

bool readRecord(QFile& f, ContatoreFatture::Record& r)
{
    const QByteArray rec = f.read(recordSize);
    if (rec.size() < recordSize)
        return false;
    r.numero = qint16(quint16(quint8(rec[0])) | quint16(quint8(rec[1])) << 8);
    r.giorno = readText(rec, textOffsets[0]);
    r.mese = readText(rec, textOffsets[1]);
    r.fine = readText(rec, textOffsets[2]);
    return true;
}

QByteArray encode(const ContatoreFatture::Record& r)
{
    QByteArray rec(recordSize, '\0');
    rec[0] = char(quint16(r.numero) & 0xff);
    rec[1] = char(quint16(r.numero) >> 8);
    writeText(rec, textOffsets[0], r.giorno);
    writeText(rec, textOffsets[1], r.mese);
    writeText(rec, textOffsets[2], r.fine);
    return rec;
}

// Writes the record at offset 0, creating the file when needed. The file is replaced as a
// whole, so a failed write never leaves half a record; bytes after the record are kept.
void writeRecord(const QString& path, const ContatoreFatture::Record& r)
{
    QByteArray data = encode(r);
    QFile old(path);
    if (old.open(QIODevice::ReadOnly)) {
        const QByteArray all = old.readAll();
        if (all.size() > recordSize)
            data += all.mid(recordSize);
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit()) {
        const bool folderExists = !path.isEmpty() && QFileInfo(path).absoluteDir().exists();
        throw IoError(folderExists ? errAccessDenied : errPathNotFound);
    }
}

LavError illeggibile(const QString& path, const QString& motivo)
{
    return LavError(QStringLiteral("Il file contatore delle fatture '%1' non si può leggere: %2. Il file è stato lasciato com'è: "
                                   "ripristinarlo da una copia prima di stampare fatture.")
                        .arg(QDir::toNativeSeparators(path), motivo));
}

// The record of the file; nullopt when there is no file. A file that is there but cannot be
// read whole (too short, not a plain file, not readable) is an error naming it: the number it
// holds is unknown, so nothing may be written over it.
std::optional<ContatoreFatture::Record> readIfThere(const QString& path)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || (!fi.exists() && !fi.isSymLink()))
        return std::nullopt;
    if (!fi.isFile())
        throw illeggibile(path, QStringLiteral("non è un file ordinario"));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw illeggibile(path, QStringLiteral("accesso negato"));
    ContatoreFatture::Record r;
    if (!readRecord(f, r))
        throw illeggibile(path, QStringLiteral("contiene %1 byte invece dei %2 di un record").arg(f.size()).arg(recordSize));
    return r;
}

// The record of a file that must be there: a missing file is error 103 (file not open).
ContatoreFatture::Record readExisting(const QString& path)
{
    const std::optional<ContatoreFatture::Record> r = readIfThere(path);
    if (!r)
        throw IoError(errFileNotOpen);
    return *r;
}

QString padDay(const QString& text)
{
    return text.size() == 1 ? QLatin1Char('0') + text : text.left(textCapacity);
}

} // namespace

qint16 ContatoreFatture::ProssimoNumeroFattura(bool store)
{
    // Only a missing file is created anew, holding 0.
    const std::optional<Record> letto = readIfThere(file);
    if (letto) {
        rec = *letto;
    } else {
        rec = Record{};
        writeRecord(file, rec);
    }
    // The number wraps like the 16-bit integer it is.
    rec.numero = qint16(quint16(rec.numero) + 1);
    if (store)
        writeRecord(file, rec);
    return rec.numero;
}

void ContatoreFatture::SalvaPeriodo(const QString& giorno, const QString& mese,
                                    const QString& fineMese)
{
    Record r = readExisting(file);
    r.giorno = padDay(giorno);
    r.mese = padDay(mese);
    r.fine = padDay(fineMese);
    writeRecord(file, r);
    rec = r;
}

QString ContatoreFatture::LeggiMese()
{
    rec = readExisting(file);
    return rec.mese;
}

QString ContatoreFatture::LeggiFinePeriodo()
{
    rec = readExisting(file);
    return rec.fine;
}

void ContatoreFatture::ImpostaUltimoNumero(int numero)
{
    readIfThere(file);   // a file that cannot be read is not written over
    rec.numero = qint16(numero);
    writeRecord(file, rec);
}
