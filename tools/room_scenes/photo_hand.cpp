// Reading the photograph, keeping the hand's pixels, and placing it scaled, turned and lit in a frame.
#include "photo_hand.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include <opencv2/imgproc.hpp>

#include "canvas.h"

static bool readPpm(const std::string& path, cv::Mat3b& rgb) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    int width = 0, height = 0, maxValue = 0;
    bool ok = std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) == 3 && maxValue == 255 &&
              width > 0 && height > 0 && width <= 8192 && height <= 8192 && std::fgetc(file) != EOF;
    if (ok) {
        rgb.create(height, width);
        ok = std::fread(rgb.data, 3, (size_t)width * height, file) == (size_t)width * height;
    }
    std::fclose(file);
    return ok;
}

// Skin is redder than blue by far more than the grey table is; the largest such patch is the hand.
static cv::Mat1b handPixels(const cv::Mat3b& rgb) {
    cv::Mat1b skin(rgb.size());
    for (int y = 0; y < rgb.rows; ++y) {
        for (int x = 0; x < rgb.cols; ++x) {
            const cv::Vec3b& p = rgb(y, x);
            skin(y, x) = p[0] - p[2] > 22 && p[0] > 60 ? 255 : 0;
        }
    }
    cv::Mat kernel = cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(7, 7));
    cv::morphologyEx(skin, skin, cv::MORPH_OPEN, kernel);
    cv::morphologyEx(skin, skin, cv::MORPH_CLOSE, kernel);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(skin, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    cv::Mat1b hand = cv::Mat1b::zeros(rgb.size());
    size_t largest = 0;
    for (size_t i = 0; i < contours.size(); ++i) {
        if (cv::contourArea(contours[i]) > cv::contourArea(contours[largest])) {
            largest = i;
        }
    }
    if (!contours.empty()) {
        cv::drawContours(hand, contours, (int)largest, cv::Scalar(255), cv::FILLED);
    }
    return hand;
}

std::string loadPhotoHand(const std::string& path, PhotoHand& hand) {
    cv::Mat3b rgb;
    if (!readPpm(path, rgb)) {
        return "is not a binary PPM (P6, maxval 255) that can be read";
    }
    cv::rotate(rgb, rgb, cv::ROTATE_90_COUNTERCLOCKWISE);
    cv::Mat1b pixels = handPixels(rgb);
    cv::Mat1f depth;
    cv::distanceTransform(pixels, depth, cv::DIST_L2, 5);
    double deepest = 0;
    cv::Point centre;
    cv::minMaxLoc(depth, nullptr, &deepest, nullptr, &centre);
    if (deepest < 10) {
        return "shows no hand on a plain ground";
    }
    hand.palmCentre = cv::Point2f((float)centre.x, (float)centre.y);
    hand.palmWidth = 2 * (float)deepest;
    // The forearm is drawn with the arm: the photograph's wrist below the heel of the hand goes.
    int wristRow = std::min(pixels.rows, (int)(centre.y + deepest * 1.25));
    pixels.rowRange(wristRow, pixels.rows).setTo(0);
    pixels.convertTo(hand.mask, CV_32F, 1 / 255.0);
    cv::Mat3f colour;
    rgb.convertTo(colour, CV_32FC3, 1 / 255.0);
    cv::pow(colour, 2.2, hand.colour);
    return "";
}

static float luminance(cv::Scalar colour) {
    return (float)(0.3 * colour[0] + 0.59 * colour[1] + 0.11 * colour[2]);
}

HandTruth drawPhotoHand(cv::Mat3f& picture, const cv::Mat3f& light, const PhotoHand& photo, const HandPose& pose,
                        float thumbSide, cv::Vec3f skin) {
    float scale = pose.palmWidth / photo.palmWidth;
    cv::Mat3f colour;
    cv::Mat1f mask;
    cv::resize(photo.colour, colour, cv::Size(), scale * pose.turn, scale, cv::INTER_AREA);
    cv::resize(photo.mask, mask, colour.size(), 0, 0, cv::INTER_AREA);
    cv::Point2f centre(photo.palmCentre.x * scale * pose.turn, photo.palmCentre.y * scale);
    if (thumbSide > 0) {
        cv::flip(colour, colour, 1);
        cv::flip(mask, mask, 1);
        centre.x = colour.cols - 1 - centre.x;
    }
    // Turned about the palm's centre by the pose's tilt (fingers right when positive), then moved there.
    cv::Mat turn = cv::getRotationMatrix2D(centre, -pose.tilt, 1.0);
    turn.at<double>(0, 2) += pose.centre.x - centre.x;
    turn.at<double>(1, 2) += pose.centre.y - centre.y;
    cv::Mat3f placed;
    cv::Mat1f cover;
    cv::Size frame(FRAME_WIDTH, FRAME_HEIGHT);
    cv::warpAffine(colour, placed, turn, frame, cv::INTER_LINEAR, cv::BORDER_CONSTANT);
    cv::warpAffine(mask, cover, turn, frame, cv::INTER_LINEAR, cv::BORDER_CONSTANT);
    cv::Mat1b onHand = photo.mask > 0.5f;
    float brightness = luminance(cv::Scalar(skin[0], skin[1], skin[2])) / luminance(cv::mean(photo.colour, onHand));
    Shape whole{cv::Rect(0, 0, FRAME_WIDTH, FRAME_HEIGHT), cv::Mat1b()};
    paint(picture, whole, cover, placed.mul(light) * brightness);
    return truthOfCover(whole, cover, pose.palmWidth);
}
