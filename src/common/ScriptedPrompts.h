#pragma once
#include "Prompts.h"
#include <QList>
#include <deque>
#include <functional>

// A shown prompt as the tests see it.
struct Prompt
{
    enum class Kind { Message, Input, OpenFile, SaveFile, DataSospeso, PrintSetup };
    Kind kind = Kind::Message;
    MsgType type = MsgType::Information;
    Buttons buttons = Buttons::Ok;
    QString text;
    // File dialogs: the folder or the file proposed.
    QString folder;

    static Prompt information(const QString& t) { return {Kind::Message, MsgType::Information, Buttons::Ok, t}; }
    static Prompt warning(const QString& t) { return {Kind::Message, MsgType::Warning, Buttons::Ok, t}; }
    static Prompt error(const QString& t) { return {Kind::Message, MsgType::Error, Buttons::Ok, t}; }
    static Prompt confirmation(const QString& t, Buttons b = Buttons::OkCancel)
    {
        return {Kind::Message, MsgType::Confirmation, b, t};
    }
    static Prompt question(MsgType type, const QString& t) { return {Kind::Message, type, Buttons::YesNo, t}; }

    bool operator==(const Prompt&) const = default;
};

// Answers prompts from a script, in order, and records every prompt shown. With the script
// empty, a message gets its first button (OK or Yes), an input or date box is cancelled and a
// file dialog is cancelled.
class ScriptedPrompts : public Prompts
{
public:
    Answer message(MsgType type, const QString& text, Buttons buttons) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& initial) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QString> dataSospeso() override;
    RispostaDataSospeso dataSospesoTesto() override;
    bool printSetup(QPrinter& printer) override;

    void setBusy(bool on) override { busyDepth += on ? 1 : -1; }
    void progressStart(int maximum) override { progressMax = maximum; progressPos = 0; }
    void progressStep() override { ++progressPos; }
    void restructFile(const QString& name) override { restructured.append(name); }

    // Script.
    void answer(Answer a) { answers.push_back(a); }
    void answerInput(std::optional<QString> text) { inputs.push_back({text.has_value(), text.value_or(QString())}); }
    void answerFile(const QString& path) { files.push_back(path); }
    void answerDate(std::optional<QString> text) { dates.push_back({text.has_value(), text.value_or(QString())}); }
    // The date dialog closed with "Chiudi" after the text was typed.
    void answerDateClosed(const QString& typed) { dates.push_back({false, typed}); }
    // The print dialog's answer; `choose` sets what the user picks (output file, copies,
    // pages). Unscripted, the dialog is confirmed with the printer as it is.
    void answerPrint(bool ok, std::function<void(QPrinter&)> choose = {})
    {
        prints.push_back({ok, std::move(choose)});
    }

    // Record.
    const QList<Prompt>& shown() const { return record; }
    Prompt last() const { return record.isEmpty() ? Prompt{} : record.last(); }
    void clear() { record.clear(); }

    int busyDepth = 0;
    int progressMax = 0;
    int progressPos = 0;
    QStringList restructured;

private:
    std::deque<Answer> answers;
    // Scripted answers of the input and date boxes: whether OK, and the text.
    std::deque<std::pair<bool, QString>> inputs;
    std::deque<QString> files;
    std::deque<std::pair<bool, QString>> dates;
    std::deque<std::pair<bool, std::function<void(QPrinter&)>>> prints;
    QList<Prompt> record;
};
