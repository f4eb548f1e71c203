// The landmark model read on each player's hand: where to look, whether it is a hand, the sign it shows.
#include "webcam/landmark_reader.h"

#include <algorithm>
#include <cmath>

#include "game/codes.h"
#include "webcam/landmark_sign.h"

// From this presence on the model follows a hand and its fingers decide: MediaPipe's own
// threshold for going on following one.
static const float MIN_PRESENCE = 0.5f;
// Between this and MIN_PRESENCE the model doubts: a hand in dim light, against a shirt of its
// colour, or against the light. The room way found a hand-sized skin region
// that moved, so the outline reader tells its sign; under this the model is sure it is no hand.
// On the two synthetic sets, up to 14 points more signs right per room (dim most), for 9 more
// signs read on 570 player-frames with the hands down.
static const float LEAST_DOUBTED_PRESENCE = 0.05f;
// The cut hand (palm and fingers) fills this share of the square's side, leaving room for
// fingers the cut lost and the context the model was trained with.
static const float CUT_SHARE = 0.6f;
// MediaPipe's following square: twice the palm and finger roots, moved a tenth of their height
// towards the fingers.
static const float FOLLOW_SCALE = 2.0f;
static const float FOLLOW_SHIFT = 0.1f;
// A hand blanked with the face beside it is looked for in a square centred this many of its
// forearm cut's heights above the cut's top.
static const float ABOVE_CUT = 0.3f;
// Where none of the cut's squares shows a hand, a square framed on the palm as MediaPipe frames a
// hand its palm detector found: the palm's width (two radii) taken 2.6 times, moved half of it
// towards the fingers, taken to be up. A fist whose forearm the cut kept lies in a corner of the
// cut's square, or small within it. On the two synthetic sets, 1.1 and 0.7 points more signs
// right, none more read with the hands down (5.2 to 6.5 radii gave the same, 3.2 less; the
// palm's square in place of the cut's, none more right).
static const float PALM_SCALE = 5.2f;
static const float PALM_SHIFT = 1.0f;
static const double HALF_PI = 1.5707963267948966;
// A cut the model saw no hand in is taken for the same when the new one's centre lies in its
// square and their sizes differ by less than this ratio: a fist opening grows by more.
static const float SAME_SIZE = 1.25f;

// The second model is asked only where the first's presence lies between these: a hand the first
// is sure of, or sure is none, it rarely turns. On the two synthetic sets, one and a half and two
// points more signs right over all the rooms, and a few fewer signs read with the hands down;
// asked on every look, no more right on the two together for twice the extra time.
static const float SECOND_FROM = 0.1f;
static const float SECOND_UNTIL = 0.97f;

LandmarkReader::LandmarkReader(const std::string& modelPath, const std::string& secondPath)
    : model(modelPath),
      second(model.loaded() ? secondPath : std::string()),
      secondAsked(model.loaded() && !secondPath.empty()) {}

const std::string& LandmarkReader::secondError() const {
    static const std::string none;
    return secondAsked ? second.error() : none;
}

static int readThrough(void* self, const HandPatch& hand) { return static_cast<LandmarkReader*>(self)->read(hand); }

void LandmarkReader::forget() { followed[0] = followed[1] = Followed(); }

SignReader LandmarkReader::signReader() { return SignReader{"landmarks", readThrough, this}; }

HandSquare squareOfCut(const ImageBox& box) {
    HandSquare square;
    square.centreX = (box.left + box.right) / 2.0f;
    square.centreY = (box.top + box.bottom) / 2.0f;
    square.side = std::max(box.right - box.left, box.bottom - box.top) / CUT_SHARE;
    return square;
}

static HandSquare squareOfPalm(const HandPatch& hand) {
    HandSquare square;
    square.centreX = (float)hand.palmX;
    square.centreY = hand.palmY - PALM_SHIFT * hand.palmRadius;
    square.side = PALM_SCALE * hand.palmRadius;
    return square;
}

// The cut's square moved up or down to be centred on a row.
static HandSquare movedTo(HandSquare square, float centreY) {
    square.centreY = centreY;
    return square;
}

