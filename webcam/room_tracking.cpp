// Keeping each player's hand from frame to frame, so that a passing arm or a cheek does not take it.
#include "webcam/room_internal.h"

#include <algorithm>
#include <cmath>
#include <utility>

// How far (full-picture pixels) a hand moves between two analysed frames without losing its
// lead; a region this far away must be twice the size of the near one to be taken instead.
static const float GATE = 60;
// After this many frames without a hand the track is forgotten and the largest region wins.
static const int LOST_FRAMES = 3;

std::vector<int> rankBlobs(const HandTrack& track, const std::vector<Blob>& blobs) {
    bool tracked = track.have && track.lost < LOST_FRAMES;
    std::vector<std::pair<double, int>> scored;
    for (size_t i = 0; i < blobs.size(); ++i) {
        // A sign is shown at the top of a raised arm: of two regions, the higher is the hand
        // rather than an elbow or a hand hanging below.
        double score = blobs[i].area * (2 - blobs[i].centre.y / SMALL_HEIGHT);
        if (tracked) {
            cv::Point2f delta = blobs[i].centre * (float)SCALE - track.centre;
            double near = std::hypot(delta.x, delta.y) / GATE;
            score /= 1 + near * near;
        }
        scored.push_back(std::make_pair(-score, (int)i));
    }
    std::sort(scored.begin(), scored.end());
    std::vector<int> order;
    for (const auto& entry : scored) {
        order.push_back(entry.second);
    }
    return order;
}

void followHand(HandTrack& track, bool found, cv::Point2f centre) {
    if (found) {
        track.have = true;
        track.centre = centre;
        track.lost = 0;
    } else if (track.have && ++track.lost >= LOST_FRAMES) {
        track = HandTrack();
    }
}

