#pragma once
#include "QtPrompts.h"
#include <memory>

class TFrmProgBar;
class TFrmRestruct;

// The program's prompts: real dialogs, and the progress and restructure windows for the long
// operations of the data module. Both windows are created on first use and kept.
class ShellPrompts : public QtPrompts
{
public:
    ShellPrompts();
    ~ShellPrompts() override;

    void progressStart(int maximum) override;
    void progressStep() override;
    void progressEnd() override;
    void restructStart() override;
    void restructFile(const QString& name) override;
    void restructEnd() override;

    TFrmProgBar& FrmProgBar();
    TFrmRestruct& FrmRestruct();

private:
    std::unique_ptr<TFrmProgBar> frmProgBar;
    std::unique_ptr<TFrmRestruct> frmRestruct;
};
