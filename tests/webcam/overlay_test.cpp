// The overlay and the mirrored mask, drawn into a real view window and read back from the display.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/view_surface.h"
#include "shell/game_objects.h"
#include "webcam/worker.h"
#include "tests/webcam/webcam_test_support.h"

namespace {

struct DirectionCase {
    int x, y;
    const char* word;
    int angle;
};

class Overlay : public testing::Test {
protected:
    void SetUp() override {
        window = testViewWindow();
        g_hDC = getViewSurface(window);
        ASSERT_NE(g_hDC, nullptr);
        ASSERT_TRUE(setTextFont(g_hDC, "Impact", 18));
        setTextColour(g_hDC, 22, 199, 35);
        WebCam.hDCFenetre = g_hDC;
        linkWorkerToGlobals();
    }
    void TearDown() override {
        WebCam.hDCFenetre = nullptr;
        releaseViewSurface(g_hDC);
        g_hDC = nullptr;
    }
    void setBarycentres(int x1, int y1, int x2, int y2) {
        WebCam.baryX1 = x1;
        WebCam.baryY1 = y1;
        WebCam.baryX2 = x2;
        WebCam.baryY2 = y2;
    }
    // The same row drawn alone in a wiped box at (0, y): what a row must look like, from its
    // origin to the panel's right edge.
    void expectRowShows(const WindowReader& reader, int x, int y, const char* text) {
        for (int dy = 0; dy < 20; ++dy) {
            for (int dx = 0; dx < 110; ++dx) {
                int got[3], want[3];
                reader.pixel(x + dx, y + dy, got);
                reader.pixel(dx, y + dy, want);
                ASSERT_TRUE(std::memcmp(got, want, sizeof got) == 0)
                    << "\"" << text << "\" at (" << x + dx << ", " << y + dy << ")";
            }
        }
    }
    ViewWindow* window = nullptr;
};

}  // namespace

TEST(OverlayDirection, WordsAndAnglesAtTheCentreTheSectorEdgesAndAnEmptyHalf) {
    const DirectionCase cases[] = {
        {80, 120, "neutral", 0}, {104, 152, "DOWN", 233}, {80, 180, "RIGHT", 0},
        {20, 120, "RIGHT", 0},   {140, 120, "LEFT", 180}, {30, 70, "RIGHT", 45},
        {130, 70, "UP", 135},    {-160, 0, "RIGHT", 26},  {100, 100, "neutral", 135},
        {80, 60, "RIGHT", 0},    {150, 200, "DOWN", 228}, {120, 30, "UP", 113},
    };
    for (const DirectionCase& c : cases) {
        EXPECT_STREQ(directionWord(c.x, c.y), c.word) << c.x << "," << c.y;
        EXPECT_EQ((int)directionAngle(c.x, c.y), c.angle) << c.x << "," << c.y;
    }
    // Stored in single precision these two land exactly on the sector edges.
    EXPECT_EQ(directionAngle(30, 70), 45.0f);
    EXPECT_EQ(directionAngle(130, 70), 135.0f);
}

TEST_F(Overlay, MaskHalvesAreMirroredIntoTheirPanels) {
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        for (int column = 0; column < IMAGE_WIDTH; ++column) {
            WebCam.images[0].pixels[row][column] = Pixel{0, 0, 0, 0};
        }
        WebCam.images[0].pixels[row][319] = Pixel{255, 0, 0, 255};
        WebCam.images[0].pixels[row][160] = Pixel{0, 255, 0, 255 * 256};
        WebCam.images[0].pixels[row][159] = Pixel{0, 0, 255, 255 * 65536};
        WebCam.images[0].pixels[row][0] = Pixel{255, 255, 255, 16777215};
    }
    WebCam.images[0].pixels[0][319] = Pixel{255, 255, 0, 65535};
    WebCam.AfficheImage(0);
    WindowReader reader(window);
    reader.grab();
    int rgb[3];
    for (int y : {1, 120, 239}) {
        reader.pixel(160, y, rgb);
        EXPECT_EQ(rgb[0] * 1000000 + rgb[1] * 1000 + rgb[2], 255000000) << "x 160, y " << y;
        reader.pixel(319, y, rgb);
        EXPECT_EQ(rgb[0] * 1000000 + rgb[1] * 1000 + rgb[2], 255000) << "x 319, y " << y;
        reader.pixel(880, y, rgb);
        EXPECT_EQ(rgb[0] * 1000000 + rgb[1] * 1000 + rgb[2], 255) << "x 880, y " << y;
        reader.pixel(1039, y, rgb);
        EXPECT_EQ(rgb[0] * 1000000 + rgb[1] * 1000 + rgb[2], 255255255) << "x 1039, y " << y;
        EXPECT_TRUE(reader.isBlack(240, y));
        EXPECT_TRUE(reader.isBlack(960, y));
    }
    reader.pixel(160, 0, rgb);
    EXPECT_EQ(rgb[0] * 1000000 + rgb[1] * 1000 + rgb[2], 255255000) << "row 0 is the top";
}

