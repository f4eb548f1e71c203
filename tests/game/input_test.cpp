// Keyboard and webcam input: the key table, pulses per frame, the webcam gates and dead zone.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "platform/game_end.h"
#include "tests/support/gl_context.h"
#include "tests/game/scenario.h"

static void pushKey(SDLKey key, Uint8 type = SDL_KEYDOWN) {
    SDL_Event event;
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = KMOD_NONE;
    event.key.keysym.scancode = 0;
    event.key.keysym.unicode = 0;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// Empties whatever the window system queued before the test's own keys.
static void drainEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlWindow();
        drainEvents();
    }
};

TEST_F(KeyboardTest, LastSignKeyOfAFrameWins) {
    Scenario s;
    pushKey(SDLK_x);
    pushKey(SDLK_c);
    s.world.handleEvents();
    EXPECT_EQ(s.world.sign1, 3);
    EXPECT_EQ(s.world.sign2, 0);
    s.world.handleEvents();  // inputs are pulses
    EXPECT_EQ(s.world.sign1, 0);
}

TEST_F(KeyboardTest, TableOfBothPlayers) {
    Scenario s;
    pushKey(SDLK_a);
    pushKey(SDLK_d);
    pushKey(SDLK_w);
    pushKey(SDLK_s);
    pushKey(SDLK_z);
    s.world.handleEvents();
    EXPECT_EQ(s.world.left1 + s.world.right1 + s.world.up1 + s.world.down1, 4);
    EXPECT_EQ(s.world.sign1, 1);
    EXPECT_EQ(s.world.left2 + s.world.right2 + s.world.up2 + s.world.down2 + s.world.sign2, 0);

    pushKey(SDLK_LEFT);
    pushKey(SDLK_RIGHT);
    pushKey(SDLK_UP);
    pushKey(SDLK_DOWN);
    pushKey(SDLK_m);
    pushKey(SDLK_n);
    s.world.handleEvents();
    EXPECT_EQ(s.world.left2 + s.world.right2 + s.world.up2 + s.world.down2, 4);
    EXPECT_EQ(s.world.sign2, 2);
    EXPECT_EQ(s.world.left1 + s.world.right1 + s.world.up1 + s.world.down1 + s.world.sign1, 0);

    pushKey(SDLK_b);
    pushKey(SDLK_x);
    s.world.handleEvents();
    EXPECT_EQ(s.world.sign2, 1);
    EXPECT_EQ(s.world.sign1, 2);
}

TEST_F(KeyboardTest, ReleasesAndOtherKeysAreIgnored) {
    Scenario s;
    pushKey(SDLK_x, SDL_KEYUP);
    pushKey(SDLK_d, SDL_KEYUP);
    pushKey(SDLK_q);
    pushKey(SDLK_SPACE);
    s.world.handleEvents();
    EXPECT_EQ(s.world.sign1, 0);
    EXPECT_EQ(s.world.right1, 0);
    EXPECT_EQ(s.world.fight.lastSign1, 0);
}

TEST_F(KeyboardTest, FunctionKeysSwitchTheWebcam) {
    Scenario s;
    pushKey(SDLK_F1);
    s.world.handleEvents();
    EXPECT_FALSE(s.world.webcamOn);
    pushKey(SDLK_F2);
    s.world.handleEvents();
    EXPECT_TRUE(s.world.webcamOn);
    pushKey(SDLK_F2);
    pushKey(SDLK_F1);
    s.world.handleEvents();
    EXPECT_FALSE(s.world.webcamOn);
}

TEST_F(KeyboardTest, FGHAddSlotOneToTowersThreeFourFiveInAnyState) {
    Scenario s;
    s.play(both(PAPER, PAPER));
    s.wait(9);
    s.play(player1(ROCK));
    ASSERT_EQ(s.gameState(), DUEL_UNDER_WAY);
    pushKey(SDLK_f);
    pushKey(SDLK_g);
    pushKey(SDLK_h);
    s.world.handleEvents();
    EXPECT_EQ(s.world.towerKeys, TOWER_KEY_F | TOWER_KEY_G | TOWER_KEY_H);
    EXPECT_EQ(s.world.sign1 + s.world.sign2, 0);
    s.world.update();
    EXPECT_EQ(s.newestSlot(3), 1);
    EXPECT_EQ(s.newestSlot(4), 1);
    EXPECT_EQ(s.newestSlot(5), 1);
}

