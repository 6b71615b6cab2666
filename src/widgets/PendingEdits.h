#pragma once
#include <QPointer>
#include <functional>

class Dataset;
class DataSource;

// Controls holding a change the user typed but that is not yet in its field. Before the
// navigator acts on a dataset (posting, moving) the changes are written, as leaving the
// control would write them.
class PendingEdits
{
public:
    // write returns false when the field refused the change (the user has been told). The entry
    // goes with the control.
    static void add(QObject* control, DataSource* source, std::function<bool()> write);
    // Writes the pending changes of every control on ds; false as soon as one is refused.
    static bool writeAll(const Dataset* ds);
    // Writes them and posts the record of ds being edited or inserted, as a window does before
    // it prints, counts or closes with a choice; a refused change throws Abort.
    static void writeAndPost(Dataset& ds);
};
