// The game's start: the fight, the backdrop, the view window and the webcam worker.
#include "shell/start.h"

#include <cstdlib>

#include "game/gamepads.h"
#include "game/learn_again_key.h"
#include "platform/view_window.h"
#include "render/Moteur3d.h"
#include "render/game_window.h"
#include "render/text.h"
#include "scenery/backgrnd.h"
#include "shell/Son.h"
#include "shell/computer_seat.h"
#include "shell/game_objects.h"
#include "shell/player_settings.h"
#include "shell/replay_control.h"
#include "shell/shell.h"
#include "shell/webcam_worker_control.h"

static void startSoundAndMusic() {
    initSon();
    playBackgroundMusic();
}

// A new GL context after a change of window mode has none of the game's pictures or planets.
static void remakeGlResources() {
    world.moves.loadTextures();
    remakeBackgroundGl();
    forgetTextTextures();
}

static void requestWindow(const CommandLine& options) {
    WindowRequest window;
    window.width = options.windowWidth;
    window.height = options.windowHeight;
    window.fullscreen = options.fullscreen;
    requestGameWindow(window);
    onGlContextRenewed(remakeGlResources);
}

void startGame(const CommandLine& options) {
    WebCam.captureDevice = options.camera;
    WebCam.captureSource = options.captureSource;
    chooseHandsWay(options.hands);
    onLearnAgainKey(askToLearnAgain);
    initWindowThreads();
    setSoundStart(startSoundAndMusic);
    if (options.computerPlayer != 0) {
        seatComputer(options.computerPlayer, options.computerLevel);
    }
    requestWindow(options);
    world.init();
    openGamepads();
    createBackground();
    // The backdrop drew its numbers before this point, so it is the same on every run.
    srand(sparkSeed());
    openWebcamView();
    // A replay's robots follow the recording alone; the start screen starts the camera with
    // the fight; the settings may have switched it off, unless the command line names one.
    if (options.replayFile.empty() && !options.menu && (playerSettings().webcam || options.cameraGiven)) {
        startWebcamWorker();
    }
}
