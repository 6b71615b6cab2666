#include "PromptsConsole.h"

Answer PromptsConsole::message(MsgType, const QString& text, Buttons buttons)
{
    err << text << '\n';
    err.flush();
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::No;
}
