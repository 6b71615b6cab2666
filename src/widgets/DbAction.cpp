#include "DbAction.h"

bool datasetModifiable(const Dataset* ds)
{
    if (!ds || !ds->active())
        return false;
    if (auto* q = qobject_cast<const Query*>(ds))
        return q->live();
    return true;
}
