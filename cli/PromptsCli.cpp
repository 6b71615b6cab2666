#include "PromptsCli.h"

Answer PromptsCli::message(MsgType, const QString& text, Buttons buttons)
{
    messaggi << text;
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return Answer::Cancel;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::No;
    }
    return Answer::Cancel;
}

QStringList PromptsCli::prendiMessaggi()
{
    QStringList m;
    m.swap(messaggi);
    return m;
}
