// The process entry: reads the command line, starts the fight and the backdrop, runs the main
// loop, and is the one place the game ends, whichever way it ends.
#include <SDL/SDL.h>

#include <cstdio>

#include "net/upnp.h"
#include "platform/game_end.h"
#include "shell/command_line.h"
#include "shell/online_control.h"
#include "shell/player_settings.h"
#include "shell/replay_control.h"
#include "shell/shell.h"
#include "shell/start.h"
#include "shell/start_screen.h"
#include "shell/webcam_worker_control.h"

// Every way out winds down here, once and in this order: the recording closed complete, the
// other machine told, the router's port taken back, the worker stopped before the window it
// paints goes, then the windows and the sound.
static void shutDown() {
    finishRecording();
    leaveOnlinePlay();
    closeRouterPort();
    stopWebcamWorker();
    closeWebcamView();
    SDL_Quit();
    std::fflush(stdout);
    std::fflush(stderr);
}

static int play(const CommandLine& options) {
    if (!openOnlinePlay(options)) {
        return 1;
    }
    startGame(options);
    if (options.menu) {
        openStartScreen(options);
    }
    return main2();
}

// With automatic recording on, a fight started from the command line is recorded too, unless
// the command line records or replays one itself.
static void recordAutomatically(CommandLine& options) {
    if (!playerSettings().recordFights || options.menu || !options.recordFile.empty() ||
        !options.replayFile.empty()) {
        return;
    }
    std::string error;
    options.recordFile = newRecordingPath(error);
    if (options.recordFile.empty()) {
        std::fprintf(stderr, "Vantorix: %s; the fight is not recorded\n", error.c_str());
    }
}

int main(int argc, char** argv) {
    CommandLine options = parseCommandLine(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "Vantorix: %s\n%s", options.error.c_str(), commandLineUsage().c_str());
        return 2;
    }
    if (options.help) {
        std::printf("%sVantorix %s\n", commandLineUsage().c_str(), VANTORIX_VERSION);
        return 0;
    }
    applyPlayerSettings(loadPlayerSettings(options));
    recordAutomatically(options);
    if (!prepareRecordOrReplay(options)) {
        return 2;
    }
    int status;
    try {
        status = play(options);
    } catch (const GameEnd& end) {
        status = end.status;
    }
    shutDown();
    return status;
}
