#include "ScriptedPrompts.h"

Answer ScriptedPrompts::message(MsgType type, const QString& text, Buttons buttons)
{
    record.append({Prompt::Kind::Message, type, buttons, text});
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
}

std::optional<QString> ScriptedPrompts::input(const QString& title, const QString& prompt,
                                              const QString&)
{
    record.append({Prompt::Kind::Input, MsgType::Information, Buttons::OkCancel, title + '|' + prompt});
    if (inputs.empty())
        return std::nullopt;
    const auto [ok, text] = inputs.front();
    inputs.pop_front();
    if (!ok)
        return std::nullopt;
    return text;
}

QString ScriptedPrompts::openFile(const QString& title, const QString& folder, const QString&)
{
    record.append({Prompt::Kind::OpenFile, MsgType::Information, Buttons::OkCancel, title, folder});
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedPrompts::saveFile(const QString& title, const QString& folder, const QString&)
{
    record.append({Prompt::Kind::SaveFile, MsgType::Information, Buttons::OkCancel, title, folder});
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

std::optional<QString> ScriptedPrompts::dataSospeso()
{
    const RispostaDataSospeso r = dataSospesoTesto();
    if (!r.ok)
        return std::nullopt;
    return r.testo;
}

RispostaDataSospeso ScriptedPrompts::dataSospesoTesto()
{
    record.append({Prompt::Kind::DataSospeso, MsgType::Information, Buttons::OkCancel, "Data operazione"});
    if (dates.empty())
        return {false, QStringLiteral("  /  /    ")};
    const auto [ok, text] = dates.front();
    dates.pop_front();
    return {ok, text.isEmpty() && !ok ? QStringLiteral("  /  /    ") : text};
}

bool ScriptedPrompts::printSetup(QPrinter& printer)
{
    record.append({Prompt::Kind::PrintSetup, MsgType::Information, Buttons::OkCancel, "Stampa"});
    if (prints.empty())
        return true;
    auto [ok, choose] = prints.front();
    prints.pop_front();
    if (ok && choose)
        choose(printer);
    return ok;
}
