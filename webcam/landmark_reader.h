// The learned sign reader: the landmark model run on each found hand, followed from frame to frame.
#ifndef VANTORIX_LANDMARK_READER_H
#define VANTORIX_LANDMARK_READER_H

#include <chrono>
#include <string>
#include <vector>

#include "webcam/landmark_model.h"
#include "webcam/sign_reader.h"

// The game's room way gives the model a third of its worker's time at most.
const double DEFAULT_MODEL_SHARE = 0.3;

class LandmarkReader {
public:
    // modelPath: the ONNX hand landmark model; see error() when it cannot be used. secondPath: a
    // larger model asked where the first is unsure, or empty for none; see secondError(). It is
    // not loaded when the first cannot be.
    explicit LandmarkReader(const std::string& modelPath, const std::string& secondPath = std::string());

    bool loaded() const { return model.loaded(); }
    // Why the model cannot be used ("is missing", "is damaged"...), empty once it is loaded.
    const std::string& error() const { return model.error(); }
    // Why the second model cannot be used, empty once it is loaded or when none was asked for: the
    // first then reads alone.
    const std::string& secondError() const;
    bool secondLoaded() const { return second.loaded(); }
    // The seam's reader, reading through this object, which must outlive its use.
    SignReader signReader();

    // The share of the worker's time the model may take: a hand followed where it was keeps its
    // last sign, unread, until its turn comes again, so that on a slow or busy machine the room
    // way still finds hands (and walks) about five times a second; a cut the model saw no hand in
    // is taken for the same, where it was, until its turn. 0 reads every hand every time.
    void setShare(double share) { this->share = share; }
    // Forgets the hands followed, when the room is learnt again.
    void forget();
    // The sign of one found hand: NOT_A_HAND when the model is sure no hand is there, NO_SIGN
    // when the fingers make none of the three signs, the outline's sign when the model doubts.
    int read(const HandPatch& hand);
    // The last landmarks the model gave for a player (0 player 1) and whether they are a hand.
    const HandLandmarks& lastLandmarks(int player) const { return followed[player].landmarks; }
    bool following(int player) const { return followed[player].have; }
    // Model runs since the reader was made, for the notes on its cost.
    unsigned long runs() const { return modelRuns; }

private:
    // A cut the model saw no hand in, and until when a cut found where it was is taken for the
    // same without the model: up to six runs a cut, and a hand hanging or a fist the model
    // refuses stands there pass after pass.
    struct Unseen {
        HandSquare square;
        bool doubted;  // the outline reads it; else no hand
        std::chrono::steady_clock::time_point until;
    };
    struct Followed {
        bool have = false;
        HandSquare square;  // where to look on the next frame, from the last landmarks
        HandLandmarks landmarks;
        int sign = 0;
        std::chrono::steady_clock::time_point lastLook;
        std::vector<Unseen> unseen;
    };
    static const Unseen* unseenAt(std::vector<Unseen>& unseen, const HandSquare& cut,
                                  std::chrono::steady_clock::time_point now);
    int look(Followed& followed, const HandPatch& hand, const HandSquare& cut, bool stillThere);
    bool runOn(const HandPatch& hand, const HandSquare& square, HandLandmarks& out);
    bool lookTwice(const HandPatch& hand, const HandSquare& square, HandLandmarks& found);
    bool lookAtCut(const HandPatch& hand, const HandSquare& cut, HandLandmarks& found);

    LandmarkModel model;
    LandmarkModel second;
    bool secondAsked;
    Followed followed[2];
    unsigned long modelRuns = 0;
    double share = DEFAULT_MODEL_SHARE;
    double lookMs = 0;  // the time a look takes, averaged over the last few
};

// Two models' answers for the same square as one: the points weighted by each model's belief in
// the hand, the belief their geometric mean, so that both must be fairly sure.
HandLandmarks agreedLandmarks(const HandLandmarks& first, const HandLandmarks& second);
// The square a hand's landmarks call for on the next frame: its palm and finger roots, turned
// upright and taken twice as large, as MediaPipe follows a hand.
HandSquare squareOfLandmarks(const HandLandmarks& hand);
// The square around a hand the room way cut from its skin, fingers taken to be up.
HandSquare squareOfCut(const ImageBox& box);

#endif
