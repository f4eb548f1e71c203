// A synthetic room's frames (room_scenes' PPM files) shown one at a time to the game's camera.
#ifndef VANTORIX_TESTS_ROOM_FEED_H
#define VANTORIX_TESTS_ROOM_FEED_H

#include <string>
#include <vector>

// A scene's frame counts from its scene.txt: the empty room, the players standing, play, the
// room empty again; zero for what the file does not give.
struct SceneCounts {
    int empty = 0, stand = 0, play = 0, gone = 0;
};
SceneCounts readSceneCounts(const std::string& sceneFolder);
// One line of a scene's truth.txt: a player's true hand in a frame (x within the player's half).
struct SceneHand {
    int frame = 0, player = 0, raised = 0, sign = 0;
    float x = 0, y = 0;
};
std::vector<SceneHand> readSceneTruth(const std::string& sceneFolder);
// A scene's frame file, and its 320 x 240 x 3 pixels (empty when it cannot be read).
std::string sceneFrame(const std::string& sceneFolder, int frame);
std::string sceneFramePixels(const std::string& sceneFolder, int frame);

// The scene's frames go, one at a time, into a raw frame file that the capture source reads
// again and again (five times a second unless told), so that the game sees the empty room while
// the room way learns it, the players while it learns them, then their signs.
class RoomFeed {
public:
    // sceneFolder holds 0000.ppm... and scene.txt (its frame counts) as room_scenes writes them;
    // liveFile is the file the capture source reads, removed with the feed.
    RoomFeed(const std::string& sceneFolder, const std::string& liveFile, int picturesPerSecond = 5);
    ~RoomFeed();
    RoomFeed(const RoomFeed&) = delete;
    RoomFeed& operator=(const RoomFeed&) = delete;

    bool ready() const { return play > 0; }
    // The capture source, for --capture-source.
    const std::string& source() const { return pipeline; }
    // Puts the scene's frame in place whole; false when it cannot be read.
    bool show(int frame);
    void showEmptyRoom() { show(0); }
    void showPlayersStanding() { show(empty + stand - 1); }
    // The empty room's frames in turn, then the players standing, for ms each, one picture's time
    // a frame: a camera's come with fresh grain, and one picture over and over would teach the
    // room way a room without it.
    void showEmptyRoomInTurn(int ms) { showInTurn(0, empty, ms); }
    void showPlayersStandingInTurn(int ms) { showInTurn(empty, stand, ms); }
    // The next frame of play, round and round.
    void showNextSign();

    // The scene's frame counts: the empty room, the players standing, play.
    int empty = 0, stand = 0, play = 0;

private:
    void showInTurn(int first, int count, int ms);

    std::string scene, live, pipeline;
    int next = 0;
    int pictureMs;
};

#endif
