#pragma once
#include "Prompts.h"
#include <QStringList>

// The prompts of lavanderia-cli: nobody is there to answer, so every message is kept to be
// printed on the error output, a question gets No (nothing is created or confirmed behind the
// user's back), and input, file and date boxes are cancelled.
class PromptsCli : public Prompts
{
public:
    Answer message(MsgType type, const QString& text, Buttons buttons) override;
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> dataSospeso() override { return std::nullopt; }

    // The messages shown so far, oldest first; taken clears them.
    QStringList prendiMessaggi();

private:
    QStringList messaggi;
};