HandSquare squareOfLandmarks(const HandLandmarks& hand) {
    static const int FRAME_POINTS[] = {WRIST,     THUMB_CMC,  THUMB_MCP, THUMB_IP, INDEX_MCP, INDEX_PIP,
                                       MIDDLE_MCP, MIDDLE_PIP, RING_MCP, RING_PIP, PINKY_MCP, PINKY_PIP};
    HandSquare square;
    // The hand's line: from the wrist to the middle of the index, middle and ring roots.
    float towardsX = ((hand.x[INDEX_MCP] + hand.x[RING_MCP]) / 2 + hand.x[MIDDLE_MCP]) / 2;
    float towardsY = ((hand.y[INDEX_MCP] + hand.y[RING_MCP]) / 2 + hand.y[MIDDLE_MCP]) / 2;
    square.turn = (float)(-HALF_PI - std::atan2(towardsY - hand.y[WRIST], towardsX - hand.x[WRIST]));
    float c = std::cos(square.turn), s = std::sin(square.turn);
    // The points' box in the turned picture, where the fingers point up.
    float low[2] = {1e9f, 1e9f}, high[2] = {-1e9f, -1e9f};
    for (int point : FRAME_POINTS) {
        float u = c * hand.x[point] - s * hand.y[point], v = s * hand.x[point] + c * hand.y[point];
        low[0] = std::min(low[0], u), high[0] = std::max(high[0], u);
        low[1] = std::min(low[1], v), high[1] = std::max(high[1], v);
    }
    square.side = FOLLOW_SCALE * std::max(high[0] - low[0], high[1] - low[1]);
    float u = (low[0] + high[0]) / 2, v = (low[1] + high[1]) / 2 - FOLLOW_SHIFT * (high[1] - low[1]);
    // Back from the turned picture to the picture.
    square.centreX = c * u + s * v;
    square.centreY = -s * u + c * v;
    return square;
}

HandLandmarks agreedLandmarks(const HandLandmarks& first, const HandLandmarks& second) {
    HandLandmarks agreed;
    float together = first.presence + second.presence;
    float weight = together > 0 ? first.presence / together : 0.5f;
    for (int i = 0; i < HAND_POINTS; ++i) {
        agreed.x[i] = weight * first.x[i] + (1 - weight) * second.x[i];
        agreed.y[i] = weight * first.y[i] + (1 - weight) * second.y[i];
    }
    agreed.presence = std::sqrt(first.presence * second.presence);
    return agreed;
}

// The two models see differently what one alone misreads: a fist or a V taken for an open hand,
// a hand in grain or against the light.
bool LandmarkReader::runOn(const HandPatch& hand, const HandSquare& square, HandLandmarks& out) {
    ++modelRuns;
    if (!model.run(hand.rgb, square, hand.moving, out)) {
        return false;
    }
    HandLandmarks other;
    if (out.presence >= SECOND_FROM && out.presence < SECOND_UNTIL &&
        second.run(hand.rgb, square, hand.moving, other)) {
        ++modelRuns;
        out = agreedLandmarks(out, other);
    }
    return out.presence >= MIN_PRESENCE;
}

static bool inside(const HandSquare& square, float x, float y) {
    return std::abs(x - square.centreX) < square.side / 2 && std::abs(y - square.centreY) < square.side / 2;
}

// The square, then the square its landmarks call for: the first look's points, even when it
// doubts there is a hand, place the hand well enough that the second look, turned upright and
// sized by them, sees it (on the synthetic rooms, a tenth more signs right than one look).
bool LandmarkReader::lookTwice(const HandPatch& hand, const HandSquare& square, HandLandmarks& found) {
    HandLandmarks first, second;
    bool seenFirst = runOn(hand, square, first);
    if (runOn(hand, squareOfLandmarks(first), second)) {
        found = second;
        return true;
    }
    found = first;
    return seenFirst;
}

