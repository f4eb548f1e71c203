// Each way as the game runs it: the design's chain on a camera image, the room finder's calls.
#include "hand_ways.h"

#include <cstdio>

#include "game/codes.h"
#include "webcam/WebCam.h"
#include "webcam/design_reading.h"
#include "webcam/landmark_reader.h"
#include "webcam/room_hands.h"

static void loadImage(CWebCam& cam, const std::vector<unsigned char>& rgb) {
    const unsigned char* from = rgb.data();
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        for (int column = 0; column < IMAGE_WIDTH; ++column, from += 3) {
            Pixel& p = cam.images[0].pixels[row][column];
            p.r = from[0];
            p.g = from[1];
            p.b = from[2];
            p.couleur = p.r + p.g * 256 + p.b * 65536;
        }
    }
}

std::vector<HandReading> readDesign(const std::vector<std::vector<unsigned char>>& frames) {
    CWebCam cam;
    std::vector<HandReading> readings;
    for (const std::vector<unsigned char>& frame : frames) {
        loadImage(cam, frame);
        readings.push_back(readDesignWay(cam, 0));
    }
    return readings;
}

static HandReading noReading() {
    HandReading reading;
    reading.player1.baryX = reading.player2.baryX = 80;
    reading.player1.baryY = reading.player2.baryY = 120;
    reading.player1.sign = reading.player2.sign = NO_SIGN;
    return reading;
}

std::vector<HandReading> readRoom(const std::vector<std::vector<unsigned char>>& frames,
                                  const std::vector<FrameRole>& roles, const std::string& handModel,
                                  const std::string& secondHandModel) {
    RoomHands hands(DEFAULT_FACE_MODEL);
    LandmarkReader landmarks(handModel, secondHandModel);
    // Every hand of every frame is read, whatever the model's time: this tool measures the reader.
    landmarks.setShare(0);
    if (landmarks.loaded()) {
        hands.setSignReader(landmarks.signReader());
        if (!landmarks.secondError().empty()) {
            std::fprintf(stderr, "hands_read: the hand model %s %s; signs are read by %s alone\n",
                         secondHandModel.c_str(), landmarks.secondError().c_str(), handModel.c_str());
        }
    } else if (!handModel.empty()) {
        std::fprintf(stderr, "hands_read: the hand model %s %s; signs are read from the hand's outline\n",
                     handModel.c_str(), landmarks.error().c_str());
    }
    std::vector<HandReading> readings;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (roles[i] == EMPTY_FRAME) {
            hands.learnEmptyRoom(frames[i].data());
            readings.push_back(noReading());
        } else if (roles[i] == STAND_FRAME) {
            hands.learnPlayers(frames[i].data());
            readings.push_back(noReading());
        } else {
            readings.push_back(hands.read(frames[i].data()));
        }
    }
    return readings;
}
