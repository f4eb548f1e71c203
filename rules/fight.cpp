// The fight's starting values.
#include "rules/fight.h"

Fight startingFight() {
    Fight fight;
    fight.pos1 = -5.0f;
    fight.pos2 = 5.0f;
    fight.life1 = 100;
    fight.life2 = 100;
    fight.timer = 1000;
    fight.tickStep = 5;
    return fight;
}