// A hand raised beside or before the face is blanked with it, and the cut keeps the forearm
// below: the hand is then above the cut, where it is looked for when the cut shows none. A hand
// held before the chin or the chest, joined to the neck above it, is cut at the neck, the
// region's widest part: the hand is then below, looked for in a square centred on the cut's
// bottom edge. Last comes the palm's own square. The first look's doubt still decides what is
// left to the outline: the forearm or the neck is what was cut.
bool LandmarkReader::lookAtCut(const HandPatch& hand, const HandSquare& cut, HandLandmarks& found) {
    if (lookTwice(hand, cut, found)) {
        return true;
    }
    const ImageBox& box = hand.box;
    std::vector<HandSquare> others = {movedTo(cut, box.top - ABOVE_CUT * (box.bottom - box.top)),
                                      movedTo(cut, (float)box.bottom)};
    if (hand.palmRadius > 0) {
        others.push_back(squareOfPalm(hand));
    }
    for (const HandSquare& square : others) {
        HandLandmarks beside;
        if (lookTwice(hand, square, beside)) {
            found = beside;
            return true;
        }
    }
    return false;
}

// stillThere: the hand's cut lies in the square of the followed hand's last landmarks, which
// frames the hand better than the skin's cut; the cut is the way back when it is not.
int LandmarkReader::look(Followed& followed, const HandPatch& hand, const HandSquare& cut, bool stillThere) {
    HandLandmarks found;
    bool seen = stillThere && runOn(hand, followed.square, found);
    if (!seen) {
        seen = lookAtCut(hand, cut, found);
    }
    followed.have = seen;
    followed.landmarks = found;
    if (!seen) {
        return found.presence >= LEAST_DOUBTED_PRESENCE ? shapeSignReader().read(hand) : NOT_A_HAND;
    }
    followed.square = squareOfLandmarks(found);
    return signOfFingers(stretchedFingers(found));
}

// The unseen cut, still waiting its turn, that the new one stands on; those whose turn has come
// are forgotten.
const LandmarkReader::Unseen* LandmarkReader::unseenAt(std::vector<Unseen>& unseen, const HandSquare& cut,
                                                       std::chrono::steady_clock::time_point now) {
    unseen.erase(std::remove_if(unseen.begin(), unseen.end(), [now](const Unseen& old) { return old.until <= now; }),
                 unseen.end());
    for (const Unseen& old : unseen) {
        float ratio = cut.side / old.square.side;
        if (inside(old.square, cut.centreX, cut.centreY) && ratio > 1 / SAME_SIZE && ratio < SAME_SIZE) {
            return &old;
        }
    }
    return nullptr;
}

int LandmarkReader::read(const HandPatch& hand) {
    typedef std::chrono::steady_clock Clock;
    Followed& followed = this->followed[(hand.box.left + hand.box.right) / 2 >= 160 ? 0 : 1];
    Clock::time_point start = Clock::now();
    HandSquare cut = squareOfCut(hand.box);
    bool stillThere = followed.have && inside(followed.square, cut.centreX, cut.centreY);
    // Both players' hands looked at in turn within the model's share of the time.
    double wait = share > 0 ? 2 * lookMs / share : 0;
    if (stillThere && std::chrono::duration<double, std::milli>(start - followed.lastLook).count() < wait) {
        return followed.sign;
    }
    const Unseen* before = stillThere ? nullptr : unseenAt(followed.unseen, cut, start);
    if (before) {
        return before->doubted ? shapeSignReader().read(hand) : NOT_A_HAND;
    }
    followed.sign = look(followed, hand, cut, stillThere);
    followed.lastLook = start;
    double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    lookMs = lookMs == 0 ? took : 0.8 * lookMs + 0.2 * took;
    // The model's share kept for a cut it saw no hand in as for a followed hand: its next look
    // waits for as long as this one took, over the share.
    if (!followed.have && share > 0) {
        std::chrono::microseconds turn((long long)(1000 * took / share));
        followed.unseen.push_back(Unseen{cut, followed.sign != NOT_A_HAND, start + turn});
    }
    return followed.sign;
}
