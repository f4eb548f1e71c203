// Gamepads: joystick events in SDL's queue, read by the real handleEvents, step and sign as keys do.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "game/gamepads.h"
#include "tests/game/scenario.h"
#include "tests/support/gl_context.h"

static void pushAxis(int pad, int axis, int value) {
    SDL_Event event;
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.type = SDL_JOYAXISMOTION;
    event.jaxis.which = (Uint8)pad;
    event.jaxis.axis = (Uint8)axis;
    event.jaxis.value = (Sint16)value;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

static void pushHat(int pad, Uint8 value) {
    SDL_Event event;
    event.type = SDL_JOYHATMOTION;
    event.jhat.type = SDL_JOYHATMOTION;
    event.jhat.which = (Uint8)pad;
    event.jhat.hat = 0;
    event.jhat.value = value;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

static void pushButton(int pad, int button, Uint8 type = SDL_JOYBUTTONDOWN) {
    SDL_Event event;
    event.type = type;
    event.jbutton.type = type;
    event.jbutton.which = (Uint8)pad;
    event.jbutton.button = (Uint8)button;
    event.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

// A player's step of the frame: -1 left, 1 right, 0 none, 2 for both (which must not happen).
static int stepOf(int left, int right) { return left && right ? 2 : right - left; }
static int step1(const World& world) { return stepOf(world.left1, world.right1); }
static int step2(const World& world) { return stepOf(world.left2, world.right2); }

class Gamepads : public ::testing::Test {
protected:
    Scenario s;
    void SetUp() override {
        openTestGlWindow();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        forgetPadPositions();
    }
    // One frame with the stick of pad 0 at each value in turn; player 1's step.
    int stickFrame(std::initializer_list<int> values) {
        for (int value : values) {
            pushAxis(0, 0, value);
        }
        s.world.handleEvents();
        return step1(s.world);
    }
};

TEST_F(Gamepads, OneStickPushIsOneStep) {
    EXPECT_EQ(stickFrame({9000, 20000, 32767}), 1);  // leaning in over one frame: one step
    EXPECT_EQ(stickFrame({32000}), 0);               // held: nothing more
    EXPECT_EQ(stickFrame({}), 0);                    // pulses last one frame
    EXPECT_EQ(stickFrame({12000, 30000}), 0);        // eased off but not back near the centre
    EXPECT_EQ(stickFrame({7000, 30000}), 1);         // back near the centre, pushed again
    EXPECT_EQ(stickFrame({-32768}), -1);             // flicked straight over to the other side
    EXPECT_EQ(stickFrame({0}), 0);
    EXPECT_EQ(stickFrame({-20000, 0, -20000}), -1);  // two pushes in one frame are one pulse
}

TEST_F(Gamepads, DeadZoneAndOtherAxesDoNothing) {
    EXPECT_EQ(stickFrame({STICK_PUSH, -STICK_PUSH, 15000, -15000, 0}), 0);
    EXPECT_EQ(stickFrame({STICK_PUSH + 1}), 1);
    stickFrame({0});
    pushAxis(0, 1, 32767);  // the stick's up and down, and a trigger
    pushAxis(0, 2, -32768);
    s.world.handleEvents();
    EXPECT_EQ(step1(s.world), 0);
    EXPECT_EQ(s.world.up1 + s.world.down1 + s.world.sign1, 0);
}

TEST_F(Gamepads, DpadPushIsOneStepDiagonalsIncluded) {
    pushHat(0, SDL_HAT_LEFT);
    s.world.handleEvents();
    EXPECT_EQ(step1(s.world), -1);
    pushHat(0, SDL_HAT_LEFTUP);  // still held left
    s.world.handleEvents();
    EXPECT_EQ(step1(s.world), 0);
    pushHat(0, SDL_HAT_CENTERED);
    pushHat(0, SDL_HAT_RIGHTDOWN);
    s.world.handleEvents();
    EXPECT_EQ(step1(s.world), 1);
    pushHat(0, SDL_HAT_DOWN);
    pushHat(0, SDL_HAT_UP);
    s.world.handleEvents();
    EXPECT_EQ(step1(s.world), 0);
}

TEST_F(Gamepads, ButtonsGiveTheSameSignsOnEveryPad) {
    const int buttons[3] = {2, 0, 1};  // X, A, B: left, bottom, right
    const int signs[3] = {ROCK, PAPER, SCISSORS};
    for (int i = 0; i < 3; i++) {
        pushButton(0, buttons[i]);
        pushButton(1, buttons[i]);
        s.world.handleEvents();
        EXPECT_EQ(s.world.sign1, signs[i]);
        EXPECT_EQ(s.world.sign2, signs[i]);
    }
    // Releases, the other buttons (start and select among them) and a third pad do nothing, and
    // none of them ends the game.
    pushButton(0, PAPER_BUTTON, SDL_JOYBUTTONUP);
    for (int button = 3; button < 32; button++) {
        pushButton(0, button);
    }
    pushButton(2, 0);
    pushAxis(2, 0, 32767);
    s.world.handleEvents();
    EXPECT_EQ(s.world.sign1 + s.world.sign2 + step1(s.world) + step2(s.world), 0);
}

TEST_F(Gamepads, BothPlayersAtOnceBesideTheKeyboard) {
    pushAxis(0, 0, 32767);
    pushButton(0, SCISSORS_BUTTON);
    pushHat(1, SDL_HAT_LEFT);
    pushButton(1, ROCK_BUTTON);
    s.world.handleEvents();
    EXPECT_EQ(step1(s.world), 1);
    EXPECT_EQ(step2(s.world), -1);
    EXPECT_EQ(s.world.sign1, SCISSORS);
    EXPECT_EQ(s.world.sign2, ROCK);

    // The keyboard still plays; the last sign of the frame wins, whatever gave it.
    SDL_Event key;
    key.type = SDL_KEYDOWN;
    key.key.type = SDL_KEYDOWN;
    key.key.state = SDL_PRESSED;
    key.key.keysym = SDL_keysym{0, SDLK_x, KMOD_NONE, 0};
    ASSERT_EQ(SDL_PushEvent(&key), 0);
    pushButton(1, SCISSORS_BUTTON);
    key.key.keysym.sym = SDLK_RIGHT;
    ASSERT_EQ(SDL_PushEvent(&key), 0);
    s.world.handleEvents();
    EXPECT_EQ(s.world.sign1, PAPER);
    EXPECT_EQ(s.world.sign2, SCISSORS);
    EXPECT_EQ(step2(s.world), 1);
}

// The webcam, when it plays, replaces the pads' steps and signs as it replaces the keyboard's.
TEST_F(Gamepads, TheWebcamReplacesWhatThePadsGave) {
    s.world.fight.timer = 0;
    pushAxis(0, 0, -32768);
    pushButton(1, PAPER_BUTTON);
    s.world.handleEvents();
    ASSERT_EQ(step1(s.world), -1);
    s.world.handleWebcamEvents(80, 0, 80, 0, ROCK, NO_SIGN);
    EXPECT_EQ(step1(s.world), 0);
    EXPECT_EQ(s.world.sign1, ROCK);
    EXPECT_EQ(s.world.sign2, NO_SIGN);
}
