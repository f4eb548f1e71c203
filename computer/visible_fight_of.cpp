// The screen as a player sees it, taken from the fight for the computer opponent.
#include "computer/visible_fight_of.h"

static VisibleRobot robotOf(const Fight& fight, int player) {
    VisibleRobot robot;
    robot.pos = player == 1 ? fight.pos1 : fight.pos2;
    robot.state = fight.game.getPstate(player);
    robot.move = fight.game.getPmove(player);
    robot.clock = player == 1 ? fight.clock1 : fight.clock2;
    robot.life = player == 1 ? fight.life1 : fight.life2;
    const Tower& tower = towerOf(fight.towers, player == 1 ? TOWER_SIGNS1 : TOWER_SIGNS2);
    if (!tower.empty()) {
        // A stage ages by one each update; a sign's icon sits in slot signSlot(sign).
        robot.shownSign = tower.newest().slot - signSlot(NO_SIGN);
        robot.shownSignAge = tower.newest().age;
    }
    return robot;
}

VisibleFight visibleFightOf(const Fight& fight) {
    VisibleFight screen;
    screen.robots[0] = robotOf(fight, 1);
    screen.robots[1] = robotOf(fight, 2);
    screen.duelUnderWay = fight.game.getGameState() == DUEL_UNDER_WAY;
    const Tower& centre = towerOf(fight.towers, TOWER_ANNOUNCEMENTS);
    if (!centre.empty()) {
        // Announcements do not age; they fade from full opacity in the update after they rise.
        screen.announcement = centre.newest().slot;
        screen.announcementNew = centre.newest().opacity == 1.0f;
    }
    return screen;
}
