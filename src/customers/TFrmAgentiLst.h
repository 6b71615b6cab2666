#pragma once
#include "FinestraRicerca.h"

class TDataModule1;

// "Archivio agenti": the search window beside the agents screen. Typing a name moves the agent
// table to the first agent whose name sorts at or after the text, ignoring letter case.
class TFrmAgentiLst : public FinestraRicerca
{
    Q_OBJECT
public:
    explicit TFrmAgentiLst(TDataModule1& dm, QWidget* parent = nullptr);
};
