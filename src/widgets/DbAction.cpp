#include "DbAction.h"

bool datasetModifiable(const Dataset* ds)
{
    return ds && ds->canEdit();
}
