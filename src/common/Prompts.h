#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;

// Everything the program asks or tells the user goes through Prompts: the desktop program
// shows real dialogs, the tests answer from a script and read back what was shown.
enum class MsgType { Information, Warning, Error, Confirmation };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// The pending-delivery date dialog's answer: whether it was closed with OK, and the text in its
// date field ("  /  /    " when blank), which counts also when it was closed without OK.
struct RispostaDataSospeso
{
    bool ok = false;
    QString testo;
};

class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual Answer message(MsgType type, const QString& text, Buttons buttons) = 0;
    // Input box: nullopt when the user cancels.
    virtual std::optional<QString> input(const QString& title, const QString& prompt,
                                         const QString& initial) = 0;
    // File dialogs: an empty text when the user cancels. Filter as "XML (*.xml)".
    virtual QString openFile(const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString saveFile(const QString& title, const QString& folder, const QString& filter) = 0;
    // Pending-delivery date dialog: the text typed ("  /  /    " when blank) after OK,
    // nullopt when closed without OK. The dialog itself refuses a malformed date.
    virtual std::optional<QString> dataSospeso() = 0;
    // The same dialog with the text typed also when it was closed without OK. Prompts that
    // cannot tell what was typed answer from dataSospeso.
    virtual RispostaDataSospeso dataSospesoTesto()
    {
        const std::optional<QString> r = dataSospeso();
        return {r.has_value(), r.value_or(QStringLiteral("  /  /    "))};
    }
    // Print dialog over the printer: the user picks the printer, the copies and the pages;
    // false when cancelled. Without a dialog the printer is used as it is.
    virtual bool printSetup(QPrinter& printer) { return true; }

    // Feedback during long operations: hourglass, the progress window and the restructure
    // window of the start-up upgrade. The defaults do nothing.
    virtual void setBusy(bool on) {}
    virtual void progressStart(int maximum) {}
    virtual void progressStep() {}
    virtual void progressEnd() {}
    virtual void restructStart() {}
    virtual void restructFile(const QString& name) {}
    virtual void restructEnd() {}

    // Shorthands for the usual boxes.
    void information(const QString& text) { message(MsgType::Information, text, Buttons::Ok); }
    void warning(const QString& text) { message(MsgType::Warning, text, Buttons::Ok); }
    void error(const QString& text) { message(MsgType::Error, text, Buttons::Ok); }
    // The application's standard error box for errors that no rule handles.
    void standardError(const QString& text) { error(text); }
    // OK/Cancel confirmation: true only for OK.
    bool confirmOk(const QString& text)
    {
        return message(MsgType::Confirmation, text, Buttons::OkCancel) == Answer::Ok;
    }
    // Yes/No question: true only for Yes.
    bool askYes(const QString& text, MsgType type = MsgType::Confirmation)
    {
        return message(type, text, Buttons::YesNo) == Answer::Yes;
    }
};

// Shows the hourglass for the lifetime of the guard.
class BusyScope
{
public:
    explicit BusyScope(Prompts& p) : prompts(p) { prompts.setBusy(true); }
    ~BusyScope() { prompts.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Prompts& prompts;
};
