#pragma once
#include <QDialog>
#include <functional>

// Shows a window's own dialog modally and gives its result. Tests set `esecutore` to drive the
// dialog shown without a nested event loop: it clicks the dialog's buttons (which accept or
// reject it) and gives back the result.
namespace Modale {

inline std::function<int(QDialog&)> esecutore;

inline int esegui(QDialog& d)
{
    if (!esecutore)
        return d.exec();
    d.setResult(QDialog::Rejected);
    d.show();
    const int esito = esecutore(d);
    d.hide();
    return esito;
}

} // namespace Modale
