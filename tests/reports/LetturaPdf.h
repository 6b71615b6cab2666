#pragma once
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// Reads back written PDF files with the poppler tools.
namespace LetturaPdf {

inline QString esegui(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of the pages (all, or from `prima` to `ultima`), pages separated by form feeds.
inline QString testo(const QString& file, int prima = 0, int ultima = 0)
{
    QStringList arg{QStringLiteral("-layout")};
    if (prima > 0)
        arg << QStringLiteral("-f") << QString::number(prima) << QStringLiteral("-l") << QString::number(ultima);
    return esegui(QStringLiteral("pdftotext"), arg << file << QStringLiteral("-"));
}

// A line of pdfinfo's report: "Pages", "Page size", "Title"...
inline QString info(const QString& file, const QString& voce)
{
    const QString out = esegui(QStringLiteral("pdfinfo"), {file});
    const auto m = QRegularExpression(QStringLiteral("^%1:\\s*(.*)$").arg(QRegularExpression::escape(voce)),
                                      QRegularExpression::MultilineOption)
                       .match(out);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

inline int pagine(const QString& file)
{
    return info(file, QStringLiteral("Pages")).toInt();
}

} // namespace LetturaPdf
