// The room way's region statistics and exposure scaling against the OpenCV calls they stand in for.
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include "webcam/room_internal.h"

TEST(RoomStandIns, RegionsAreLabelledBoxedAndCentredAsByOpenCV) {
    cv::RNG random(7);
    for (int trial = 0; trial < 20; ++trial) {
        // Specks, rings and discs cut by the edges, on a view into a larger mask as the halves are.
        cv::Mat whole(120, 200, CV_8UC1, cv::Scalar(0));
        for (int i = 0; i < 12; ++i) {
            cv::circle(whole, cv::Point(random.uniform(-10, 210), random.uniform(-10, 130)), random.uniform(1, 25),
                       cv::Scalar(255), random.uniform(0, 2) == 0 ? -1 : 2);
        }
        cv::Mat mask = whole(cv::Rect(20, 0, 160, 120)), labels, theirs, stats, centres;
        std::vector<Region> regions;
        int count = findRegions(mask, labels, regions);
        ASSERT_EQ(count, cv::connectedComponentsWithStats(mask, theirs, stats, centres, 8, CV_32S));
        ASSERT_EQ(cv::countNonZero(labels != theirs), 0);
        for (int i = 1; i < count; ++i) {
            const int* s = stats.ptr<int>(i);
            EXPECT_EQ(regions[i].area, s[cv::CC_STAT_AREA]);
            EXPECT_EQ(regions[i].box,
                      cv::Rect(s[cv::CC_STAT_LEFT], s[cv::CC_STAT_TOP], s[cv::CC_STAT_WIDTH], s[cv::CC_STAT_HEIGHT]));
            EXPECT_EQ(regions[i].centre, cv::Point2d(centres.at<double>(i, 0), centres.at<double>(i, 1)));
        }
    }
}

TEST(RoomStandIns, TheExposureIsScaledAndComparedAsByOpenCV) {
    cv::Mat now(60, 80, CV_8UC3), then(60, 80, CV_8UC3), ours, theirs, summed;
    cv::randu(now, 0, 256);
    cv::randu(then, 0, 256);
    for (const cv::Scalar& gain : {cv::Scalar(1, 1, 1), cv::Scalar(0.85, 1.15, 0.5), cv::Scalar(0, 2.5, 1.0 / 3)}) {
        undoExposure(now, gain, ours);
        cv::divide(now, gain, theirs);
        EXPECT_EQ(cv::norm(ours, theirs, cv::NORM_INF), 0);
        differAtGain(now, then, gain, 36, ours);
        cv::multiply(then, gain, theirs);
        cv::absdiff(now, theirs, theirs);
        cv::transform(theirs, summed, cv::Matx13f(1, 1, 1));
        EXPECT_EQ(cv::norm(ours, summed > 36, cv::NORM_INF), 0);
    }
}
