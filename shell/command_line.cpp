// The program's command line: which camera or capture source to play with, and the help.
#include "shell/command_line.h"

static const char* const CAMERA_OPTION = "--camera";
static const char* const SOURCE_OPTION = "--capture-source";
static const char* const HELP_OPTION = "--help";

std::string commandLineUsage() {
    return "Usage: vantorix [--camera DEVICE | --capture-source PIPELINE] [--help]\n"
           "  --camera DEVICE            the camera to play with (default /dev/video0)\n"
           "  --capture-source PIPELINE  a GStreamer source to play with in place of the camera,\n"
           "                             e.g. \"videotestsrc pattern=ball\"\n"
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

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    bool cameraGiven = false;
    ArgumentReader reader{argc, argv, 1, "", "", false};
    for (; reader.at < argc && line.error.empty(); ++reader.at) {
        reader.split();
        const std::string& name = reader.name;
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
    return line;
}
