// Test pictures: "%d.bmp" files fill a buffer bottom-up; missing or short files change nothing.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/data_dir.h"
#include "webcam/WebCam.h"

namespace {

// 54 header bytes, then scan line k with blue k, green the column's low byte, red 200.
std::string pictureBytes() {
    std::string bytes(54, '\0');
    for (int line = 0; line < 240; ++line) {
        for (int column = 0; column < 320; ++column) {
            bytes += (char)line;
            bytes += (char)(column & 255);
            bytes += (char)200;
        }
    }
    return bytes;
}

}  // namespace

TEST(Bitmap, LastScanLineBecomesRowZero) {
    DataCopy folder;
    folder.writeFile("2.bmp", pictureBytes());
    ScopedWorkingDirectory inside(folder.path());
    CWebCam cam;
    cam.ChargeBitmap(2);
    const Pixel& top = cam.images[2].pixels[0][300];
    EXPECT_EQ(top.b, 239);
    EXPECT_EQ(top.g, 300 & 255);
    EXPECT_EQ(top.r, 200);
    EXPECT_EQ(top.couleur, 200 + (300 & 255) * 256 + 239 * 65536);
    EXPECT_EQ(cam.images[2].pixels[239][5].b, 0);
    EXPECT_EQ(cam.images[2].pixels[100][5].b, 139);
    // Only image 2 was filled.
    EXPECT_EQ(cam.images[0].pixels[0][300].r, 0);
}

TEST(Bitmap, MissingOrShortFileChangesNothing) {
    DataCopy folder;
    std::string bytes = pictureBytes();
    folder.writeFile("1.bmp", bytes.substr(0, bytes.size() - 1));
    ScopedWorkingDirectory inside(folder.path());
    CWebCam cam;
    cam.images[1].pixels[239][0] = Pixel{1, 2, 3, 4};
    cam.images[0].pixels[239][0] = Pixel{1, 2, 3, 4};
    testing::internal::CaptureStderr();
    cam.ChargeBitmap(1);
    cam.ChargeBitmap(0);
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(cam.images[1].pixels[239][0].couleur, 4);
    EXPECT_EQ(cam.images[1].pixels[239][0].r, 1);
    EXPECT_EQ(cam.images[0].pixels[239][0].couleur, 4);
    EXPECT_NE(messages.find("1.bmp"), std::string::npos) << messages;
    EXPECT_NE(messages.find("0.bmp"), std::string::npos) << messages;
}
