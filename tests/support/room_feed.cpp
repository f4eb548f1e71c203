// A synthetic room's frames (room_scenes' PPM files) shown one at a time to the game's camera.
#include "tests/support/room_feed.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

static const size_t FRAME_BYTES = 320 * 240 * 3;

SceneCounts readSceneCounts(const std::string& sceneFolder) {
    SceneCounts counts;
    std::ifstream file(sceneFolder + "/scene.txt");
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string name;
        int count = 0;
        words >> name >> count;
        counts.empty = name == "empty" ? count : counts.empty;
        counts.stand = name == "stand" ? count : counts.stand;
        counts.play = name == "play" ? count : counts.play;
        counts.gone = name == "gone" ? count : counts.gone;
    }
    return counts;
}

RoomFeed::RoomFeed(const std::string& sceneFolder, const std::string& liveFile, int picturesPerSecond)
    : scene(sceneFolder), live(liveFile), pictureMs(1000 / picturesPerSecond) {
    SceneCounts counts = readSceneCounts(scene);
    empty = counts.empty;
    stand = counts.stand;
    play = counts.play;
    // The parser stamps each frame's time, so the sink holds the file source to its pace; caps on
    // the source alone stamp nothing, and it would read the file as fast as a core allows beside
    // the game it feeds.
    pipeline = "multifilesrc location=" + live +
               " loop=true ! rawvideoparse format=rgb width=320 height=240 framerate=" +
               std::to_string(picturesPerSecond) + "/1";
    showEmptyRoom();
}

RoomFeed::~RoomFeed() { unlink(live.c_str()); }

void RoomFeed::showInTurn(int first, int count, int ms) {
    for (int shown = 0, i = 0; shown < ms; shown += pictureMs, ++i) {
        show(first + (count > 0 ? i % count : 0));
        std::this_thread::sleep_for(std::chrono::milliseconds(pictureMs));
    }
}

void RoomFeed::showNextSign() {
    show(empty + stand + next);
    next = (next + 1) % (play > 0 ? play : 1);
}

std::vector<SceneHand> readSceneTruth(const std::string& sceneFolder) {
    std::ifstream file(sceneFolder + "/truth.txt");
    std::vector<SceneHand> hands;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        SceneHand hand;
        if (words >> hand.frame >> hand.player >> hand.raised >> hand.x >> hand.y >> hand.sign) {
            hands.push_back(hand);
        }
    }
    return hands;
}

std::string sceneFrame(const std::string& sceneFolder, int frame) {
    char name[16];
    std::snprintf(name, sizeof name, "/%04d.ppm", frame);
    return sceneFolder + name;
}

// The pixels are the PPM file's last 320 x 240 x 3 bytes.
std::string sceneFramePixels(const std::string& sceneFolder, int frame) {
    std::ifstream in(sceneFrame(sceneFolder, frame), std::ios::binary);
    std::string ppm((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ppm.size() < FRAME_BYTES ? std::string() : ppm.substr(ppm.size() - FRAME_BYTES);
}

// Put in place whole by a rename.
bool RoomFeed::show(int frame) {
    std::string pixels = sceneFramePixels(scene, frame);
    if (pixels.empty()) {
        return false;
    }
    std::string next = live + ".next";
    std::ofstream out(next, std::ios::binary);
    out.write(pixels.data(), (std::streamsize)pixels.size());
    out.close();
    return out && std::rename(next.c_str(), live.c_str()) == 0;
}
