#pragma once
#include "Errors.h"
#include <QString>

// One program at a time works on a working folder. The program and lavanderia-cli switch the
// lock on when they start; from then on the first archive opened in a working folder takes the
// folder's lock file (lavanderia.lck, holding the process, its program and the machine) for the
// rest of the run, and a second program is refused with a message that names them. A lock left
// by a program that ended without releasing it (a crash, a kill) is stale: its process no longer
// runs on this machine, and the lock is taken over. Tests leave the lock off, so that one test
// process may open the same folder twice, as no two programs may.
namespace BloccoCartella {

void attiva(bool acceso = true);
bool attivo();

// Takes the lock of a working folder for this process; nothing when already held. Throws
// CartellaInUso when another program holds it. A folder where no lock file can be written
// (read-only) is worked on without one: nothing can be changed there anyway.
void prendi(const QString& cartellaLavoro);
// Gives the lock back (the end of a run does it by itself).
void rilascia(const QString& cartellaLavoro);

} // namespace BloccoCartella

class CartellaInUso : public LavError
{
public:
    using LavError::LavError;
};
