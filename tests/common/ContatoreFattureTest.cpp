#include "ContatoreFatture.h"
#include "Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

class CounterFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("fatture.dat"));
    ContatoreFatture counter{path};

    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void givenBytes(const QByteArray& data) const
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    // Number, three texts (one length byte and two characters each) and the padding byte.
    static QByteArray record(qint16 n, const char* g, const char* m, const char* f)
    {
        QByteArray r;
        r += char(quint16(n) & 0xff);
        r += char(quint16(n) >> 8);
        for (const char* t : {g, m, f}) {
            const QByteArray s(t);
            r += char(s.size());
            r += s.leftJustified(2, '\0');
        }
        r += '\0';
        return r;
    }
    static int ioCode(const std::function<void()>& op)
    {
        try {
            op();
        } catch (const IoError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("I/O error %1").arg(e.code()));
            return e.code();
        }
        return 0;
    }
};

} // namespace

TEST_F(CounterFile, MissingFileIsCreatedHoldingZeroWhenOnlyAsking)
{
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), 1);
    EXPECT_EQ(bytes(), QByteArray(12, '\0'));
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), 1);
}

TEST_F(CounterFile, StoringAdvancesTheNumber)
{
    EXPECT_EQ(counter.ProssimoNumeroFattura(true), 1);
    EXPECT_EQ(bytes(), record(1, "", "", ""));
    EXPECT_EQ(counter.ProssimoNumeroFattura(true), 2);
    EXPECT_EQ(ContatoreFatture(path).ProssimoNumeroFattura(true), 3);
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), 4);
    EXPECT_EQ(bytes(), record(3, "", "", ""));
}

TEST_F(CounterFile, WithoutAFileTheReadsAndThePeriodFailWith103)
{
    EXPECT_EQ(ioCode([&] { counter.SalvaPeriodo("5", "3", "31"); }), 103);
    EXPECT_EQ(ioCode([&] { counter.LeggiMese(); }), 103);
    EXPECT_EQ(ioCode([&] { counter.LeggiFinePeriodo(); }), 103);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(CounterFile, PeriodTextsArePaddedAndReadBack)
{
    givenBytes(record(41, "", "", ""));
    counter.SalvaPeriodo("5", "3", "31");
    EXPECT_EQ(bytes(), record(41, "05", "03", "31"));
    ContatoreFatture other(path);
    EXPECT_EQ(other.LeggiMese(), "03");
    EXPECT_EQ(other.LeggiFinePeriodo(), "31");

    counter.SalvaPeriodo("", "123", "7");   // empty stays empty; a longer text is cut
    EXPECT_EQ(bytes(), record(41, "", "12", "07"));
}

TEST_F(CounterFile, RecordIsReadByteForByte)
{
    // Length byte beyond capacity and characters after the length are not significant.
    QByteArray raw = record(0x1234, "7", "11", "30");
    raw[4] = 'x';      // after the one-character day
    raw[5] = 9;        // month length out of range: only its two bytes are read
    givenBytes(raw + "tail");
    EXPECT_EQ(counter.LeggiMese(), "11");
    EXPECT_EQ(counter.LeggiFinePeriodo(), "30");
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), 0x1235);
    EXPECT_EQ(counter.buffer().giorno, "7");

    counter.ProssimoNumeroFattura(true);
    EXPECT_EQ(bytes(), record(0x1235, "7", "11", "30") + "tail");

    givenBytes(record(-2, "", "", ""));
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), -1);
    givenBytes(record(32767, "", "", ""));
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), -32768);
}

TEST_F(CounterFile, AFileThatCannotBeReadIsNamedAndNeverWrittenOver)
{
    auto errore = [](const std::function<void()>& op) {
        try {
            op();
        } catch (const LavError& e) {
            return e.message();
        }
        return QString();
    };
    for (const QByteArray& guasto : {record(150, "01", "02", "28").left(7), QByteArray()}) {
        givenBytes(guasto);
        const QString m = errore([&] { counter.ProssimoNumeroFattura(false); });
        EXPECT_TRUE(m.contains(QDir::toNativeSeparators(path)) && m.contains(QString("contiene %1 byte").arg(guasto.size())))
            << m.toStdString();
        EXPECT_NE(errore([&] { counter.ProssimoNumeroFattura(true); }), "");
        EXPECT_NE(errore([&] { counter.ImpostaUltimoNumero(0); }), "");
        EXPECT_NE(errore([&] { counter.LeggiMese(); }), "");
        EXPECT_NE(errore([&] { counter.SalvaPeriodo("1", "2", "3"); }), "");
        EXPECT_EQ(bytes(), guasto);
    }

    // A folder in its place is not a counter either.
    QFile::remove(path);
    QDir().mkdir(path);
    EXPECT_TRUE(errore([&] { counter.ImpostaUltimoNumero(3); }).contains("non è un file ordinario"));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(CounterFile, LastNumberIsWrittenWithTheTextsOfTheLastRead)
{
    givenBytes(record(7, "15", "06", "30"));
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), 8);   // as the parameters screen opens

    ContatoreFatture(path).SalvaPeriodo("20", "09", "30");   // someone else stores a period
    counter.ImpostaUltimoNumero(42);
    EXPECT_EQ(bytes(), record(42, "15", "06", "30"));
}

TEST_F(CounterFile, LastNumberCreatesAMissingFile)
{
    counter.ImpostaUltimoNumero(12);
    EXPECT_EQ(bytes(), record(12, "", "", ""));
    EXPECT_EQ(counter.ProssimoNumeroFattura(false), 13);
}

TEST_F(CounterFile, MissingFolderIsAnErrorAndCreatesNothing)
{
    counter.setPath(dir.filePath(QStringLiteral("2031/fatture.dat")));
    EXPECT_EQ(ioCode([&] { counter.ProssimoNumeroFattura(true); }), 3);
    EXPECT_EQ(ioCode([&] { counter.ImpostaUltimoNumero(1); }), 3);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("2031"))).exists());
}
