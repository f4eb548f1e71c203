// The learned hand landmark model: twenty-one points of a hand found in a square of the picture.
#ifndef VANTORIX_LANDMARK_MODEL_H
#define VANTORIX_LANDMARK_MODEL_H

#include <memory>
#include <string>

// The points the model gives, in its order: the wrist, then four per finger from the root out.
enum HandPoint {
    WRIST = 0,
    THUMB_CMC = 1, THUMB_MCP = 2, THUMB_IP = 3, THUMB_TIP = 4,
    INDEX_MCP = 5, INDEX_PIP = 6, INDEX_DIP = 7, INDEX_TIP = 8,
    MIDDLE_MCP = 9, MIDDLE_PIP = 10, MIDDLE_DIP = 11, MIDDLE_TIP = 12,
    RING_MCP = 13, RING_PIP = 14, RING_DIP = 15, RING_TIP = 16,
    PINKY_MCP = 17, PINKY_PIP = 18, PINKY_DIP = 19, PINKY_TIP = 20,
    HAND_POINTS = 21
};

// A hand's points in picture coordinates, and the model's belief that a hand is there at all.
struct HandLandmarks {
    float x[HAND_POINTS] = {};
    float y[HAND_POINTS] = {};
    float presence = 0;
};

// The square of the picture shown to the model: its centre, side and the turn (radians,
// clockwise as the picture is seen, rows running down) that brings the fingers to its top.
struct HandSquare {
    float centreX = 0;
    float centreY = 0;
    float side = 0;
    float turn = 0;
};

class LandmarkModel {
public:
    // path: the ONNX model. One that is missing or cannot be read leaves error() set.
    // useXnnpack: run it with XNNPACK where it can be (OpenCV's dnn always checks the file, and
    // runs it otherwise).
    explicit LandmarkModel(const std::string& path, bool useXnnpack = true);
    ~LandmarkModel();
    LandmarkModel(const LandmarkModel&) = delete;
    LandmarkModel& operator=(const LandmarkModel&) = delete;

    bool loaded() const;
    // Why the model cannot be used, in words; empty once it is loaded.
    const std::string& error() const;
    // rgb: 320 x 240 x 3, red green blue, top row first; moving: what moves in it (see
    // HandPatch), or null. False when the model is not loaded.
    bool run(const unsigned char* rgb, const HandSquare& square, const unsigned char* moving, HandLandmarks& out);
    // Whether XNNPACK runs it.
    bool fast() const;

private:
    struct Net;
    std::unique_ptr<Net> net;
    std::string why;
};

// The file the game reads the model from, in its data folder.
const char* const DEFAULT_HAND_MODEL = "hand_landmark.onnx";
// The larger model asked for a second opinion, beside it.
const char* const DEFAULT_SECOND_HAND_MODEL = "hand_landmark_full.onnx";

#endif
