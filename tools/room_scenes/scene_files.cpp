// Writing frames, truth and frame counts in the plain formats the measuring script reads.
#include "scene_files.h"

bool writePpm(const std::string& path, const cv::Mat3b& rgb) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", rgb.cols, rgb.rows);
    bool ok = true;
    for (int y = 0; y < rgb.rows && ok; ++y) {
        ok = std::fwrite(rgb.ptr(y), 3, rgb.cols, file) == (size_t)rgb.cols;
    }
    return std::fclose(file) == 0 && ok;
}

bool writeSceneFile(const std::string& path, const char* condition, const SceneScript& script) {
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        return false;
    }
    std::fprintf(file, "# frames in order: the empty room, the players standing with hands down, play, the room empty again\n");
    std::fprintf(file, "condition %s\nempty %d\nstand %d\nplay %d\ngone %d\n", condition, script.emptyFrames,
                 script.standFrames, script.playFrames, script.goneFrames);
    return std::fclose(file) == 0;
}

FILE* openTruth(const std::string& path) {
    FILE* truth = std::fopen(path.c_str(), "w");
    if (truth) {
        std::fprintf(truth, "# frame player present x y sign: frame from 0, player 1 or 2, present 1 when the hand is "
                            "raised and seen, x within the player's half (0-159), y the image row, sign 1 rock 2 paper "
                            "3 scissors (0 none)\n");
    }
    return truth;
}

void writeTruth(FILE* truth, int frame, int playerIndex, const HandTruth& hand, int sign) {
    if (hand.visible) {
        std::fprintf(truth, "%d %d 1 %.1f %.1f %d\n", frame, playerIndex + 1,
                     hand.centre.x - halfStart(playerIndex), hand.centre.y, sign);
    } else {
        std::fprintf(truth, "%d %d 0 0 0 0\n", frame, playerIndex + 1);
    }
}
