// A synthetic room's frames (room_scenes' PPM files) shown one at a time to the game's camera.
#ifndef VANTORIX_BENCH_ROOM_FEED_H
#define VANTORIX_BENCH_ROOM_FEED_H

#include <string>

// The scene's frames go, one at a time, into a raw frame file that the capture source reads
// again five times a second, so that the probe shows the empty room while the room way learns
// it, the players while it learns them, then their signs.
class RoomFeed {
public:
    // sceneFolder holds 0000.ppm... and scene.txt (its frame counts) as room_scenes writes them.
    explicit RoomFeed(const std::string& sceneFolder);
    ~RoomFeed();
    bool ready() const { return play > 0; }
    const std::string& source() const { return pipeline; }
    void showEmptyRoom() { show(0); }
    void showPlayersStanding() { show(empty + stand - 1); }
    // The next frame of play, round and round.
    void showNextSign();

private:
    void show(int frame);
    std::string scene, live, pipeline;
    int empty = 0, stand = 0, play = 0, next = 0;
};

#endif
