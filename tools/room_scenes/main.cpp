// room_scenes: rooms with two players showing hand signs, rendered with the true hands, to measure hand finders on.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "camera.h"
#include "conditions.h"
#include "photo_hand.h"
#include "room.h"
#include "scene_files.h"
#include "script.h"

static const char* const USAGE =
    "usage: room_scenes --out DIR [--seed S] [--scenes-per-condition K] [--condition NAME] [--photo-hand PPM]\n"
    "                   [--drawn-hands] [--step PIXELS]\n"
    "  --photo-hand: also photo-hand-K scenes, daylight rooms whose open hands are that photograph\n"
    "  --drawn-hands: hands drawn flat, as the first rooms had them, instead of modelled\n"
    "  --step: in play each player steps this many pixels aside (0-60), over four frames\n"
    "  Exit status 2 on bad options or photograph, 1 when the files cannot be written.\n";

struct Options {
    std::string out;
    unsigned long seed = 1;
    int scenesPerCondition = 4;
    std::string onlyCondition;  // empty: every condition
    std::string photoHand;      // empty: no scenes with the photographed hand
    bool drawnHands = false;
    int step = 0;  // pixels each player steps aside in play
};

static bool parseNumber(const char* text, unsigned long& value) {
    char* end = nullptr;
    value = std::strtoul(text, &end, 10);
    return *text != '\0' && *text != '-' && *end == '\0';
}

// Exit status 2 with one line naming the bad option.
static Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--drawn-hands") {
            options.drawnHands = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "room_scenes: %s needs a value\n%s", option.c_str(), USAGE);
            std::exit(2);
        }
        const char* value = argv[++i];
        unsigned long number = 0;
        if (option == "--out") {
            options.out = value;
        } else if (option == "--seed" && parseNumber(value, number)) {
            options.seed = number;
        } else if (option == "--scenes-per-condition" && parseNumber(value, number) && number >= 1 && number <= 100) {
            options.scenesPerCondition = (int)number;
        } else if (option == "--step" && parseNumber(value, number) && number <= 60) {
            options.step = (int)number;
        } else if (option == "--photo-hand") {
            options.photoHand = value;
        } else if (option == "--condition" && conditionNamed(value)) {
            options.onlyCondition = value;
        } else {
            std::fprintf(stderr, "room_scenes: bad option or value: %s %s\n%s", option.c_str(), value, USAGE);
            std::exit(2);
        }
    }
    if (options.out.empty()) {
        std::fprintf(stderr, "room_scenes: --out DIR is needed\n%s", USAGE);
        std::exit(2);
    }
    return options;
}

static cv::Mat3f renderFrame(const Room& room, const SceneFrame& frame, const HandLook& look, HandTruth truth[2]) {
    cv::Mat3f picture = room.backdrop.clone();
    cv::Vec2f towardLight = cv::normalize(cv::Vec2f(room.lightSide, -0.6f));
    if (frame.passerbyIn) {
        drawBody(picture, room.roomLight, frame.passerby, HandPose(), towardLight);
    }
    truth[0] = truth[1] = HandTruth();
    if (!frame.playersIn) {
        return picture;
    }
    for (int p = 0; p < 2; ++p) {
        drawBody(picture, room.playerLight, frame.players[p], frame.hands[p], towardLight);
    }
    // Hands last: a hand near the middle is never hidden by the other player's shoulder.
    for (int p = 0; p < 2; ++p) {
        truth[p] = drawRaisedHand(picture, room.playerLight, frame.players[p], frame.hands[p], towardLight, look);
    }
    return picture;
}

// One kind of scene: its name in the files, its lighting, and how its hands are made.
struct SceneKind {
    const char* name;
    const Condition& condition;
    HandLook hands;
};

// False (after saying why) when a file cannot be written.
static bool writeScene(const std::string& folder, const SceneKind& kind, unsigned long long seed, int scene,
                       int step) {
    const Condition& condition = kind.condition;
    cv::RNG rng(seed);
    Room room = makeRoom(condition, rng);
    // The photographed hand is a light one: its players' arms and faces match it.
    const int skinTones[2] = {kind.hands.photo ? scene % 2 : scene % 6, kind.hands.photo ? 1 : (scene + 3 + (int)(seed % 2)) % 6};
    SceneScript script = writeScript(condition, rng, skinTones, (float)step);
    Camera camera = cameraFor(condition);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    FILE* truth = openTruth(folder + "/truth.txt");
    if (error || !truth || !writeSceneFile(folder + "/scene.txt", kind.name, script)) {
        std::fprintf(stderr, "room_scenes: cannot write into %s\n", folder.c_str());
        return false;
    }
    bool ok = true;
    for (int f = 0; f < (int)script.frames.size() && ok; ++f) {
        HandTruth hands[2];
        cv::Mat3f radiance = renderFrame(room, script.frames[f], kind.hands, hands);
        char name[32];
        std::snprintf(name, sizeof name, "/%04d.ppm", f);
        ok = writePpm(folder + name, takeFrame(camera, condition, radiance, rng));
        for (int p = 0; p < 2; ++p) {
            writeTruth(truth, f, p, hands[p], script.frames[f].hands[p].sign);
        }
    }
    if (std::fclose(truth) != 0 || !ok) {
        std::fprintf(stderr, "room_scenes: cannot write the frames of %s\n", folder.c_str());
        return false;
    }
    return true;
}

static bool writeScenes(const Options& options, const SceneKind& kind, unsigned long long kindIndex) {
    for (int k = 0; k < options.scenesPerCondition; ++k) {
        unsigned long long seed = options.seed * 1000003ULL + kindIndex * 1009ULL + k * 7919ULL + 1;
        std::string folder = options.out + "/" + kind.name + "-" + std::to_string(k);
        if (!writeScene(folder, kind, seed, k + (int)kindIndex, options.step)) {
            return false;
        }
    }
    return true;
}

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    PhotoHand photo;
    if (!options.photoHand.empty()) {
        std::string why = loadPhotoHand(options.photoHand, photo);
        if (!why.empty()) {
            std::fprintf(stderr, "room_scenes: %s %s\n", options.photoHand.c_str(), why.c_str());
            return 2;
        }
    }
    const std::vector<Condition>& all = conditions();
    for (size_t c = 0; c < all.size(); ++c) {
        bool wanted = options.onlyCondition.empty() || options.onlyCondition == all[c].name;
        if (wanted && !writeScenes(options, SceneKind{all[c].name, all[c], HandLook{options.drawnHands, nullptr}}, c)) {
            return 1;
        }
    }
    SceneKind photoScenes{"photo-hand", *conditionNamed("daylight"), HandLook{options.drawnHands, &photo}};
    if (!options.photoHand.empty() && !writeScenes(options, photoScenes, all.size())) {
        return 1;
    }
    return 0;
}
