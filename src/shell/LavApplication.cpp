#include "LavApplication.h"
#include "Errors.h"
#include "Prompts.h"
#include <QDebug>

LavApplication::LavApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool LavApplication::notify(QObject* receiver, QEvent* e)
{
    QString testo;
    try {
        return QApplication::notify(receiver, e);
    } catch (const Abort&) {
        return false;
    } catch (const LavError& err) {
        testo = err.message();
    } catch (const std::exception& err) {
        testo = QString::fromLocal8Bit(err.what());
    }
    // Shown outside the handler, so that the box's own events do not run inside the catch.
    if (prompts)
        prompts->standardError(testo);
    else
        qCritical().noquote() << testo;
    return false;
}
