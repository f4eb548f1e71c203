// The Earth as drawn is the real one, not its mirror image: landmarks sit where geography puts them.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "scenery/backgrnd.h"
#include "tests/scenery/scenery_support.h"
#include "tests/support/data_dir.h"

namespace {

const double PIXELS_PER_UNIT = 60.0;
const float RADIUS = 4.0f;

struct Place {
    const char* name;
    double latitude, longitude;  // degrees, north and east positive
};

// The mean colour of a 5 x 5 block round the place as seen from outside the Earth, with the
// meridian of Greenwich facing the viewer.
void colourAt(const Place& place, int rgb[3]) {
    double lat = place.latitude * M_PI / 180, lon = place.longitude * M_PI / 180;
    int x = 400 + (int)std::lround(RADIUS * std::cos(lat) * std::sin(lon) * PIXELS_PER_UNIT);
    int y = 300 + (int)std::lround(RADIUS * std::sin(lat) * PIXELS_PER_UNIT);
    rgb[0] = rgb[1] = rgb[2] = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            unsigned char pixel[3];
            readPixel(x + dx, y + dy, pixel);
            for (int c = 0; c < 3; ++c) {
                rgb[c] += pixel[c];
            }
        }
    }
    for (int c = 0; c < 3; ++c) {
        rgb[c] /= 25;
    }
}

}  // namespace

// The backdrop turns the Earth about y and then stands its map upright with 90 degrees about x;
// at a turn of 180 the middle of the map, longitude 0, faces the viewer.
TEST(EarthMap, SeenFromOutsideTheDesertsAreEastOfTheAtlantic) {
    plainGlState();
    {
        ScopedWorkingDirectory inData(dataDirectory());
        createBackground();
    }
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-400 / PIXELS_PER_UNIT, 400 / PIXELS_PER_UNIT, -300 / PIXELS_PER_UNIT,
            300 / PIXELS_PER_UNIT, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureId);
    drawsphere(3, RADIUS);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);

    // Sand is redder than it is blue, the open sea bluer than it is red. Mirrored, each place
    // would show the other kind: the Atlantic off the Western Sahara, the Atlantic again, and the
    // desert of Egypt.
    const Place deserts[] = {{"the Sahara in Libya", 24, 20}, {"Arabia", 22, 45}};
    const Place atlantic = {"the Atlantic", 22, -30};
    for (const Place& place : deserts) {
        int rgb[3];
        colourAt(place, rgb);
        EXPECT_GT(rgb[0], rgb[2] + 30) << place.name << ": " << rgb[0] << "," << rgb[1] << "," << rgb[2];
    }
    int rgb[3];
    colourAt(atlantic, rgb);
    EXPECT_GT(rgb[2], rgb[0] + 30) << atlantic.name << ": " << rgb[0] << "," << rgb[1] << "," << rgb[2];
}
