// The process entry: reads the command line, starts the fight and the backdrop, runs the main loop.
#include <cstdio>

#include "shell/command_line.h"
#include "shell/online_control.h"
#include "shell/replay_control.h"
#include "shell/shell.h"
#include "shell/start.h"

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
    if (!prepareRecordOrReplay(options)) {
        return 2;
    }
    if (!openOnlinePlay(options)) {
        return 1;
    }
    startGame(options);
    meetOpponent();
    return main2();
}