TEST_F(KeyboardTest, AKeyPressDrivesTheNextUpdate) {
    Scenario s;
    pushKey(SDLK_x);
    s.world.handleEvents();
    s.world.update();
    EXPECT_EQ(s.state(1), WINDING_UP);
    EXPECT_EQ(s.newestSlot(1), 3);  // "feuille.bmp"
}

// Escape and closing the game window end the game with status 0, for main to wind it down.
TEST(Quit, EscapeAndClosingTheWindowEndTheGameWithStatusZero) {
    openTestGlWindow();
    SDL_Event close;
    close.type = SDL_QUIT;
    for (bool escape : {true, false}) {
        World world;
        if (escape) {
            pushKey(SDLK_ESCAPE);
        } else {
            SDL_PushEvent(&close);
        }
        int status = -1;
        try {
            world.handleEvents();
        } catch (const GameEnd& end) {
            status = end.status;
        }
        EXPECT_EQ(status, 0) << (escape ? "Escape" : "closing");
    }
}

TEST(WebcamInput, DeadZoneAndDirection) {
    struct Row {
        int baryX, left, right;
    };
    const Row rows[] = {{80, 0, 0}, {66, 0, 0}, {94, 0, 0}, {65, 0, 1},
                        {95, 1, 0}, {0, 0, 1},  {159, 1, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.baryX);
        Scenario s;
        s.world.fight.timer = 899;
        s.world.handleWebcamEvents(row.baryX, 40, 80, 40, 0, 0);
        EXPECT_EQ(s.world.left1, row.left);
        EXPECT_EQ(s.world.right1, row.right);
        EXPECT_EQ(s.world.left2 + s.world.right2, 0);
        s.world.handleWebcamEvents(80, 40, row.baryX, 40, 0, 0);
        EXPECT_EQ(s.world.left2, row.left);
        EXPECT_EQ(s.world.right2, row.right);
        EXPECT_EQ(s.world.left1 + s.world.right1, 0);
    }
}

TEST(WebcamInput, OnlySignsOneToThreeCount) {
    Scenario s;
    s.world.fight.timer = 899;
    s.world.handleWebcamEvents(80, 0, 80, 0, 0, 2);
    EXPECT_EQ(s.world.sign1, 0);
    EXPECT_EQ(s.world.sign2, 2);
    s.world.handleWebcamEvents(80, 0, 80, 0, 4, -1);
    EXPECT_EQ(s.world.sign1, 0);
    EXPECT_EQ(s.world.sign2, 0);
    s.world.handleWebcamEvents(80, 0, 80, 0, 3, 1);
    EXPECT_EQ(s.world.sign1, 3);
    EXPECT_EQ(s.world.sign2, 1);
}

// The keyboard's inputs of the frame are cleared even when the webcam gives none.
static void expectClearedAndNothingSet(Scenario& s) {
    s.world.sign1 = 2;
    s.world.right2 = 1;
    s.world.handleWebcamEvents(0, 0, 159, 0, 3, 3);
    EXPECT_EQ(s.world.sign1 + s.world.sign2, 0);
    EXPECT_EQ(s.world.left1 + s.world.right1 + s.world.left2 + s.world.right2, 0);
}

TEST(WebcamInput, FirstFiftyOneFramesAreIgnored) {
    Scenario s;
    s.wait(50);
    expectClearedAndNothingSet(s);
    s.wait(1);
    ASSERT_EQ(s.world.fight.timer, 898);
    s.world.handleWebcamEvents(0, 0, 159, 0, 3, 3);
    EXPECT_EQ(s.world.sign1, 3);
    EXPECT_EQ(s.world.right1, 1);
    EXPECT_EQ(s.world.left2, 1);
}

TEST(WebcamInput, SwitchedOffIsIgnored) {
    Scenario s;
    s.world.fight.timer = 0;
    s.world.webcamOn = false;
    expectClearedAndNothingSet(s);
}
