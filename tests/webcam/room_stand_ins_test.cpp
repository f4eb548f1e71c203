// The room way's region statistics and exposure scaling against the OpenCV calls they stand in for.
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include "webcam/room_internal.h"

TEST(RoomStandIns, RegionsAreLabelledBoxedAndCentredAsByOpenCV) {
    cv::RNG random(7);
    for (int trial = 0; trial < 20; ++trial) {
        // Specks, rings and blobs touching the edges, on a view into a larger mask as the halves are.
        cv::Mat whole(120, 200, CV_8UC1, cv::Scalar(0));
        for (int i = 0; i < 12; ++i) {
            cv::Point at(random.uniform(-10, 210), random.uniform(-10, 130));
            int radius = random.uniform(1, 25);
            cv::circle(whole, at, radius, cv::Scalar(255), random.uniform(0, 2) == 0 ? -1 : 2);
        }
        cv::Mat mask = whole(cv::Rect(20, 0, 160, 120));
        cv::Mat labels, theirLabels, stats, centroids;
        std::vector<Region> regions;
        int count = findRegions(mask, labels, regions);
        ASSERT_EQ(count, cv::connectedComponentsWithStats(mask, theirLabels, stats, centroids, 8, CV_32S));
        ASSERT_EQ(cv::countNonZero(labels != theirLabels), 0) << "trial " << trial;
        for (int i = 1; i < count; ++i) {
            EXPECT_EQ(regions[i].area, stats.at<int>(i, cv::CC_STAT_AREA));
            EXPECT_EQ(regions[i].box, cv::Rect(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                                               stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT)));
            EXPECT_EQ(regions[i].centre.x, centroids.at<double>(i, 0));
            EXPECT_EQ(regions[i].centre.y, centroids.at<double>(i, 1));
        }
    }
}

TEST(RoomStandIns, TheExposureIsScaledAndComparedAsByOpenCV) {
    cv::RNG random(11);
    cv::Mat now(60, 80, CV_8UC3), then(60, 80, CV_8UC3);
    random.fill(now, cv::RNG::UNIFORM, 0, 256);
    random.fill(then, cv::RNG::UNIFORM, 0, 256);
    for (const cv::Scalar& gain : {cv::Scalar(1, 1, 1), cv::Scalar(0.85, 1.15, 0.5), cv::Scalar(0, 2.5, 1.0 / 3)}) {
        cv::Mat ours, theirs, differing, summed;
        scaleExposure(now, gain, false, ours);
        cv::multiply(now, gain, theirs);
        EXPECT_EQ(cv::norm(ours, theirs, cv::NORM_INF), 0);
        scaleExposure(now, gain, true, ours);
        cv::divide(now, gain, theirs);
        EXPECT_EQ(cv::norm(ours, theirs, cv::NORM_INF), 0);
        differAtGain(now, then, gain, 36, ours);
        cv::multiply(then, gain, theirs);
        cv::absdiff(now, theirs, differing);
        cv::transform(differing, summed, cv::Matx13f(1, 1, 1));
        cv::compare(summed, 36, theirs, cv::CMP_GT);
        EXPECT_EQ(cv::norm(ours, theirs, cv::NORM_INF), 0);
    }
}
