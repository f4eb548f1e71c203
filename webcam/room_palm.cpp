// Cutting a skin region to the hand: the palm found by the distance transform, the forearm cut off.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

// Below the palm's centre by this many palm radii lies the wrist: what is lower is forearm.
static const float WRIST = 1.3f;
// Fingers reach some four radii above the palm's centre; what is higher is not this hand.
static const float FINGER_REACH = 4.5f;
// Fewer full-picture pixels than this are no hand (a hand at arm's length has well over 400).
static const int MIN_HAND_PIXELS = 150;

// The region's own pixels on the full picture: its small-picture mask, widened by a pixel and
// brought to full size, where the full picture's skin says so.
static cv::Mat fullMask(const cv::Mat& rgb, const SkinGate& skin, int player, const cv::Mat& labels,
                        const Blob& blob, cv::Rect& full) {
    int halfLeft = player == 0 ? SMALL_WIDTH / 2 : 0;
    cv::Rect half(halfLeft, 0, SMALL_WIDTH / 2, SMALL_HEIGHT);
    cv::Rect small(blob.box.x - 2, blob.box.y - 2, blob.box.width + 4, blob.box.height + 4);
    small &= half;
    full = cv::Rect(small.x * SCALE, small.y * SCALE, small.width * SCALE, small.height * SCALE);
    cv::Mat own, wide, region, hsv, skinFull, mask;
    cv::compare(labels(small - cv::Point(halfLeft, 0)), blob.label, own, cv::CMP_EQ);
    cv::dilate(own, wide, cv::Mat());
    cv::resize(wide, region, full.size(), 0, 0, cv::INTER_NEAREST);
    cv::cvtColor(rgb(full), hsv, cv::COLOR_RGB2HSV);
    skinPixels(skin, player, hsv, skinFull);
    cv::bitwise_and(region, skinFull, mask);
    cv::morphologyEx(mask, mask, cv::MORPH_OPEN, cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(3, 3)));
    return mask;
}

// Keeps only the largest connected part of mask; its pixel count.
static int keepLargest(cv::Mat& mask) {
    cv::Mat labels, stats, centroids;
    int count = cv::connectedComponentsWithStats(mask, labels, stats, centroids, 8, CV_32S);
    int best = 0, bestArea = 0;
    for (int i = 1; i < count; ++i) {
        if (stats.at<int>(i, cv::CC_STAT_AREA) > bestArea) {
            bestArea = stats.at<int>(i, cv::CC_STAT_AREA);
            best = i;
        }
    }
    if (best > 0) {
        cv::compare(labels, best, mask, cv::CMP_EQ);
    }
    return bestArea;
}

// The palm: the widest disc within a hand's length of the region's top, since a sign is shown
// fingers up at the end of a raised arm, and an elbow or a bent arm below may be wider.
static double findPalm(const cv::Mat& mask, int handLength, cv::Point& centre) {
    cv::Mat bordered, distance;
    cv::copyMakeBorder(mask, bordered, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
    cv::distanceTransform(bordered, distance, cv::DIST_L2, cv::DIST_MASK_3);
    int top = cv::boundingRect(mask).y + 1;
    cv::Mat search = distance.rowRange(top, std::min(distance.rows, top + handLength));
    double radius = 0;
    cv::minMaxLoc(search, nullptr, &radius, nullptr, &centre);
    centre += cv::Point(-1, top - 1);
    return radius;
}

HandCut cutHand(const cv::Mat& rgb, const SkinGate& skin, int player, const cv::Mat& labels, const Blob& blob,
                int handLength) {
    HandCut cut;
    cv::Rect full;
    cv::Mat mask = fullMask(rgb, skin, player, labels, blob, full);
    if (keepLargest(mask) < MIN_HAND_PIXELS) {
        return cut;
    }
    cv::Point centre;
    double radius = findPalm(mask, handLength, centre);
    int wrist = centre.y + (int)(WRIST * radius) + 1;
    int top = centre.y - (int)(FINGER_REACH * radius);
    if (wrist < mask.rows) {
        mask.rowRange(wrist, mask.rows).setTo(0);
    }
    if (top > 0) {
        mask.rowRange(0, top).setTo(0);
    }
    if (keepLargest(mask) < MIN_HAND_PIXELS) {
        return cut;
    }
    cv::Rect box = cv::boundingRect(mask);
    cut.found = true;
    cut.box = box + full.tl();
    cut.mask = mask(box).clone();
    cut.palm = centre + full.tl();
    cut.palmRadius = (float)radius;
    return cut;
}
