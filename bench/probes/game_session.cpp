// The game brought up as its own main() does, for the probes that time and weigh it.
#include "bench/probes/game_session.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/frame.h"
#include "shell/game_objects.h"
#include "shell/start.h"
#include "shell/webcam_worker_control.h"

const char* const TEST_CAMERA_SOURCE =
    "videotestsrc is-live=true pattern=ball ! video/x-raw,width=640,height=480,framerate=30/1";

double nowMicroseconds() { return monotonicMicroseconds(); }

double processCpuSeconds() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long residentKilobytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    long kilobytes = -1;
    char line[256];
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kilobytes = std::atol(line + 6);
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return kilobytes;
}

void enterDataFolder(const char* folder) {
    if (chdir(folder) != 0) {
        std::fprintf(stderr, "probe: cannot enter the data folder %s\n", folder);
        std::exit(2);
    }
}

bool startGameOn(const std::string& cameraSource, HandsWay hands) {
    CommandLine options;
    options.captureSource = cameraSource;
    options.hands = hands;
    startGame(options);
    // The worker grabs and analyses the test picture as it would a camera's, but the scripted
    // keys play the fight: a moving ball must not walk the robots in their place (F1's switch).
    world.webcamOn = false;
    return webcamWorkerThread().joinable();
}

std::thread& webcamWorker() { return webcamWorkerThread(); }

void stopGame() { stopWebcamWorker(); }
