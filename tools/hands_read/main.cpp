// hands_read: both players' hands read from frames on disk, one line per frame and player.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "hand_ways.h"
#include "webcam/landmark_model.h"
#include "ppm_frame.h"

static const int BAD_INPUT = 2;
static const char* const USAGE =
    "usage: hands_read --hands design|room [--empty N] [--stand M] [--model FILE | --no-learned]\n"
    "                  [--second-model FILE | --one-model] FRAME...\n"
    "  FRAME: 320 x 240 binary PPM (P6, maxval 255) in the camera's orientation; the first N are\n"
    "  learnt as the empty room (at least one), the next M as the players standing hands down\n"
    "  (room way).\n"
    "  The room way reads signs with the hand landmark model FILE (hand_landmark.onnx in the working\n"
    "  folder unless told), or from the hand's outline with --no-learned or when the model cannot be read.\n"
    "  Where that model is unsure, the second model FILE is asked too (hand_landmark_full.onnx in the\n"
    "  working folder unless told), as the game does; --one-model leaves it out.\n"
    "  Prints FRAME PLAYER FOUND X Y SIGN STEP for each frame and player. Exit status 2 on bad\n"
    "  options or frames.\n";

struct Options {
    std::string way;
    int empty = 0;
    int stand = 0;
    std::string model = DEFAULT_HAND_MODEL;
    std::string secondModel = DEFAULT_SECOND_HAND_MODEL;
    std::vector<std::string> frames;
};

static int refuse(const std::string& why) {
    std::fprintf(stderr, "hands_read: %s\n%s", why.c_str(), USAGE);
    return BAD_INPUT;
}

static bool count(const char* text, int& value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 1000000) {
        return false;
    }
    value = (int)parsed;
    return true;
}

// Empty when the options are good, else what is wrong with them.
static std::string parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--hands" && hasValue) {
            options.way = argv[++i];
        } else if ((arg == "--empty" || arg == "--stand") && hasValue) {
            if (!count(argv[++i], arg == "--empty" ? options.empty : options.stand)) {
                return arg + " takes a count of frames, not " + argv[i];
            }
        } else if (arg == "--model" && hasValue) {
            options.model = argv[++i];
        } else if (arg == "--no-learned") {
            options.model.clear();
        } else if (arg == "--second-model" && hasValue) {
            options.secondModel = argv[++i];
        } else if (arg == "--one-model") {
            options.secondModel.clear();
        } else if (arg.size() > 1 && arg[0] == '-') {
            return hasValue || arg.rfind("--", 0) != 0 ? "unknown option " + arg : arg + " needs a value";
        } else {
            options.frames.push_back(arg);
        }
    }
    if (options.way != "design" && options.way != "room") {
        return options.way.empty() ? "--hands design or --hands room is needed" : "no way of finding hands named " + options.way;
    }
    if (options.frames.empty()) {
        return "no frame given";
    }
    // Without the empty room every skin-coloured thing in the picture would pass for a hand.
    return options.way == "room" && options.empty == 0 ? "the room way learns the empty room first: give --empty N" : "";
}

// The game's walking rule on a barycentre: -1 left, 0 none, 1 right.
static int step(int baryX) {
    int offset = baryX - 80;
    if (offset > -15 && offset < 15) {
        return 0;
    }
    return offset >= 15 ? -1 : 1;
}

static void printHand(size_t frame, int player, const PlayerHand& hand, bool designWay) {
    bool walks = designWay || hand.found;
    std::printf("%zu %d %d %d %d %d %d\n", frame, player, hand.found ? 1 : 0, hand.baryX, hand.baryY, hand.sign,
                walks ? step(hand.baryX) : 0);
}

int main(int argc, char** argv) {
    Options options;
    std::string wrong = parse(argc, argv, options);
    if (!wrong.empty()) {
        return refuse(wrong);
    }
    std::vector<std::vector<unsigned char>> frames(options.frames.size());
    std::vector<FrameRole> roles;
    for (size_t i = 0; i < frames.size(); ++i) {
        std::string why;
        if (!readPpmFrame(options.frames[i], frames[i], why)) {
            std::fprintf(stderr, "hands_read: %s %s\n", options.frames[i].c_str(), why.c_str());
            return BAD_INPUT;
        }
        int n = (int)i;
        roles.push_back(n < options.empty ? EMPTY_FRAME : n < options.empty + options.stand ? STAND_FRAME : PLAY_FRAME);
    }
    bool designWay = options.way == "design";
    std::vector<HandReading> readings =
        designWay ? readDesign(frames) : readRoom(frames, roles, options.model, options.secondModel);
    for (size_t i = 0; i < readings.size(); ++i) {
        printHand(i, 1, readings[i].player1, designWay);
        printHand(i, 2, readings[i].player2, designWay);
    }
    return 0;
}
