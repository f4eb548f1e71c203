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

// Which hue and saturation are skin, for each player (index 0 player 1): broad until their
// face teaches it.
struct SkinRange {
    int hue;  // turned hue (see room_skin.cpp), skin near 100
    int hueHalf;
    int saturationLow;
    int saturationHigh;
};
struct SkinStats {
    double count = 0, hue = 0, hueSquares = 0, saturation = 0, saturationSquares = 0;
};
struct SkinGate {
    SkinRange range[2];
    cv::Mat gate[2];  // 180 hues x 64 saturations: 255 for skin, 0 otherwise
    SkinStats stats[2];
    bool learnt[2] = {false, false};
};
void resetSkin(SkinGate& skin);
// Adds the HSV pixels under sampleMask to what is learnt of the player's skin.
void sampleSkin(SkinGate& skin, int player, const cv::Mat& hsv, const cv::Mat& sampleMask);
// Turns the samples into the gates; keeps the broad one for a player too little seen.
void settleSkin(SkinGate& skin);
// The share of the RGB pixels that any complexion's skin could be.
double broadSkinShare(const cv::Mat& rgb);
// 255 where the HSV pixels are the player's skin.
void skinPixels(const SkinGate& skin, int player, const cv::Mat& hsv, cv::Mat& out);

// A player's pixel differs from the empty room by more than this, summed over red, green, blue.
const double PLAYER_DIFFERENCE = 45;
// An 8-connected region of a mask, in the mask's coordinates.
struct Region {
    cv::Rect box;
    cv::Point2d centre;
    int area = 0;
};
// Labels the mask's regions as cv::connectedComponents does; regions[label] for each, 0 the
// background (left empty). Returns their count with the background.
int findRegions(const cv::Mat& mask, cv::Mat& labels, std::vector<Region>& regions);
// The label of the largest of the regions, the first of equals; 0 when there are none.
int largestRegion(const std::vector<Region>& regions);
// Keeps only the largest connected part of mask (255 on it); its pixel count.
int keepLargest(cv::Mat& mask);

// The players' faces, looked for now and then in a small region around where they were.
struct RoomFaces {
    cv::CascadeClassifier cascade;
    bool loaded = false;
    std::string error;
    cv::Rect known[2];  // full-picture boxes, empty when unknown; index 0 player 1
    int misses[2] = {0, 0};
    int height[2];  // the last face's height, kept when it is lost: a hand is about as tall
    cv::Mat look[2];  // the grey middle of each face as the cascade last found it
    bool seen[2];     // found by the cascade, not only guessed from a standing player's outline
    cv::Mat cover;    // full picture: 255 where something in front of a face differs from its look
    unsigned long tick = 0;
};
void loadFaces(RoomFaces& faces, const std::string& model);
void forgetFaces(RoomFaces& faces);
// Takes face as the player's (seen: by the cascade), with what its middle looks like.
void rememberFace(RoomFaces& faces, int player, const cv::Rect& face, const cv::Mat& rgb, bool seen);
// 0 for a face in player 1's half (the picture's right), 1 for player 2's.
int playerOfFace(const cv::Rect& face);
// Every face in the full picture (learning only: it costs a few milliseconds).
std::vector<cv::Rect> findAllFaces(RoomFaces& faces, const cv::Mat& rgb);
// Looks again for at most one player's face, in turn, keeping the cost of a frame small.
void followFaces(RoomFaces& faces, const cv::Mat& rgb);
// What covers each face in this frame, by how its middle differs from its look: a hand
// raised before the face is kept when the face is blanked.
void findCovers(RoomFaces& faces, const cv::Mat& rgb);
// Face boxes, with the chin below them, blanked from a mask of the picture at 1/scale whose
// first pixel is the picture's pixel origin.
void blankFaces(const RoomFaces& faces, cv::Mat& mask, int scale, cv::Point origin);
void faceList(const RoomFaces& faces, std::vector<ImageBox>& out);
struct Blob;
// True when most of the blob (labels over the half from column halfLeft) lies within the
// player's head as guessed from their outline: a guess is too rough to blank pixels by.
bool onGuessedHead(const RoomFaces& faces, int player, const cv::Mat& labels, const Blob& blob, int halfLeft);
// True when most of the blob lies on the neck below the player's face.
bool onNeck(const RoomFaces& faces, int player, const cv::Mat& labels, const Blob& blob, int halfLeft);
// Each standing player's head from the outline they cut against the empty room, taken for
// their face where the cascade has not found it.
void guessHeads(RoomFaces& faces, const RoomBackground& background, cv::Mat& emptyRoom, const cv::Mat& small,
                const cv::Mat& rgb);

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
// The blobs in the order they are taken for the player's hand, likeliest first; the track is
// moved on by the caller.
std::vector<int> rankBlobs(const HandTrack& track, const std::vector<Blob>& blobs);
void followHand(HandTrack& track, bool found, cv::Point2f centre);

