// Data files found by fuzzing the readers: damaged pictures refused by name, odd motion-file ends.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "animation/bmp_surface.h"
#include "animation/filreader.h"
#include "animation/texture.h"
#include "tests/animation/motion_files.h"
#include "tests/support/gl_context.h"

namespace {

void put(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; i++) {
        bytes += (char)((value >> (8 * i)) & 0xFF);
    }
}

// A BMP with a plain 40-byte header claiming the given bits per pixel, then dataBytes zeros.
std::string bmpClaiming(int width, int height, int bits, int dataBytes) {
    std::string bytes = "BM";
    put(bytes, 54 + dataBytes, 4);
    put(bytes, 0, 4);
    put(bytes, 54, 4);
    put(bytes, 40, 4);
    put(bytes, width, 4);
    put(bytes, height, 4);
    put(bytes, 1, 2);
    put(bytes, bits, 2);
    for (int field = 0; field < 6; field++) {  // no compression, sizes and colours unset
        put(bytes, 0, 4);
    }
    return bytes + std::string(dataBytes, '\0');
}

std::string loadWarning(const std::string& path, SDL_Surface*& surface) {
    testing::internal::CaptureStderr();
    surface = loadBgr24Surface(path.c_str());
    return testing::internal::GetCapturedStderr();
}

// SDL takes any bit count from the header and hands back a surface whose format fits no pixel
// layout (1024 bits come out as 0 bits of 128 bytes each); converting it read far past the
// pixels.
TEST(DamagedPictures, UnknownBitCountsAreRefused) {
    FreshFolder folder;
    for (int bits : {1024, 64, 48, 12}) {
        SCOPED_TRACE(bits);
        folder.write("odd.bmp", bmpClaiming(2, 2, bits, 2000));
        SDL_Surface* surface = nullptr;
        std::string warning = loadWarning(folder.file("odd.bmp"), surface);
        EXPECT_EQ(surface, nullptr);
        EXPECT_NE(warning.find("\"" + folder.file("odd.bmp") + "\" is damaged"), std::string::npos)
            << warning;
        EXPECT_NE(warning.find("pixel format"), std::string::npos) << warning;
        if (surface != nullptr) {
            SDL_FreeSurface(surface);
        }
    }
    // The same header at the usual 24 bits loads.
    folder.write("plain.bmp", bmpClaiming(2, 2, 24, 16));
    SDL_Surface* surface = nullptr;
    EXPECT_EQ(loadWarning(folder.file("plain.bmp"), surface), "");
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->w, 2);
    EXPECT_EQ(surface->format->BitsPerPixel, 24);
    SDL_FreeSurface(surface);
}

// SDL allocates what the header claims before reading a pixel: a damaged header asked for an
// overflowed, impossible size (found by fuzzing), or for gigabytes it could get.
TEST(DamagedPictures, HeadersClaimingHugePicturesAreRefusedBeforeLoading) {
    FreshFolder folder;
    const unsigned char found[] = {0x42, 0x4d, 0x0a, 0x62, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
                                   0x01, 0x01, 0x00, 0x28, 0x00, 0x08, 0x20, 0x09, 0x10, 0x00, 0x00,
                                   0x09, 0xd4, 0x00, 0x00, 0x01, 0x00, 0x01, 0x2b, 0x00, 0x00, 0x00,
                                   0x00};
    folder.write("found.bmp", std::string((const char*)found, sizeof found));
    folder.write("wide.bmp", bmpClaiming(9000, 2, 24, 64));
    folder.write("tall.bmp", bmpClaiming(2, -9000, 24, 64));
    for (const char* name : {"found.bmp", "wide.bmp", "tall.bmp"}) {
        SCOPED_TRACE(name);
        SDL_Surface* surface = nullptr;
        std::string warning = loadWarning(folder.file(name), surface);
        EXPECT_EQ(surface, nullptr);
        EXPECT_NE(warning.find("is damaged: its header claims"), std::string::npos) << warning;
    }
    // The largest side a picture may have still loads as far as its data goes.
    folder.write("edge.bmp", bmpClaiming(8192, 1, 24, 8192 * 3));
    SDL_Surface* surface = nullptr;
    EXPECT_EQ(loadWarning(folder.file("edge.bmp"), surface), "");
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->w, 8192);
    SDL_FreeSurface(surface);
}

// The fuzzer's own find: a header cut short, 1024 bits per pixel and a 8192 x 2560 picture.
TEST(DamagedPictures, FoundHeaderShowsAsGreyTexture) {
    const unsigned char found[] = {0x42, 0x4d, 0xc6, 0x00, 0x00, 0x3e, 0x00, 0x00, 0x00, 0x00, 0x00,
                                   0x76, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x20, 0x00,
                                   0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x01, 0x00, 0x04, 0x00,
                                   0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x10, 0x00,
                                   0x00};
    openTestGlWindow();
    FreshFolder folder;
    folder.write("found.bmp", std::string((const char*)found, sizeof found));
    unsigned int texture = 0;
    glGenTextures(1, &texture);
    testing::internal::CaptureStderr();
    loadBmpTexture(folder.file("found.bmp").c_str(), texture, false);
    std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("found.bmp\" is damaged"), std::string::npos) << warning;
    int width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
}

// A closing "g" as the file's very last byte: the character read takes it without looking past
// it, so the file is not ended until the next read, as with the stream's own character read.
TEST(DamagedMotionFiles, ClosingGroupAsLastByteLeavesTheFileOpenUntilTheNextRead) {
    FreshFolder folder;
    folder.write("pose.txt", "vt 0 0\nvn 0 0 1\nf 1-1/1 14/1/1 1/1/1\ng");
    FileReader reader(folder.file("pose.txt").c_str());
    Mesh pose = reader.getAll();
    ASSERT_EQ(pose[MESH_FACES].size(), 1u);
    EXPECT_EQ(pose[MESH_FACES][0], MeshRow({1, 1, 1, 14, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(reader.inputFile.eof());
    EXPECT_FALSE(reader.inputFile.fail());
    EXPECT_EQ(reader.nextWord(), "");
    EXPECT_TRUE(reader.inputFile.eof());
}

}  // namespace
