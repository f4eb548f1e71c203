// Comparing two views of the fight, field by field.
#include "computer/visible_fight.h"

static bool sameRobot(const VisibleRobot& a, const VisibleRobot& b) {
    return a.pos == b.pos && a.state == b.state && a.move == b.move && a.clock == b.clock &&
           a.life == b.life && a.shownSign == b.shownSign && a.shownSignAge == b.shownSignAge;
}

bool operator==(const VisibleFight& a, const VisibleFight& b) {
    return sameRobot(a.robots[0], b.robots[0]) && sameRobot(a.robots[1], b.robots[1]) &&
           a.duelUnderWay == b.duelUnderWay && a.announcement == b.announcement &&
           a.announcementNew == b.announcementNew;
}
