#include "DbAction.h"

FiltroTemporaneo::FiltroTemporaneo(Prompts& p, Dataset& d, const QString& campo)
    : prompts(p), ds(d), campoChiave(campo), chiave(campo.isEmpty() ? QVariant() : d[campo].value())
{}

void FiltroTemporaneo::applica(const QString& filtro)
{
    ds.setFilter(filtro);
    ds.setFiltered(true);
}

FiltroTemporaneo::~FiltroTemporaneo()
{
    runDbAction(prompts, [this] {
        ds.setFiltered(false);
        ds.setFilter({});
        if (!campoChiave.isEmpty())
            ds.locate(campoChiave, {chiave});
    });
}

bool datasetModifiable(const Dataset* ds)
{
    return ds && ds->canEdit();
}

void postAndMoveTo(Dataset& ds, int target)
{
    const DatasetState st = ds.state();
    if (st == DatasetState::Edit || st == DatasetState::Insert) {
        const int before = ds.currentRow();
        const int count = ds.recordCount();
        ds.post();
        const int now = ds.currentRow();
        if (st == DatasetState::Insert && ds.recordCount() == count + 1) {
            if (now <= target)
                ++target;
        } else if (st == DatasetState::Edit && ds.recordCount() == count) {
            if (target > before)
                --target;
            if (now <= target)
                ++target;
        } else {
            return;
        }
    }
    if (target >= 0)
        ds.setRecNo(target + 1);
}
