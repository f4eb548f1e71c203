// The room way of finding hands: each player's hand in a lit room, with faces and the still room set aside.
#ifndef VANTORIX_ROOM_HANDS_H
#define VANTORIX_ROOM_HANDS_H

#include <memory>
#include <string>
#include <vector>

#include "webcam/hand_reading.h"

struct SignReader;

// A box in image coordinates (camera orientation, not mirrored), right and bottom exclusive.
struct ImageBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where learning stands: the empty room first, then the players standing with their hands down.
enum RoomStage { ROOM_LEARNING_EMPTY = 0, ROOM_LEARNING_PLAYERS = 1, ROOM_PLAYING = 2 };

// What the view window shows of the last analysed frame, so that a player sees why a sign is
// or is not read.
struct RoomView {
    RoomStage stage = ROOM_LEARNING_EMPTY;
    // 320 x 240 bytes, top row first, camera orientation: 255 where a moving skin pixel was
    // found, 0 elsewhere.
    std::vector<unsigned char> mask;
    std::vector<ImageBox> faces;
    // The hand given to each player (index 0 player 1, 1 player 2) and whether there is one.
    ImageBox hands[2];
    bool handFound[2] = {false, false};
    // A short notice in words for the players ("The picture is too dark"), empty when all is well.
    std::string notice;
};

class RoomHands {
public:
    // faceModel: path of an OpenCV face cascade. A model that cannot be read leaves error() set
    // and faces are then not set aside; everything else still works.
    explicit RoomHands(const std::string& faceModel);
    ~RoomHands();
    RoomHands(const RoomHands&) = delete;
    RoomHands& operator=(const RoomHands&) = delete;

    const std::string& error() const;
    // The reader of signs from the found hands (webcam/sign_reader.h); the shape reader unless
    // another is set.
    void setSignReader(const SignReader& reader);

    // Forgets the room and the players: the next frames learn them again.
    void learnAgain();
    // rgb: 320 x 240 x 3 bytes, red green blue, top row first, camera orientation.
    void learnEmptyRoom(const unsigned char* rgb);
    void learnPlayers(const unsigned char* rgb);
    // One frame of play: both players' hands as the fight takes them. A player whose hand is not
    // found has found false, baryX 80 (no walking), sign NO_SIGN.
    HandReading read(const unsigned char* rgb);

    const RoomView& view() const;

private:
    struct State;
    std::unique_ptr<State> state;
};

// The face cascade the game uses: the one Debian's opencv-data ships.
const char* const DEFAULT_FACE_MODEL = "/usr/share/opencv4/haarcascades/haarcascade_frontalface_default.xml";

#endif
