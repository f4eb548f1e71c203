// The screen as a player sees it, taken from the fight for the computer opponent.
#include "shell/visible_fight_of.h"

static VisibleRobot robotOf(const World& world, int player) {
    VisibleRobot robot;
    robot.pos = player == 1 ? world.pos1 : world.pos2;
    robot.state = world.game.getPstate(player);
    robot.move = world.game.getPmove(player);
    robot.clock = player == 1 ? world.clock1 : world.clock2;
    robot.life = player == 1 ? world.life1.load() : world.life2.load();
    RecordList tower = world.moves.getTower(player == 1 ? TOWER_SIGNS1 : TOWER_SIGNS2);
    if (!tower.empty()) {
        // A stage ages by one each update; a sign's icon sits in slot signSlot(sign).
        robot.shownSign = (int)tower.back()[STAGE_SLOT] - signSlot(NO_SIGN);
        robot.shownSignAge = (int)tower.back()[STAGE_AGE];
    }
    return robot;
}

VisibleFight visibleFightOf(const World& world) {
    VisibleFight fight;
    fight.robots[0] = robotOf(world, 1);
    fight.robots[1] = robotOf(world, 2);
    fight.duelUnderWay = world.game.getGameState() == DUEL_UNDER_WAY;
    RecordList centre = world.moves.getTower(TOWER_ANNOUNCEMENTS);
    if (!centre.empty()) {
        // Announcements do not age; they fade from full opacity in the update after they rise.
        fight.announcement = (int)centre.back()[STAGE_SLOT];
        fight.announcementNew = centre.back()[STAGE_OPACITY] == 1.0f;
    }
    return fight;
}
