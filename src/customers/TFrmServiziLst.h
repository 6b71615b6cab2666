#pragma once
#include "FinestraRicerca.h"

class TDataModule1;

// "Elenco giacenze": the search window of the articles screen, centred on the screen. Typing a
// description moves the article table to the first article that sorts at or after the text,
// ignoring letter case.
class TFrmServiziLst : public FinestraRicerca
{
    Q_OBJECT
public:
    explicit TFrmServiziLst(TDataModule1& dm, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;
};
