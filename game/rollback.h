// A rollback's frames shown in the world, as if they had been played one by one: the fight itself
// runs on the rules alone (rules/rollback_fight.h).
#ifndef VANTORIX_ROLLBACK_H
#define VANTORIX_ROLLBACK_H

#include "rules/rollback_fight.h"

class World;

// The world shows the fight now, and each frame run: sparks a frame threw before are not thrown
// again, and the strikes of the last frame run are left in world.strikeSounds.
void showRollbackRun(World& world, const Fight& now, const RollbackRun& run);

#endif
