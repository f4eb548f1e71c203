// The program's command line: which camera or capture source to play with, and the help.
#include "shell/command_line.h"

static const char* const CAMERA_OPTION = "--camera";
static const char* const SOURCE_OPTION = "--capture-source";
static const char* const HELP_OPTION = "--help";
static const char* const VS_COMPUTER_OPTION = "--vs-computer";
static const char* const COMPUTER_PLAYS_OPTION = "--computer-plays";

std::string commandLineUsage() {
    return "Usage: vantorix [--camera DEVICE | --capture-source PIPELINE]\n"
           "                [--vs-computer [LEVEL] [--computer-plays N]] [--help]\n"
           "  --camera DEVICE            the camera to play with (default /dev/video0)\n"
           "  --capture-source PIPELINE  a GStreamer source to play with in place of the camera,\n"
           "                             e.g. \"videotestsrc pattern=ball\"\n"
           "  --vs-computer [LEVEL]      play alone: the computer plays player 2, at level easy,\n"
           "                             normal (the default) or hard\n"
           "  --computer-plays N         the computer plays player N (1 or 2) instead\n"
           "  --help                     show this text and exit\n";
}

// The arguments still to read, and the one being read split at its first '=' when it has one.
struct ArgumentReader {
    int argc;
    const char* const* argv;
    int at;
    std::string name;
    std::string inlineValue;
    bool hasInlineValue;

    void split() {
        std::string argument = argv[at];
        size_t equals = argument.find('=');
        hasInlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        name = hasInlineValue ? argument.substr(0, equals) : argument;
        inlineValue = hasInlineValue ? argument.substr(equals + 1) : std::string();
    }

    // The option's value, from after '=' or from the next argument; an option name in its place
    // means the value was left out. False with the reason in error.
    bool takeValue(std::string& value, std::string& error) {
        if (hasInlineValue) {
            value = inlineValue;
        } else if (at + 1 < argc && std::string(argv[at + 1]).rfind("--", 0) != 0) {
            value = argv[++at];
        } else {
            error = "option " + name + " needs a value";
            return false;
        }
        if (value.empty()) {
            error = "option " + name + " needs a value that is not empty";
            return false;
        }
        return true;
    }
};

// The computer opponent's options; false when the option is not one of them. The level may be
// left out, so only a word that is not an option is taken as the level.
static bool readComputerOption(ArgumentReader& reader, CommandLine& line, bool& computerWanted,
                               int& playerGiven) {
    std::string value;
    if (reader.name == VS_COMPUTER_OPTION) {
        computerWanted = true;
        bool nextIsValue = reader.at + 1 < reader.argc && reader.argv[reader.at + 1][0] != '-';
        if ((reader.hasInlineValue || nextIsValue) && reader.takeValue(value, line.error) &&
            !levelNamed(value, line.computerLevel)) {
            line.error = "unknown level \"" + value + "\" for --vs-computer (easy, normal or hard)";
        }
        return true;
    }
    if (reader.name == COMPUTER_PLAYS_OPTION) {
        if (reader.takeValue(value, line.error)) {
            playerGiven = value == "1" ? 1 : value == "2" ? 2 : 0;
            if (playerGiven == 0) {
                line.error = "option --computer-plays takes 1 or 2, not \"" + value + "\"";
            }
        }
        return true;
    }
    return false;
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    bool cameraGiven = false;
    bool computerWanted = false;
    int computerPlayerGiven = 0;
    ArgumentReader reader{argc, argv, 1, "", "", false};
    for (; reader.at < argc && line.error.empty(); ++reader.at) {
        reader.split();
        const std::string& name = reader.name;
        if (readComputerOption(reader, line, computerWanted, computerPlayerGiven)) {
            continue;
        }
        if (name == CAMERA_OPTION) {
            cameraGiven = reader.takeValue(line.camera, line.error);
        } else if (name == SOURCE_OPTION) {
            reader.takeValue(line.captureSource, line.error);
        } else if (name == HELP_OPTION && !reader.hasInlineValue) {
            line.help = true;
        } else if (name == HELP_OPTION) {
            line.error = "option --help takes no value";
        } else if (name.rfind("-", 0) == 0) {
            line.error = "unknown option " + name;
        } else {
            line.error = "unexpected argument \"" + name + "\"";
        }
    }
    if (line.error.empty() && cameraGiven && !line.captureSource.empty()) {
        line.error = "options --camera and --capture-source cannot be used together";
    }
    if (line.error.empty() && computerPlayerGiven != 0 && !computerWanted) {
        line.error = "option --computer-plays needs --vs-computer";
    }
    if (computerWanted) {
        line.computerPlayer = computerPlayerGiven != 0 ? computerPlayerGiven : 2;
    }
    return line;
}