TEST_F(Overlay, MarkersFollowTheMirroredHands) {
    setBarycentres(0, 0, 159, 239);
    displayResultsWebcam();
    WindowReader reader(window);
    reader.grab();
    // Player 1's hand at the left edge of the picture shows at the right edge of the box, x 160.
    EXPECT_GT(reader.countText(160, 0, 176, 20), 0);
    EXPECT_EQ(reader.countText(0, 0, 160, 240), 0);
    EXPECT_GT(reader.countText(1041, 239, 1057, 259), 0);
    EXPECT_EQ(reader.countText(1040, 0, 1200, 238), 0);
    // Nothing in the marker boxes but black and the marker.
    EXPECT_TRUE(reader.isBlack(0, 0));
    EXPECT_TRUE(reader.isBlack(80, 120));
    EXPECT_TRUE(reader.isBlack(1199, 239));

    // An empty half for player 1 puts its marker on the left edge of its text panel.
    setBarycentres(-160, 0, 80, 120);
    displayResultsWebcam();
    reader.grab();
    EXPECT_GT(reader.countText(320, 0, 336, 20), 0);
    EXPECT_EQ(reader.countText(0, 0, 160, 240), 0);
    EXPECT_GT(reader.countText(1120, 120, 1136, 140), 0);
}

TEST_F(Overlay, PanelsAreWipedAndTextLeavesTheBackgroundAlone) {
    setBarycentres(80, 120, 80, 120);
    displayResultsWebcam();
    WindowReader reader(window);
    reader.grab();
    for (int x : {320, 760}) {
        int textPixels = 0;
        for (int y = 0; y < 240; ++y) {
            for (int dx = 0; dx < 120; ++dx) {
                bool ok = reader.isBlack(x + dx, y) || reader.isText(x + dx, y);
                int rgb[3];
                reader.pixel(x + dx, y, rgb);
                ASSERT_TRUE(ok) << "background painted at (" << x + dx << ", " << y << "): " << rgb[0] << "," << rgb[1] << "," << rgb[2];
                textPixels += reader.isText(x + dx, y) ? 1 : 0;
            }
        }
        EXPECT_GT(textPixels, 200);
    }
    // Fully covered glyph pixels carry the exact text colour.
    bool exact = false;
    for (int y = 20; y < 220 && !exact; ++y) {
        for (int x = 330; x < 420 && !exact; ++x) {
            int rgb[3];
            reader.pixel(x, y, rgb);
            exact = rgb[0] == 22 && rgb[1] == 199 && rgb[2] == 35;
        }
    }
    EXPECT_TRUE(exact);
}

TEST_F(Overlay, RowsShowTheirValuesAtThePanelEdge) {
    world.shownLife1 = 100;
    world.shownLife2 = -15;
    WebCam.varX1 = 133;
    WebCam.varY2 = 833;
    WebCam.rps1 = 2;
    WebCam.rps2 = 7;
    setBarycentres(104, 152, -999999999, 0);
    displayResultsWebcam();
    // References: each row's label and value drawn alone into the wiped left box at the same height.
    struct Row {
        int x, y;
        const char* text;
    };
    const Row rows[] = {
        {330, 20, "-24"},      {330, 40, "-32"},       {330, 60, "DOWN"}, {330, 80, "233"},
        {330, 120, "100"},     {330, 160, "133"},      {330, 200, "PAPER"},
        {770, 20, "100000007"}, {770, 60, "RIGHT"},    {770, 120, "-15"},
        {770, 180, "833"},     {770, 200, "SCISS"},
    };
    WindowReader reader(window);
    for (const Row& row : rows) {
        drawRectangle(g_hDC, 0, 0, 160, 240);
        drawText(g_hDC, 0, row.y, overlayLabelAt(row.y));
        drawText(g_hDC, 0, row.y, row.text);
        flushViewSurface(g_hDC);
        reader.grab();
        expectRowShows(reader, row.x, row.y, row.text);
    }
}
