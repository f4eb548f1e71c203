// Connected regions of a mask with their sizes and places.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <climits>

// OpenCV's own statistics (connectedComponentsWithStats) cost five to ten times its labelling on
// masks of this size, a tenth of a frame of play; one pass over the labels gives the same.
int findRegions(const cv::Mat& mask, cv::Mat& labels, std::vector<Region>& regions) {
    int count = cv::connectedComponents(mask, labels, 8, CV_32S);
    std::vector<int> left(count, INT_MAX), top(count, INT_MAX), right(count, -1), bottom(count, -1);
    std::vector<long> sumX(count, 0), sumY(count, 0);
    regions.assign(count, Region());
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        for (int x = 0; x < labels.cols; ++x) {
            int i = label[x];
            if (i == 0) {
                continue;
            }
            regions[i].area++;
            sumX[i] += x;
            sumY[i] += y;
            left[i] = std::min(left[i], x);
            right[i] = std::max(right[i], x);
            top[i] = std::min(top[i], y);
            bottom[i] = std::max(bottom[i], y);
        }
    }
    for (int i = 1; i < count; ++i) {
        Region& region = regions[i];
        region.box = cv::Rect(left[i], top[i], right[i] - left[i] + 1, bottom[i] - top[i] + 1);
        region.centre = cv::Point2d((double)sumX[i] / region.area, (double)sumY[i] / region.area);
    }
    return count;
}

int largestRegion(const std::vector<Region>& regions) {
    int best = 0;
    for (size_t i = 1; i < regions.size(); ++i) {
        if (best == 0 || regions[i].area > regions[best].area) {
            best = (int)i;
        }
    }
    return best;
}

int keepLargest(cv::Mat& mask) {
    cv::Mat labels;
    std::vector<Region> regions;
    findRegions(mask, labels, regions);
    int best = largestRegion(regions);
    if (best > 0) {
        cv::compare(labels, best, mask, cv::CMP_EQ);
    }
    return regions[best].area;  // the background's, left empty, when there are none
}
