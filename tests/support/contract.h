// The real program's words that tests look for: its window titles and the lines it prints.
#ifndef VANTORIX_TEST_CONTRACT_H
#define VANTORIX_TEST_CONTRACT_H

#include <string>

const char* const GAME_WINDOW = "Vantorix";
const char* const VIEW_WINDOW = "Vantorix webcam";

// Standard output: the view window's loop asks the webcam worker to stop, and the worker stops.
const char* const QUIT_LINE = "Signaling thread to quit\n";
const char* const THREAD_LINE = "Thread quitting\n";

const char* const USAGE_START = "Usage: vantorix ";

// SDL_mixer's and SDL's own failures, as the game passes them on.
const char* const AUDIO_FAILURE = "Unable to initialize audio: ";
const char* const OGG_LOAD_FAILURE = "Unable to load Ogg file: ";  // on standard output
const char* const WAV_LOAD_FAILURE = "Unable to load WAV file: ";
const char* const WAV_PLAY_FAILURE = "Unable to play WAV file: ";

const char* const NO_GAME_WINDOW = "cannot open the 800 x 600 OpenGL game window";
const char* const KEYBOARD_PLAYS = "; play continues on the keyboard\n";
const char* const CAMERA_LOST = "stopped giving pictures";
const char* const CAMERA_UNCONNECTED = "cannot be connected";

inline std::string unusableMotionFile(const std::string& file) {
    return "Vantorix: unusable motion file \"" + file + "\": ";
}

inline std::string unloadablePicture(const std::string& file) {
    return "cannot load picture \"" + file + "\"";
}

// The whole line said once when a capture source stops, with GStreamer's reason.
inline std::string cameraLostLine(const std::string& source, const std::string& reason) {
    return "Vantorix: capture source \"" + source + "\" " + CAMERA_LOST + " (" + reason + ")" +
           KEYBOARD_PLAYS;
}

// The start of the line said when a camera device cannot be opened.
inline std::string cameraUnconnectedStart(const std::string& device) {
    return "Vantorix: camera " + device + " " + CAMERA_UNCONNECTED + " (";
}

// Recording and replaying a fight (standard error): the replay's end, a replay that no longer
// matches its recording, a recording that was not closed or cannot be written, and the refusals.
const char* const TAKE_OVER = "; the players take over\n";
const char* const NO_LONGER_MATCHING = "no longer shows the recorded fight";
const char* const ENDS_EARLY = "ends early";
const char* const RECORDING_UNWRITABLE = "cannot write the recording";
inline std::string replayRefusal(const std::string& file, const std::string& reason) {
    return "Vantorix: cannot replay \"" + file + "\": " + reason + "\n";
}
inline std::string recordingExists(const std::string& file) {
    return "Vantorix: the file \"" + file + "\" already exists; --record never replaces a file\n";
}

// Online play (standard error): the host waiting, the fight under way, a refused joiner, a lost
// peer and a desync.
const char* const WAITING_FOR_OPPONENT = "Vantorix: waiting for an opponent on port ";
const char* const ONLINE_FIGHT = "Vantorix: online fight, you are player ";
const char* const STILL_WAITING = "; still waiting\n";
const char* const BACK_TO_LOCAL = "; back to local play, both players on this machine\n";
const char* const PEER_LEFT = "Vantorix: the other player left the fight";
const char* const PEER_SILENT = "Vantorix: the other player has been silent for 5 s";
const char* const DESYNC = "went out of step with the other machine";

// A host asking its router to open the port (standard output).
const char* const ROUTER_OPENED = "Vantorix: The router opened UDP port ";
const char* const ROUTER_REFUSED = "Vantorix: The router refused to open UDP port ";
const char* const NO_ROUTER = "Vantorix: No router answered UPnP within 2 s";

#endif
