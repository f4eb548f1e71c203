// The backdrop's start-up: the star table, the fixed random draws, the textures; and its first frame.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "tests/support/data_dir.h"
#include "scenery/Mars.h"
#include "scenery/backgrnd.h"
#include "scenery/lensflare.h"
#include "tests/scenery/scenery_support.h"

static void startUp() {
    plainGlState();
    ScopedWorkingDirectory inData(dataDirectory());
    std::srand(1);  // what an unseeded generator starts from
    createBackground();
}

TEST(Stars, LieOnTheSphereOfForty_RedAndBlueHalfToOne_GreenPointThree) {
    startUp();
    ASSERT_EQ(nbStars, 800);
    ASSERT_EQ(stars.size(), 800u);
    for (size_t i = 0; i < stars.size(); i++) {
        const std::vector<float>& s = stars[i];
        ASSERT_EQ(s.size(), 6u);
        EXPECT_NEAR(length(Vec3{s[0], s[1], s[2]}), 40.0, 1e-3) << "star " << i;
        EXPECT_GE(s[3], 0.5f) << "star " << i;
        EXPECT_LE(s[3], 1.0f) << "star " << i;
        EXPECT_EQ(s[4], 0.3f) << "star " << i;
        EXPECT_GE(s[5], 0.5f) << "star " << i;
        EXPECT_LE(s[5], 1.0f) << "star " << i;
    }
}

TEST(Stars, TwoStartUpsGiveTheSameSkyAndTheSameMars) {
    startUp();
    std::vector<std::vector<float> > firstStars = stars;
    std::vector<std::vector<float> > firstFaults = surfaceMarsFractale;
    startUp();
    EXPECT_EQ(stars, firstStars);
    EXPECT_EQ(surfaceMarsFractale, firstFaults);
}

// Star i takes draws 4i to 4i + 3 (azimuth, elevation, red, blue); fault j takes 3200 + 2j and
// 3200 + 2j + 1; nothing else in start-up draws, so the seeding comes at draw 3221.
TEST(Stars, StartUpTakesExactly3220DrawsInTheirOrder) {
    std::vector<int> draws = randSequence(1, 3221);
    startUp();
    EXPECT_EQ(std::rand(), draws[3220]) << "start-up did not take exactly 3220 draws";
    for (int i = 0; i < 800; i++) {
        const std::vector<float>& s = stars[i];
        double azimuth = (draws[4 * i] % 10000) / 9999.0 * 2 * M_PI;
        double elevation = (draws[4 * i + 1] % 10000) / 9999.0 * M_PI - M_PI / 2;
        Vec3 expected = scaled(Vec3{std::cos(azimuth) * std::cos(elevation),
                                    std::sin(azimuth) * std::cos(elevation), std::sin(elevation)},
                               40.0);
        ASSERT_NEAR(s[0], expected.x, 1e-3) << "star " << i;
        ASSERT_NEAR(s[1], expected.y, 1e-3) << "star " << i;
        ASSERT_NEAR(s[2], expected.z, 1e-3) << "star " << i;
        ASSERT_NEAR(s[3], (draws[4 * i + 2] % 1000) / 999.0 * 0.5 + 0.5, 1e-6) << "star " << i;
        ASSERT_NEAR(s[5], (draws[4 * i + 3] % 1000) / 999.0 * 0.5 + 0.5, 1e-6) << "star " << i;
    }
    for (int j = 0; j < 10; j++) {
        double elevation = (draws[3200 + 2 * j + 1] % 10000) * M_PI / 9999.0 - M_PI / 2;
        double azimuth = 2.0 * (draws[3200 + 2 * j] % 10000) * M_PI / 9999.0;
        const std::vector<float>& f = surfaceMarsFractale[j];
        EXPECT_NEAR(f[0], std::cos(azimuth) * std::cos(elevation), 1e-5) << "fault " << j;
        EXPECT_NEAR(f[1], std::sin(azimuth) * std::cos(elevation), 1e-5) << "fault " << j;
        EXPECT_NEAR(f[2], std::sin(elevation), 1e-5) << "fault " << j;
    }
}

static void expectMipmappedTexture(unsigned int name, const char* what, bool realPicture) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint width = 0, minFilter = 0, magFilter = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_TRUE(glIsTexture(name)) << what;
    if (realPicture) {
        EXPECT_GT(width, 1) << what << ": the picture did not load";
    } else {
        EXPECT_EQ(width, 1) << what << ": a stand-in texture was expected";
    }
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR) << what;
    EXPECT_EQ(magFilter, GL_LINEAR) << what;
}

TEST(BackdropTextures, FourDistinctMipmappedTexturesAndTheAngleAtNinety) {
    angleRotationEarth = 12.0f;
    startUp();
    EXPECT_EQ(angleRotationEarth, 90.0f);
    expectMipmappedTexture(textureId, "earth", true);
    expectMipmappedTexture(textureId1, "sun", true);
    expectMipmappedTexture(textureId2, "glare", true);
    expectMipmappedTexture(textureId3, "halo", true);
    EXPECT_NE(textureId, textureId1);
    EXPECT_NE(textureId1, textureId2);
    EXPECT_NE(textureId2, textureId3);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST(BackdropTextures, MissingOrBrokenPicturesWarnByNameAndStillDraw) {
    plainGlState();
    DataCopy data({"earthmap1k.bmp", "croix.bmp", "halo.bmp"});
    data.writeFile("sun.bmp", "BM this is not a picture");
    ScopedWorkingDirectory inCopy(data.path());
    testing::internal::CaptureStderr();
    createBackground();
    std::string warnings = testing::internal::GetCapturedStderr();
    for (const char* name : {"earthmap1k.bmp", "sun.bmp", "croix.bmp", "halo.bmp"}) {
        EXPECT_NE(warnings.find(name), std::string::npos) << name << " not named in: " << warnings;
    }
    expectMipmappedTexture(textureId, "earth", false);
    expectMipmappedTexture(textureId1, "sun", false);
    expectMipmappedTexture(textureId2, "glare", false);
    expectMipmappedTexture(textureId3, "halo", false);
    captureFeedback([] { drawBackground(); });
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}
