// The program's command line: which camera or capture source to play with, and the help.
#ifndef VANTORIX_COMMAND_LINE_H
#define VANTORIX_COMMAND_LINE_H

#include <string>

#include "computer/level.h"
#include "webcam/worker.h"

struct CommandLine {
    // The camera device; the first camera unless --camera names another.
    std::string camera = "/dev/video0";
    // A capture source in the media library's pipeline language, used in place of the camera.
    std::string captureSource;
    // How the webcam's pictures are read: the design way (bright hands against the mean) unless
    // --hands room asks for the room way (the room and the players learnt, faces set aside).
    HandsWay hands = HANDS_DESIGN;
    bool help = false;
    // Playing alone: the player the computer plays (0 while two people play) and its level.
    int computerPlayer = 0;
    Level computerLevel = NORMAL;
    // Online play: --host [PORT] listens for one opponent and plays player 1, --join HOST[:PORT]
    // plays player 2 against it; a port of 0 is the default one. --input-delay FRAMES, -1 when
    // chosen from the round trip.
    bool host = false;
    std::string joinHost;
    int port = 0;
    int inputDelay = -1;
    // A host asks the router (UPnP) to open its port unless --no-upnp says not to.
    bool upnp = true;
    // Record the fight into this new file, or replay the one it holds (never both).
    std::string recordFile;
    std::string replayFile;
    // The game window: its size in pixels, and whether play starts in fullscreen.
    int windowWidth = 800;
    int windowHeight = 600;
    bool fullscreen = false;
    // Given on the command line, these override the player's settings for the run.
    bool windowGiven = false;
    bool cameraGiven = false;
    bool handsGiven = false;
    // The start screen first (--menu), rather than the fight.
    bool menu = false;
    // One line saying what is wrong with the command line; empty when it is good.
    std::string error;
};

// Reads --camera DEVICE, --capture-source PIPELINE, --hands WAY, --vs-computer [LEVEL], --computer-plays N,
// the online options, --record FILE, --replay FILE, --window WIDTHxHEIGHT, --fullscreen, --menu and --help
// (each value also as --name=value). An unknown option, a missing or empty value, a stray
// argument, or options that exclude each other (both sources, --record with --replay, ...) leave
// the reason in error.
CommandLine parseCommandLine(int argc, const char* const* argv);

// The usage text, several lines, each ending in a newline.
std::string commandLineUsage();

#endif
