#pragma once
#include <QString>
#include <QStringList>

struct _xmlDoc;

// The checks of the exchange system (SdI) that a file valid against the schema may still fail
// and that concern what this program writes: VAT rate and nature of lines and summaries
// (00400, 00401, 00429, 00430), the customer's tax identifiers (00417), summaries matching the
// lines (00419, 00443, 00444), tax and taxable amounts (00421, 00422), line totals (00423), the
// document number (00425), the recipient code (00427) and the transmission format (00428).
// Each failure is one Italian sentence that begins with its code; none means the file passes.
QStringList ControlliSdI(_xmlDoc* doc);
