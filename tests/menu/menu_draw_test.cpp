// The start screen drawn in a real GL window at two sizes: the same picture in proportion, the
// title high in the picture, nothing in the letterbox's bars, the items where the mouse finds them.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/menu.h"
#include "menu/menu_draw.h"
#include "render/game_window.h"
#include "render/text.h"
#include "tests/support/gl_context.h"

// The bright pixels' box in one band of the picture, in shares of the picture's size.
struct Found {
    float left = 1, right = 0, top = 1, bottom = 0;
    int count = 0;
    int inBars = 0;
};

static Found brightPixels(int windowWidth, int windowHeight, float fromTop, float toTop) {
    std::vector<unsigned char> rgb((size_t)windowWidth * windowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    Letterbox picture = letterbox(windowWidth, windowHeight);
    Found found;
    for (int y = 0; y < windowHeight; y++) {
        for (int x = 0; x < windowWidth; x++) {
            const unsigned char* p = &rgb[((size_t)y * windowWidth + x) * 3];
            if (p[0] < 200 || p[1] < 200 || p[2] < 200) {
                continue;
            }
            float across = (float)(x - picture.x) / picture.width;
            float down = 1.0f - (float)(y - picture.y) / picture.height;
            if (across < 0 || across > 1 || down < 0 || down > 1) {
                found.inBars++;
            } else if (down >= fromTop && down < toTop) {
                found.count++;
                found.left = std::min(found.left, across);
                found.right = std::max(found.right, across);
                found.top = std::min(found.top, down);
                found.bottom = std::max(found.bottom, down);
            }
        }
    }
    return found;
}

struct Drawn {
    Found title;
    std::vector<MenuRect> items;
    Letterbox picture;
};

static Drawn drawStartAt(int width, int height) {
    openTestGlWindow();
    EXPECT_NE(SDL_SetVideoMode(width, height, 32, SDL_OPENGL), nullptr) << SDL_GetError();
    // Mesa takes the window's new size at a swap, as the game's frames do.
    SDL_GL_SwapBuffers();
    std::string error;
    EXPECT_TRUE(openTextFonts(error)) << error;
    // A new mode may come with a new context: the words are made again.
    forgetTextTextures();
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    Drawn drawn;
    drawn.items = drawMenu(Menu(Settings()).page());
    drawn.title = brightPixels(width, height, 0.0f, 0.25f);
    drawn.picture = currentPicture();
    return drawn;
}

TEST(MenuDraw, StartScreenKeepsItsProportionsAtEverySize) {
    Drawn small = drawStartAt(800, 600);
    Drawn wide = drawStartAt(1920, 1080);
    for (const Drawn* d : {&small, &wide}) {
        EXPECT_GT(d->title.count, 500);
        EXPECT_EQ(d->title.inBars, 0);
        EXPECT_NEAR((d->title.left + d->title.right) / 2, 0.5f, 0.02f);
        EXPECT_GT(d->title.top, 0.03f);
        ASSERT_EQ(d->items.size(), 7u);
        for (size_t k = 0; k < d->items.size(); k++) {
            EXPECT_EQ(d->items[k].item, (int)k);
            EXPECT_GE(d->items[k].x, d->picture.x);
            EXPECT_LE(d->items[k].x + d->items[k].width, d->picture.x + d->picture.width);
        }
        EXPECT_GT(d->items[0].y, d->title.bottom * d->picture.height);
    }
    EXPECT_NEAR(small.title.left, wide.title.left, 0.01f);
    EXPECT_NEAR(small.title.right, wide.title.right, 0.01f);
    EXPECT_NEAR(small.title.bottom, wide.title.bottom, 0.01f);
    float scale = 1080.0f / 600.0f;
    EXPECT_NEAR(wide.items[6].y, small.items[6].y * scale, 3.0f);
    EXPECT_NEAR(wide.items[6].x - wide.picture.x, small.items[6].x * scale, 3.0f);
}
