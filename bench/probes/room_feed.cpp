// A synthetic room's frames (room_scenes' PPM files) shown one at a time to the game's camera.
#include "bench/probes/room_feed.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

RoomFeed::RoomFeed(const std::string& sceneFolder) : scene(sceneFolder) {
    std::ifstream counts(scene + "/scene.txt");
    std::string line;
    while (std::getline(counts, line)) {
        std::istringstream words(line);
        std::string name;
        int count = 0;
        words >> name >> count;
        empty = name == "empty" ? count : empty;
        stand = name == "stand" ? count : stand;
        play = name == "play" ? count : play;
    }
    live = "/tmp/vantorix-room-feed-" + std::to_string(getpid()) + ".rgb";
    // The parser stamps each frame's time, so the sink holds the file source to five reads a
    // second; caps on the source alone stamp nothing, and it would read the file as fast as a
    // core allows beside the frames being timed.
    pipeline = "multifilesrc location=" + live +
               " loop=true ! rawvideoparse format=rgb width=320 height=240 framerate=5/1";
    showEmptyRoom();
}

RoomFeed::~RoomFeed() { unlink(live.c_str()); }

void RoomFeed::showNextSign() {
    show(empty + stand + next);
    next = (next + 1) % (play > 0 ? play : 1);
}

// The pixels after the PPM header (P6, 320 240, 255), put in place whole by a rename.
void RoomFeed::show(int frame) {
    char name[16];
    std::snprintf(name, sizeof name, "/%04d.ppm", frame);
    std::ifstream in(scene + name, std::ios::binary);
    std::string ppm((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t start = ppm.find("255\n");
    if (start == std::string::npos) {
        return;
    }
    std::string next = live + ".next";
    std::ofstream(next, std::ios::binary).write(ppm.data() + start + 4, (std::streamsize)(ppm.size() - start - 4));
    std::rename(next.c_str(), live.c_str());
}
