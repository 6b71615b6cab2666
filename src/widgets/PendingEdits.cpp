#include "PendingEdits.h"
#include "DataSource.h"
#include "Dataset.h"
#include "Errors.h"
#include <vector>

namespace {

struct Entry
{
    QObject* control;
    QPointer<QObject> alive;
    QPointer<DataSource> source;
    std::function<bool()> write;
};

std::vector<Entry>& entries()
{
    static std::vector<Entry> list;
    return list;
}

} // namespace

void PendingEdits::add(QObject* control, DataSource* source, std::function<bool()> write)
{
    entries().push_back({control, control, source, std::move(write)});
    QObject::connect(control, &QObject::destroyed, [control] {
        std::erase_if(entries(), [control](const Entry& e) { return e.control == control; });
    });
}

bool PendingEdits::writeAll(const Dataset* ds)
{
    if (!ds)
        return true;
    // Copied: a write may show a message box, whose events can create or destroy controls.
    const std::vector<Entry> now = entries();
    for (const Entry& e : now)
        if (e.alive && e.source && e.source->dataset() == ds && !e.write())
            return false;
    return true;
}

void PendingEdits::writeAndPost(Dataset& ds)
{
    if (!writeAll(&ds))
        throw Abort{};
    ds.checkBrowseMode();
}
