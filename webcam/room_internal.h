// The room finder's working parts, shared by its files and kept out of the public header.
#ifndef VANTORIX_ROOM_INTERNAL_H
#define VANTORIX_ROOM_INTERNAL_H

#include <opencv2/core.hpp>
#include <opencv2/objdetect.hpp>
#include <opencv2/video/background_segm.hpp>

#include <string>
#include <vector>

#include "webcam/room_hands.h"
#include "webcam/sign_reader.h"

// The finder looks for hands on a half-size picture, where a hand is still some 20 pixels
// across, and measures the one it keeps on the full picture.
const int IMAGE_COLUMNS = 320;
const int IMAGE_ROWS = 240;
const int SMALL_WIDTH = 160;
const int SMALL_HEIGHT = 120;
const int SCALE = 2;

// The still room and the players standing at rest, learnt as one background.
struct RoomBackground {
    cv::Ptr<cv::BackgroundSubtractorMOG2> model;
    int emptyFrames = 0;
    int standFrames = 0;
};
void resetBackground(RoomBackground& background);
void learnEmpty(RoomBackground& background, const cv::Mat& small);
// moving: what differed from what was learnt before this frame.
void learnStanding(RoomBackground& background, const cv::Mat& small, cv::Mat& moving);
// 255 where the small picture differs from both the empty room and the players at rest.
void movingPixels(RoomBackground& background, const cv::Mat& small, cv::Mat& moving);

// Which chroma is skin: a histogram over Cr and Cb, broad until faces teach it.
struct SkinGate {
    cv::Mat gate;     // 32 x 32 bins of Cr, Cb: 255 for skin, 0 otherwise
    cv::Mat samples;  // the chroma seen on faces and bare skin while the players stood
    bool learnt = false;
};
void resetSkin(SkinGate& skin);
// Adds the chroma of the YCrCb pixels under sampleMask to what is learnt.
void sampleSkin(SkinGate& skin, const cv::Mat& ycc, const cv::Mat& sampleMask);
// Turns the samples into the gate; keeps the broad one when too few were seen.
void settleSkin(SkinGate& skin);
void skinPixels(const SkinGate& skin, const cv::Mat& ycc, cv::Mat& out);

// The players' faces, looked for now and then in a small region around where they were.
struct RoomFaces {
    cv::CascadeClassifier cascade;
    bool loaded = false;
    std::string error;
    cv::Rect known[2];  // full-picture boxes, empty when unknown; index 0 player 1
    int misses[2] = {0, 0};
    unsigned long tick = 0;
};
void loadFaces(RoomFaces& faces, const std::string& model);
void forgetFaces(RoomFaces& faces);
// Every face in the full picture (learning only: it costs a few milliseconds).
std::vector<cv::Rect> findAllFaces(RoomFaces& faces, const cv::Mat& rgb);
// Looks again for at most one player's face, in turn, keeping the cost of a frame small.
void followFaces(RoomFaces& faces, const cv::Mat& rgb);
// Face boxes, with the neck below them, blanked from a small-picture mask.
void blankFaces(const RoomFaces& faces, cv::Mat& smallMask);
void faceList(const RoomFaces& faces, std::vector<ImageBox>& out);

// One player's hand kept from frame to frame.
struct HandTrack {
    bool have = false;
    cv::Point2f centre;  // full-picture coordinates
    int lost = 0;
};
// A skin region in a player's half of the small picture.
struct Blob {
    int label;
    cv::Rect box;  // small-picture coordinates, within the whole picture
    cv::Point2f centre;
    int area;
};
// The blob to take for the player's hand, or -1; the track is moved on by the caller.
int chooseBlob(const HandTrack& track, const std::vector<Blob>& blobs);
void followHand(HandTrack& track, bool found, cv::Point2f centre);

// The hand cut to palm and fingers on the full picture, with its measurements.
struct HandCut {
    bool found = false;
    cv::Rect box;    // full-picture box of mask
    cv::Mat mask;    // box-sized, 255 on the hand
    cv::Point palm;  // full-picture coordinates
    float palmRadius = 0;
};
// Cuts the blob (small-picture mask and label) to the hand on the full picture.
HandCut cutHand(const cv::Mat& rgb, const SkinGate& skin, const cv::Mat& labels, const Blob& blob,
                int halfLeft);

// The light of the picture in words, or empty when it is fit to read hands in.
std::string lightNotice(const cv::Mat& smallYcc);

// Everything the finder keeps between frames, and the pictures it reuses to spare allocations.
struct RoomState {
    RoomBackground background;
    SkinGate skin;
    RoomFaces faces;
    HandTrack tracks[2];
    SignReader reader;
    RoomView view;
    unsigned long frames = 0;
    bool seen[2] = {false, false};  // each player seen while learning players
    cv::Mat small, ycc, moving, skinMask, candidates, labels[2];
};
// The small picture and its YCrCb twin, and the light's notice in the view.
void prepareFrame(RoomState& room, const cv::Mat& rgb);
// Both players' hands in one frame of play.
HandReading readRoom(RoomState& room, const cv::Mat& rgb);

#endif