// The hand cut to palm and fingers on the full picture, with its measurements.
struct HandCut {
    bool found = false;
    cv::Rect box;    // full-picture box of mask
    cv::Mat mask;    // box-sized, 255 on the hand
    cv::Point palm;  // full-picture coordinates
    float palmRadius = 0;
};
struct RoomState;
// Cuts the player's blob to the hand on the full picture, a hand being about as tall as the
// player's face.
HandCut cutHand(const RoomState& room, const cv::Mat& rgb, int player, const Blob& blob);

// The light of the picture in words, or empty when it is fit to read hands in.
// emptyRoom: the picture should show the room alone, which may be dark.
std::string lightNotice(const cv::Mat& smallRgb, bool emptyRoom);
// 255 where the small picture differs from the empty room by more than difference (summed over
// red, green, blue) once the camera's exposure has been brought back to the room's.
void differFromEmpty(const cv::Mat& small, const cv::Mat& emptyRoom, double difference, cv::Mat& out);
// How the camera's exposure moved between a picture of the room then and one now, each channel.
cv::Scalar exposureGain(const cv::Mat& now, const cv::Mat& then);
// The picture brought back to the exposure it was measured against: each channel divided by its
// own part of the exposure's move.
void undoExposure(const cv::Mat& picture, const cv::Scalar& gain, cv::Mat& out);
// As differFromEmpty, with the exposure's move since learnt already measured.
void differAtGain(const cv::Mat& small, const cv::Mat& learnt, const cv::Scalar& gain, double difference, cv::Mat& out);

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
    cv::Mat emptyRoom;  // the room as the background learnt it, for the players' outlines
    cv::Mat previousEmpty;  // the last frame of the empty room, to compare the next with
    cv::Mat standingSum, standing;  // the players at rest: the mean of the standing frames
    double grain = 0;  // how much two frames of the empty room differ on average (0-255, a channel)
    cv::Mat small, hsv, moving, skinMask, candidates, labels[2];
    cv::Mat exposed;  // the small picture at the exposure the players were learnt in
    cv::Scalar gain;  // how the exposure moved since then, each channel
    cv::Mat notEmpty;  // 255 where the small picture differs from the empty room under its exposure
    cv::Rect stanceBox[2];  // each player's head and shoulders at rest, small picture; empty when unknown
    cv::Mat stanceLook[2];  // what they looked like there, grey
};
// What each player looked like at rest, to find them again when they step aside.
void learnStances(RoomState& room);
// Moving pixels that are a player who stepped aside, as they stood, are set aside.
void setAsideStances(RoomState& room);
// The small picture and its YCrCb twin, and the light's notice in the view.
void prepareFrame(RoomState& room, const cv::Mat& rgb);
// Each half's skin by its own player's gate.
void skinOfBoth(const RoomState& room, cv::Mat& skin);
// Both players' hands in one frame of play.
HandReading readRoom(RoomState& room, const cv::Mat& rgb);

#endif
