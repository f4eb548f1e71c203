// The computer's table: fights run headless between the levels and against scripted players,
// and the life difference each ends with, printed as a Markdown table.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "computer/visible_fight_of.h"
#include "rules/step.h"
#include "tools/computer_table/contender.h"

struct FightEnd {
    int lifeDifference;  // the first contender's life minus the second's
    double contenderSeconds;
    double updateSeconds;
};

static double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

static bool oneKeyAtMost(const ComputerAction& keys) {
    return keys.left + keys.right + (keys.sign != NO_SIGN ? 1 : 0) <= 1;
}

// One fight of `frames` frames; `first` plays player 1 when firstIsPlayer1, else player 2.
// A player's walking and sign inputs of the frame set to the computer's keys.
static void giveKeys(FrameInputs& inputs, int player, const ComputerAction& keys) {
    (player == 1 ? inputs.left1 : inputs.left2) = keys.left;
    (player == 1 ? inputs.right1 : inputs.right2) = keys.right;
    (player == 1 ? inputs.sign1 : inputs.sign2) = keys.sign;
}

static FightEnd fight(ContenderKind first, ContenderKind second, bool firstIsPlayer1,
                      uint32_t seed, int frames) {
    Fight world = startingFight();
    Contender one(first, firstIsPlayer1 ? 1 : 2, seed);
    Contender two(second, firstIsPlayer1 ? 2 : 1, seed * 7919u + 13u);
    Contender& player1 = firstIsPlayer1 ? one : two;
    Contender& player2 = firstIsPlayer1 ? two : one;
    FightEnd end{0, 0, 0};
    for (int f = 0; f < frames; f++) {
        auto start = std::chrono::steady_clock::now();
        VisibleFight screen = visibleFightOf(world);
        ComputerAction keys1 = player1.play(screen);
        ComputerAction keys2 = player2.play(screen);
        end.contenderSeconds += secondsSince(start);
        if (!oneKeyAtMost(keys1) || !oneKeyAtMost(keys2)) {
            std::fprintf(stderr, "computer_table: more than one key in a frame\n");
            std::exit(1);
        }
        FrameInputs inputs;
        giveKeys(inputs, 1, keys1);
        giveKeys(inputs, 2, keys2);
        start = std::chrono::steady_clock::now();
        stepFight(world, inputs);
        end.updateSeconds += secondsSince(start);
    }
    int difference = world.life1 - world.life2;
    end.lifeDifference = firstIsPlayer1 ? difference : -difference;
    return end;
}

static void usage() {
    std::fprintf(stderr, "Usage: computer_table [--frames N] [--fights N]\n");
    std::exit(2);
}

static int positiveNumber(const char* text) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value <= 0 || value > 10000000) {
        usage();
    }
    return (int)value;
}

int main(int argc, char** argv) {
    int frames = 3600;
    int fights = 10;
    for (int i = 1; i < argc; i++) {
        std::string option = argv[i];
        if (i + 1 >= argc) {
            usage();
        }
        if (option == "--frames") {
            frames = positiveNumber(argv[++i]);
        } else if (option == "--fights") {
            fights = positiveNumber(argv[++i]);
        } else {
            usage();
        }
    }
    const std::vector<ContenderKind> rows = {COMPUTER_HARD, COMPUTER_NORMAL, COMPUTER_EASY};
    const std::vector<ContenderKind> columns = {COMPUTER_HARD, COMPUTER_NORMAL, COMPUTER_EASY,
                                                RANDOM_MASHER, STRIKER, SAME_SIGN};
    std::printf("Life difference (row minus column) after %d frames, mean of %d fights, half of "
                "them on each side; in brackets the fights the row won, drew and lost.\n\n",
                frames, fights);
    std::printf("| |");
    for (ContenderKind column : columns) {
        std::printf(" %s |", contenderName(column).c_str());
    }
    std::printf("\n|---|");
    for (size_t c = 0; c < columns.size(); c++) {
        std::printf("---|");
    }
    std::printf("\n");
    double contenderSeconds = 0, updateSeconds = 0;
    long frameCount = 0;
    for (ContenderKind row : rows) {
        std::printf("| **%s** |", contenderName(row).c_str());
        for (ContenderKind column : columns) {
            long total = 0;
            int won = 0, drawn = 0, lost = 0;
            for (int n = 0; n < fights; n++) {
                FightEnd end = fight(row, column, n % 2 == 0, 1000u + (uint32_t)n, frames);
                total += end.lifeDifference;
                won += end.lifeDifference > 0;
                drawn += end.lifeDifference == 0;
                lost += end.lifeDifference < 0;
                contenderSeconds += end.contenderSeconds;
                updateSeconds += end.updateSeconds;
                frameCount += frames;
            }
            std::printf(" %+.0f (%d/%d/%d) |", (double)total / fights, won, drawn, lost);
        }
        std::printf("\n");
    }
    std::printf("\nPer frame: both players' choices (screen taken, computer or script) %.2f us, "
                "stepFight %.2f us.\n",
                contenderSeconds / frameCount * 1e6, updateSeconds / frameCount * 1e6);
    return 0;
}
