// The computer opponent's seat: it is shown the screen each frame and plays one player's keys.
#include "shell/computer_seat.h"

#include <memory>

#include "computer/visible_fight_of.h"

static std::unique_ptr<Computer> seated;

// A fixed seed: the same fight from the same keys of the human, for replays and bug reports.
static const uint32_t COMPUTER_SEED = 20240611u;

void seatComputer(int player, Level level) {
    seated.reset(new Computer(player, level, COMPUTER_SEED + (uint32_t)player));
}

void playComputerTurn(World& world) {
    if (seated) {
        giveComputerKeys(world, seated->player(), seated->play(visibleFightOf(world.fight)));
    }
}

void giveComputerKeys(World& world, int player, const ComputerAction& keys) {
    if (player == 1) {
        world.left1 = keys.left;
        world.right1 = keys.right;
        world.up1 = world.down1 = 0;
        world.sign1 = keys.sign;
    } else {
        world.left2 = keys.left;
        world.right2 = keys.right;
        world.up2 = world.down2 = 0;
        world.sign2 = keys.sign;
    }
}
