// Tests of the game's textures in a real GL context: slot order, sizes and odd pictures.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>

#include "animation/moves.h"
#include "animation/texture.h"
#include "tests/animation/motion_files.h"
#include "tests/support/data_dir.h"
#include "tests/support/gl_context.h"

namespace {

const char* const slotFiles[NB_TEXTURES] = {
    "CPLifeSM.bmp", "CPLifeRS.bmp", "pierre.bmp", "feuille.bmp", "ciseaux.bmp", "chiffou.bmp",
    "mi.bmp",       "paf.bmp",      "critical.bmp", "prwin.bmp", "pawin.bmp",   "win.bmp",
};

struct Rgb {
    unsigned char r, g, b;
};

void put32(std::string& bytes, uint32_t value) {
    for (int i = 0; i < 4; i++) {
        bytes += (char)((value >> (8 * i)) & 0xFF);
    }
}

void put16(std::string& bytes, uint16_t value) {
    bytes += (char)(value & 0xFF);
    bytes += (char)(value >> 8);
}

// An uncompressed BMP of 8 (paletted), 24 or 32 bits per pixel; pixels[y * width + x] with
// y = 0 the top row.
std::string bmpBytes(int width, int height, int bits, const std::vector<Rgb>& pixels) {
    std::vector<Rgb> palette;
    if (bits == 8) {
        palette = pixels;
    }
    int rowBytes = (width * bits / 8 + 3) & ~3;
    uint32_t dataOffset = 14 + 40 + 4 * (uint32_t)palette.size();
    std::string bytes = "BM";
    put32(bytes, dataOffset + rowBytes * height);
    put32(bytes, 0);
    put32(bytes, dataOffset);
    put32(bytes, 40);
    put32(bytes, width);
    put32(bytes, height);
    put16(bytes, 1);
    put16(bytes, bits);
    put32(bytes, 0);
    put32(bytes, rowBytes * height);
    put32(bytes, 2835);
    put32(bytes, 2835);
    put32(bytes, palette.size());
    put32(bytes, 0);
    for (const Rgb& c : palette) {
        bytes += {(char)c.b, (char)c.g, (char)c.r, 0};
    }
    for (int y = height - 1; y >= 0; y--) {  // bottom row first
        std::string row;
        for (int x = 0; x < width; x++) {
            int i = y * width + x;
            const Rgb& c = pixels[i];
            if (bits == 8) {
                row += (char)i;
            } else {
                row += {(char)c.b, (char)c.g, (char)c.r};
                if (bits == 32) {
                    row += (char)0xFF;
                }
            }
        }
        row.resize(rowBytes, '\0');
        bytes += row;
    }
    return bytes;
}

std::string plainBmp(int width, int height) {
    return bmpBytes(width, height, 24, std::vector<Rgb>(width * height, Rgb{10, 20, 30}));
}

void levelZeroSize(unsigned int texture, int& width, int& height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
}

std::vector<unsigned char> levelZeroTexels(unsigned int texture) {
    int width, height;
    levelZeroSize(texture, width, height);
    std::vector<unsigned char> texels((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

class Textures : public testing::Test {
protected:
    void SetUp() override { openTestGlWindow(); }
};

TEST_F(Textures, TwelveSlotsFilledInSlotOrder) {
    FreshFolder folder;
    for (int slot = 0; slot < NB_TEXTURES; slot++) {
        folder.write(slotFiles[slot], plainBmp(2 << (slot % 4), 2 << (slot / 4)));
    }
    ScopedWorkingDirectory inside(folder.path());
    Moves moves;
    testing::internal::CaptureStderr();
    moves.loadTextures();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(moves.getText(), moves.textures);
    for (int slot = 0; slot < NB_TEXTURES; slot++) {
        SCOPED_TRACE(slotFiles[slot]);
        if (slot > 0) {
            EXPECT_LT(moves.textures[slot - 1], moves.textures[slot]);
        }
        int width, height;
        levelZeroSize(moves.textures[slot], width, height);
        EXPECT_EQ(width, 2 << (slot % 4));
        EXPECT_EQ(height, 2 << (slot / 4));
        GLint minFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    }
}

// With no pictures at all each slot warns in turn: the warnings give the loading order.
TEST_F(Textures, MissingPicturesWarnInSlotOrderAndStayUsable) {
    FreshFolder folder;
    ScopedWorkingDirectory inside(folder.path());
    Moves moves;
    testing::internal::CaptureStderr();
    moves.loadTextures();
    std::string warnings = testing::internal::GetCapturedStderr();
    size_t previous = 0;
    for (int slot = 0; slot < NB_TEXTURES; slot++) {
        size_t at = warnings.find(std::string("\"") + slotFiles[slot] + "\"");
        ASSERT_NE(at, std::string::npos) << slotFiles[slot];
        EXPECT_GE(at, previous) << slotFiles[slot];
        previous = at;
        int width, height;
        levelZeroSize(moves.textures[slot], width, height);
        EXPECT_EQ(width, 1);
        EXPECT_EQ(height, 1);
    }
    EXPECT_EQ(levelZeroTexels(moves.textures[0]), std::vector<unsigned char>({128, 128, 128}));
}

TEST_F(Textures, OtherDepthsAndPaddedRowsKeepTheirColours) {
    const std::vector<Rgb> colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    const std::vector<unsigned char> expected = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    FreshFolder folder;
    for (int bits : {8, 24, 32}) {
        SCOPED_TRACE(bits);
        folder.write("picture.bmp", bmpBytes(2, 2, bits, colours));
        unsigned int texture = 0;
        glGenTextures(1, &texture);
        testing::internal::CaptureStderr();
        loadBmpTexture(folder.file("picture.bmp").c_str(), texture, bits == 32);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(levelZeroTexels(texture), expected);  // top row of the picture first
        GLint minFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    }
}

TEST_F(Textures, TruncatedPictureFallsBackToGrey) {
    FreshFolder folder;
    std::string bytes = plainBmp(64, 64);
    folder.write("cut.bmp", bytes.substr(0, bytes.size() / 2));
    unsigned int texture = 0;
    glGenTextures(1, &texture);
    testing::internal::CaptureStderr();
    loadBmpTexture(folder.file("cut.bmp").c_str(), texture, true);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cut.bmp"), std::string::npos);
    int width, height;
    levelZeroSize(texture, width, height);
    EXPECT_EQ(width * height, 1);
}

// The game's own pictures: every one loads without a warning at the size of its file.
TEST_F(Textures, ShippedPicturesLoadAtTheirSize) {
    ScopedWorkingDirectory inside(dataDirectory());
    Moves moves;
    testing::internal::CaptureStderr();
    moves.loadTextures();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (int slot = 0; slot < NB_TEXTURES; slot++) {
        SCOPED_TRACE(slotFiles[slot]);
        std::ifstream file(slotFiles[slot], std::ios::binary);
        char header[26] = {0};
        file.read(header, sizeof header);
        int32_t fileWidth, fileHeight;
        std::memcpy(&fileWidth, header + 18, 4);
        std::memcpy(&fileHeight, header + 22, 4);
        int width, height;
        levelZeroSize(moves.textures[slot], width, height);
        EXPECT_EQ(width, fileWidth);
        EXPECT_EQ(height, fileHeight < 0 ? -fileHeight : fileHeight);
    }
}

}  // namespace
