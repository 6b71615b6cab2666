#pragma once
#include <QFont>

// The type of every printed document: Liberation Sans, built into the program and registered
// with Qt on first use. It has the widths of Arial, for which the documents were drawn, and it
// does not depend on the fonts of the machine, so a page breaks its lines alike everywhere.
inline constexpr char reportFontFamily[] = "Liberation Sans";

// The document type at a size in points. Registers the built-in files the first time.
QFont reportFont(qreal points, QFont::Weight weight = QFont::Normal);

// Registers the built-in font files with Qt (once; later calls do nothing). Returns false when
// a file could not be registered, which only a broken build can cause.
bool registerReportFonts();
