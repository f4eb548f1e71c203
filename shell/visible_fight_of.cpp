// The screen as a player sees it, taken from the fight for the computer opponent.
#include "shell/visible_fight_of.h"

static VisibleRobot robotOf(const World& world, int player) {
    VisibleRobot robot;
    robot.pos = player == 1 ? world.pos1 : world.pos2;
    robot.state = world.game.getPstate(player);
    robot.move = world.game.getPmove(player);
    robot.clock = player == 1 ? world.clock1 : world.clock2;
    robot.life = player == 1 ? world.life1.load() : world.life2.load();
    RecordList tower = world.moves.getTower(player);
    if (!tower.empty()) {
        // A sign's icon sits in texture slot sign + 1; a stage ages by one each update.
        robot.shownSign = (int)tower.back()[2] - 1;
        robot.shownSignAge = (int)tower.back()[0];
    }
    return robot;
}

VisibleFight visibleFightOf(const World& world) {
    VisibleFight fight;
    fight.robots[0] = robotOf(world, 1);
    fight.robots[1] = robotOf(world, 2);
    fight.duelUnderWay = world.game.getGameState() == DUEL_UNDER_WAY;
    RecordList centre = world.moves.getTower(5);
    if (!centre.empty()) {
        // Announcements do not age; they fade from full opacity in the update after they rise.
        fight.announcement = (int)centre.back()[2];
        fight.announcementNew = centre.back()[1] == 1.0f;
    }
    return fight;
}
