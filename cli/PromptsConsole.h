#pragma once
#include "Prompts.h"
#include <QTextStream>

// The prompts of a run without a display: messages go to the error stream, questions are
// answered no (nothing is done that was not asked on the command line), boxes are cancelled.
class PromptsConsole : public Prompts
{
public:
    explicit PromptsConsole(QTextStream& err) : err(err) {}

    Answer message(MsgType type, const QString& text, Buttons buttons) override;
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> dataSospeso() override { return std::nullopt; }

    // How many error messages were shown: a job that stopped on one ends with a failure.
    int errori = 0;

private:
    QTextStream& err;
};
