#pragma once
#include "Dataset.h"
#include "Errors.h"
#include "Prompts.h"
#include <exception>

// Runs what the user asked of a dataset. Abort is a quiet cancel (the rule that refused has
// already spoken); any other failure stops the action and reaches the user in the standard
// error box. True when the action went through.
template <class F>
bool runDbAction(Prompts& prompts, F&& action)
{
    QString message;
    try {
        action();
        return true;
    } catch (const Abort&) {
        return false;
    } catch (const LavError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    }
    // Shown outside the handler, so that the box's own events do not run inside the catch.
    prompts.standardError(message);
    return false;
}

// A filter for the time of one job (a print of the current record, say): while the guard
// lives the dataset shows what `applica` lets through; then it shows every row again and,
// when a key field was named, goes back to the record that had that key. A failure of that
// restore reaches the user as runDbAction reports it.
class FiltroTemporaneo
{
public:
    FiltroTemporaneo(Prompts& prompts, Dataset& ds, const QString& campoChiave = {});
    ~FiltroTemporaneo();
    void applica(const QString& filtro);
    FiltroTemporaneo(const FiltroTemporaneo&) = delete;
    FiltroTemporaneo& operator=(const FiltroTemporaneo&) = delete;

private:
    Prompts& prompts;
    Dataset& ds;
    QString campoChiave;
    QVariant chiave;
};

// Whether the user may change the records of a dataset at all: an open table, or a query
// whose result is live.
bool datasetModifiable(const Dataset* ds);

// Moves to the record that stood in row target (from 0) of the dataset, posting first the
// record being edited or inserted: the posted record takes its place in the order and the
// others shift around it, so target follows them. When the post read the rows again the
// dataset stays on the posted record. A refused post leaves the dataset where it was.
void postAndMoveTo(Dataset& ds, int target);
