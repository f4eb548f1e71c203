// The computer opponent's seat: it is shown the screen each frame and plays one player's keys.
#include "shell/computer_seat.h"

#include <memory>

#include "computer/visible_fight_of.h"

static std::unique_ptr<Computer> seated;
static Level seatedLevel = NORMAL;

// A fixed seed: the same fight from the same keys of the human, for replays and bug reports.
static const uint32_t COMPUTER_SEED = 20240611u;

void seatComputer(int player, Level level) {
    seatedLevel = level;
    seated.reset(new Computer(player, level, COMPUTER_SEED + (uint32_t)player));
}

int seatedComputerPlayer() { return seated ? seated->player() : 0; }

std::string seatedComputerLevelName() { return traitsOf(seatedLevel).name; }

void unseatComputer() { seated.reset(); }

FrameInputs playComputerTurn(const World& world, const FrameInputs& inputs) {
    FrameInputs played = inputs;
    if (seated) {
        giveComputerKeys(played, seated->player(), seated->play(visibleFightOf(world.fight)));
    }
    return played;
}

void giveComputerKeys(FrameInputs& inputs, int player, const ComputerAction& keys) {
    setPlayerMoves(inputs, player, keys.left, keys.right, keys.sign);
}
