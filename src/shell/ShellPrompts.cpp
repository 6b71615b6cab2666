#include "ShellPrompts.h"
#include "BusyCursor.h"
#include "TFrmProgBar.h"
#include "TFrmRestruct.h"

ShellPrompts::ShellPrompts() = default;
ShellPrompts::~ShellPrompts() = default;

TFrmProgBar& ShellPrompts::FrmProgBar()
{
    if (!frmProgBar) {
        BusyCursor attesa;
        frmProgBar = std::make_unique<TFrmProgBar>();
    }
    return *frmProgBar;
}

TFrmRestruct& ShellPrompts::FrmRestruct()
{
    if (!frmRestruct) {
        BusyCursor attesa;
        frmRestruct = std::make_unique<TFrmRestruct>();
    }
    return *frmRestruct;
}

void ShellPrompts::progressStart(int maximum)
{
    FrmProgBar().avvia(maximum);
}

void ShellPrompts::progressStep()
{
    FrmProgBar().passo();
}

void ShellPrompts::progressEnd()
{
    FrmProgBar().termina();
}

void ShellPrompts::restructStart()
{
    FrmRestruct().show();
}

void ShellPrompts::restructFile(const QString& name)
{
    FrmRestruct().mostraFile(name);
}

void ShellPrompts::restructEnd()
{
    FrmRestruct().close();
}
