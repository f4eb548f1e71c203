// Advancing the world's fight one frame: what a rollback needs besides the fight value itself,
// which it saves and restores by copying, and the packed inputs of rules/frame_inputs.h.
#ifndef VANTORIX_ROLLBACK_H
#define VANTORIX_ROLLBACK_H

#include "game/frame_inputs.h"

class World;

// One frame of the rules with these inputs; the strikes it started are left in world.strikeSounds.
void advanceFight(World& world, const FrameInputs& inputs);

#endif
