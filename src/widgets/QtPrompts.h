#pragma once
#include "Prompts.h"
#include <QString>
#include <memory>

class TFrmDataSospeso;

// The title of the program: the caption of the main window and of every message box.
inline const QString TitoloApplicazione = QStringLiteral("Lavanderia Mr. ZANFO");

// Prompts shown with real dialogs, modal over the window the user is working in.
class QtPrompts : public Prompts
{
public:
    QtPrompts();
    ~QtPrompts() override;

    Answer message(MsgType type, const QString& text, Buttons buttons) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& initial) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QString> dataSospeso() override;
    RispostaDataSospeso dataSospesoTesto() override;
    bool printSetup(QPrinter& printer) override;
    void setBusy(bool on) override;

private:
    std::unique_ptr<TFrmDataSospeso> frmDataSospeso;   // created on first use, then kept
    int busyDepth = 0;
};
