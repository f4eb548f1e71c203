// Exposure, colour balance, gamma, softness and sensor noise of a cheap webcam.
#include "camera.h"

#include <algorithm>
#include <cmath>

#include <opencv2/imgproc.hpp>

#include "canvas.h"

// The exposure brings the frame's mean to middle grey, in linear light.
static const float MIDDLE_GREY = 0.18f;

Camera cameraFor(const Condition& condition) {
    Camera camera;
    cv::Vec3f light = condition.lightColour;
    camera.balance = cv::Vec3f(std::sqrt(light[1] / light[0]), 1.0f, std::sqrt(light[1] / light[2]));
    camera.vignette = cv::Mat1f(FRAME_HEIGHT, FRAME_WIDTH);
    for (int y = 0; y < camera.vignette.rows; ++y) {
        for (int x = 0; x < camera.vignette.cols; ++x) {
            float dx = (x - FRAME_WIDTH / 2) / 160.0f, dy = (y - FRAME_HEIGHT / 2) / 160.0f;
            camera.vignette(y, x) = 1 - 0.22f * (dx * dx + dy * dy);
        }
    }
    return camera;
}

static float meanLuminance(const cv::Mat3f& radiance) {
    cv::Scalar mean = cv::mean(radiance);
    return (float)(0.3 * mean[0] + 0.59 * mean[1] + 0.11 * mean[2]);
}

// Webcams send YUYV: each pair of columns shares one colour, only the brightness is per pixel.
static void shareColourInPairs(cv::Mat3f& frame) {
    for (int y = 0; y < frame.rows; ++y) {
        for (int x = 0; x + 1 < frame.cols; x += 2) {
            cv::Vec3f& a = frame(y, x);
            cv::Vec3f& b = frame(y, x + 1);
            float lumaA = 0.299f * a[0] + 0.587f * a[1] + 0.114f * a[2];
            float lumaB = 0.299f * b[0] + 0.587f * b[1] + 0.114f * b[2];
            float red = (a[0] - lumaA + b[0] - lumaB) / 2, blue = (a[2] - lumaA + b[2] - lumaB) / 2;
            for (auto [pixel, luma] : {std::pair<cv::Vec3f*, float>{&a, lumaA}, {&b, lumaB}}) {
                float r = luma + red, bl = luma + blue;
                *pixel = cv::Vec3f(r, (luma - 0.299f * r - 0.114f * bl) / 0.587f, bl);
            }
        }
    }
}

cv::Mat3b takeFrame(Camera& camera, const Condition& condition, const cv::Mat3f& radiance, cv::RNG& rng) {
    cv::Mat3f light = radiance.clone();
    for (int y = 0; y < light.rows; ++y) {
        for (int x = 0; x < light.cols; ++x) {
            light(y, x) = light(y, x).mul(camera.balance) * camera.vignette(y, x);
        }
    }
    float wanted = std::clamp(MIDDLE_GREY / std::max(meanLuminance(light), 1e-4f), 0.05f, condition.maxGain);
    camera.gain = camera.gain == 0 ? wanted : camera.gain + 0.5f * (wanted - camera.gain);
    float gain = camera.gain * (float)rng.uniform(0.985, 1.015);
    cv::Mat3f frame(light.size());
    for (int y = 0; y < light.rows; ++y) {
        for (int x = 0; x < light.cols; ++x) {
            cv::Vec3f v = light(y, x) * gain;
            for (int c = 0; c < 3; ++c) {
                frame(y, x)[c] = 255 * std::pow(std::clamp(v[c], 0.0f, 1.0f), 1 / 2.2f);
            }
        }
    }
    cv::GaussianBlur(frame, frame, cv::Size(0, 0), condition.blur);
    cv::Mat3f noise(frame.size());
    float sigma = condition.noise * std::sqrt(std::max(camera.gain / 0.6f, 1.0f));
    rng.fill(noise, cv::RNG::NORMAL, 0, sigma);
    // A sensor's noise is partly shared by neighbouring pixels after demosaicing.
    cv::GaussianBlur(noise, noise, cv::Size(0, 0), 0.5);
    frame += noise * 1.6f;
    shareColourInPairs(frame);
    cv::Mat3b out;
    frame.convertTo(out, CV_8UC3);
    return out;
}
