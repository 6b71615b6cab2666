#pragma once
#include <QByteArray>
#include <QString>

// Showing an electronic invoice: its XML through the published FatturaPA style sheet, turned
// into an HTML page that any browser opens (browsers no longer apply a style sheet named
// inside a local XML file).

// The style sheet installed beside the program.
QString PercorsoFoglioDiStile(const QString& cartella = {});

// The HTML page of a document (the content of a signed file is used). Throws LavError with
// the reason when the file cannot be read, is not XML, or the style sheet fails.
QByteArray HtmlFatturaPA(const QString& percorsoXml, const QString& foglioDiStile);

// Writes the page beside the XML file ("IT…_00042.xml" gives "IT…_00042.html"), or in the
// temporary folder when that folder cannot be written; returns where it went.
QString ScriviHtmlFE(const QString& percorsoXml, const QString& foglioDiStile);

// The program that opens web pages on this desktop, from the freedesktop.org associations of
// HTML and http (mimeapps.list), else the system's web browser; empty when none is found.
QString CercaBrowserPredefinito();

// Opens the page in the browser given, or in the desktop's default one when none is given.
bool ApriNelBrowser(const QString& browser, const QString& pagina);
