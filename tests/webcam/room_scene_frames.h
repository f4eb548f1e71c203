// Test support: drawn rooms with players showing hand signs, whose true hands are known.
#ifndef VANTORIX_TEST_ROOM_SCENE_FRAMES_H
#define VANTORIX_TEST_ROOM_SCENE_FRAMES_H

#include <string>
#include <vector>

// One player in a frame: standing at column standX with the head moved by headShift, and a
// raised hand of the given sign (0 for hands down) whose palm is centred at (handX, handY).
struct DrawnPlayer {
    int standX;
    int headShift;
    int sign;
    int handX;
    int handY;
};

// Where the hand was drawn: the mean of its palm and finger pixels, and the face's box.
struct DrawnHand {
    bool shown = false;
    int x = 0;  // image column
    int y = 0;
    int faceLeft = 0, faceTop = 0, faceRight = 0, faceBottom = 0;
};

struct DrawnFrame {
    std::vector<unsigned char> rgb;  // 320 x 240 x 3
    DrawnHand hands[2];              // in the order of the players given
};

// A lit room (a light wall with a skin-coloured picture on it, a darker floor) with the players,
// every colour scaled by light, with a little grain from seed. With doors, a door of the hands'
// own colour stands behind each player's chest, hidden by them at rest.
DrawnFrame drawRoom(const std::vector<DrawnPlayer>& players, double light, unsigned int seed, bool doors = false);
// Writes the frame as a binary PPM file.
void writePpm(const std::string& path, const std::vector<unsigned char>& rgb);

// One run of the hands_read tool: its exit status and its lines of output and of errors.
struct ToolRun {
    int status;
    std::vector<std::string> out, err;
};
ToolRun runHandsRead(const std::vector<std::string>& arguments);

#endif
