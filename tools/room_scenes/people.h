// The players and whoever walks behind them: bodies, faces, arms, and the raised hand.
#ifndef ROOM_SCENES_PEOPLE_H
#define ROOM_SCENES_PEOPLE_H

#include <opencv2/core.hpp>

#include "hand.h"
#include "photo_hand.h"

enum ShirtPattern { PLAIN_SHIRT, STRIPED_SHIRT, CHECKED_SHIRT };

struct Person {
    float centreX = 160;    // the body's middle, frame column
    float headY = 60;       // the face's middle, frame row
    float faceWidth = 40;
    cv::Vec3f skin;
    cv::Vec3f hair;
    bool longHair = false;
    cv::Vec3f shirt;
    cv::Vec3f shirtLines;   // the second colour of a striped or checked shirt
    ShirtPattern pattern = PLAIN_SHIRT;
    bool longSleeves = true;
};

// skinTone: 0 lightest to 5 darkest.
Person randomPerson(cv::RNG& rng, int skinTone, bool darkClothes);

// The person standing, with the arm on the raised hand's side left out when pose.raised.
void drawBody(cv::Mat3f& picture, const cv::Mat3f& light, const Person& person, const HandPose& pose,
              cv::Vec2f towardLight);
// How raised hands are made: modelled in three dimensions, or drawn flat as the first rooms were;
// an open hand is the photograph when there is one.
struct HandLook {
    bool drawn = false;
    const PhotoHand* photo = nullptr;
};

// The raised arm and its hand, over everyone's bodies; the hand's truth (not visible when no hand is
// raised).
HandTruth drawRaisedHand(cv::Mat3f& picture, const cv::Mat3f& light, const Person& person, const HandPose& pose,
                         cv::Vec2f towardLight, const HandLook& look);

#endif
