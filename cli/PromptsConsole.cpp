#include "PromptsConsole.h"

Answer PromptsConsole::message(MsgType type, const QString& text, Buttons buttons)
{
    if (type == MsgType::Error)
        ++errori;
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
