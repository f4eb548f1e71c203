// The room way in the webcam worker: frames through the learning steps into the room finder, and its view.
#ifndef VANTORIX_WORKER_ROOM_H
#define VANTORIX_WORKER_ROOM_H

#include <chrono>
#include <memory>
#include <vector>

#include "webcam/hand_reading.h"
#include "webcam/landmark_reader.h"
#include "webcam/room_hands.h"
#include "webcam/room_schedule.h"

class CWebCam;
struct ViewSurface;

// The room finder and where its learning stands; learning starts when it is made.
struct RoomWay {
    RoomHands hands;
    // Reads the signs of the hands found while its model loads; the hand's outline otherwise.
    LandmarkReader landmarks;
    std::chrono::steady_clock::time_point learningStart;
    LearningMoment moment;
    std::vector<unsigned char> rgb;  // the frame being read, 320 x 240 x 3
    HandReading last;
    bool failureSaid = false;

    // A face model that cannot be read is said in one line on standard error; the room way then
    // goes on without setting faces aside. So is a hand model that cannot be: the signs are then
    // read from the hands' outlines; or, for the second hand model, by the first alone.
    RoomWay(const char* faceModel, const char* handModel, const char* secondHandModel);
    // F3: forgets the room and the players and starts the steps again.
    void learnAgain();
    const HandReading& lastReading() const { return last; }
};

// A room way whose finder says nothing of its own on standard error: the game's line says it.
std::unique_ptr<RoomWay> openRoomWay(const char* faceModel, const char* handModel, const char* secondHandModel);

// Neither hand found: nobody walks and no sign is given, so the keys play.
HandReading noHandsReading();

// Grabs the camera's frame into image 0 and hands it to the step under way: the empty room or
// the players to learn, or a reading of both hands once they play (no hands while learning).
HandReading roomPass(RoomWay& way, CWebCam& cam);

// The learnt mask of each half with the faces and each player's hand boxed, in the places where
// the design way shows its mask, and below them what to do, learning's progress and any notice.
void drawRoomView(ViewSurface* surface, const RoomWay& way);

#endif
