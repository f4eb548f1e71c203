// The program's command line: which camera or capture source to play with, and the help.
#include "shell/command_line.h"

#include "net/peer_link.h"

static const char* const CAMERA_OPTION = "--camera";
static const char* const SOURCE_OPTION = "--capture-source";
static const char* const HANDS_OPTION = "--hands";
static const char* const HELP_OPTION = "--help";
static const char* const VS_COMPUTER_OPTION = "--vs-computer";
static const char* const COMPUTER_PLAYS_OPTION = "--computer-plays";
static const char* const HOST_OPTION = "--host";
static const char* const JOIN_OPTION = "--join";
static const char* const DELAY_OPTION = "--input-delay";
static const char* const NO_UPNP_OPTION = "--no-upnp";
static const int MAX_INPUT_DELAY = 8;
static const char* const RECORD_OPTION = "--record";
static const char* const REPLAY_OPTION = "--replay";
static const char* const WINDOW_OPTION = "--window";
static const char* const FULLSCREEN_OPTION = "--fullscreen";
static const char* const MENU_OPTION = "--menu";
// The window sizes taken: from a quarter of the usual window to well past any screen.
static const int SMALLEST_WIDTH = 200;
static const int SMALLEST_HEIGHT = 150;
static const int LARGEST_SIDE = 8192;

std::string commandLineUsage() {
    return "Usage: vantorix [--camera DEVICE | --capture-source PIPELINE] [--hands design|room]\n"
           "                [--vs-computer [LEVEL] [--computer-plays N]]\n"
           "                [--host [PORT] [--no-upnp] | --join HOST[:PORT]] [--input-delay FRAMES]\n"
           "                [--record FILE | --replay FILE] [--window WIDTHxHEIGHT] [--fullscreen]\n"
           "                [--menu] [--help]\n"
           "  --camera DEVICE            the camera to play with (default /dev/video0)\n"
           "  --capture-source PIPELINE  a GStreamer source to play with in place of the camera,\n"
           "                             e.g. \"videotestsrc pattern=ball\"\n"
           "  --hands design|room        how the camera finds hands: bright hands against the\n"
           "                             picture (design, the default), or in a lit room that it\n"
           "                             learns first, faces set aside (room; F3 learns again)\n"
           "  --vs-computer [LEVEL]      play alone: the computer plays player 2, at level easy,\n"
           "                             normal (the default) or hard\n"
           "  --computer-plays N         the computer plays player N (1 or 2) instead\n"
           "  --host [PORT]              wait for an opponent on another machine and play player 1\n"
           "                             (default port 7460, UDP; the router is asked to open it)\n"
           "  --no-upnp                  host without asking the router (UPnP) to open the port\n"
           "                             (also from the start screen, with --menu)\n"
           "  --join HOST[:PORT]         play player 2 against the machine that hosts\n"
           "  --input-delay FRAMES       frames between a key and its effect online, 0 to 8\n"
           "                             (default: 1 or 2, from the round trip)\n"
           "  --record FILE              record the fight into FILE, a new file\n"
           "  --replay FILE              play the fight recorded in FILE, then play on from its end\n"
           "  --window WIDTHxHEIGHT      the game window's size in pixels (default 800x600)\n"
           "  --fullscreen               start in fullscreen at the desktop's size (F11 switches)\n"
           "  --menu                     open the start screen, where the way to play is chosen\n"
           "                             and the settings are changed, instead of the fight\n"
           "  --help                     show this text and exit\n"
           "The settings saved on the start screen ($XDG_CONFIG_HOME/vantorix/settings.ini) apply\n"
           "to every run; the options above override them for the run.\n";
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

// --hands design or --hands room.
static void readHandsWay(ArgumentReader& reader, CommandLine& line) {
    std::string value;
    if (!reader.takeValue(value, line.error)) {
        return;
    }
    if (value == "design") {
        line.hands = HANDS_DESIGN;
    } else if (value == "room") {
        line.hands = HANDS_ROOM;
    } else {
        line.error = "option --hands takes design or room, not \"" + value + "\"";
    }
}

// A whole number from low to high written in decimal digits alone, or -1.
static int numberIn(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    int value = std::stoi(text);
    return value >= low && value <= high ? value : -1;
}

// The online options: --host takes its port only when one follows.
static bool readOnlineOption(ArgumentReader& reader, CommandLine& line) {
    const std::string& name = reader.name;
    std::string value;
    if (name == HOST_OPTION) {
        line.host = true;
        bool portFollows = !reader.hasInlineValue && reader.at + 1 < reader.argc &&
                           std::string(reader.argv[reader.at + 1]).rfind("-", 0) != 0;
        if ((reader.hasInlineValue || portFollows) && reader.takeValue(value, line.error) &&
            (line.port = numberIn(value, 1, 65535)) < 0) {
            line.error = "option --host needs a port number from 1 to 65535, not \"" + value + "\"";
        }
    } else if (name == JOIN_OPTION) {
        if (reader.takeValue(line.joinHost, line.error)) {
            size_t colon = line.joinHost.rfind(':');
            if (isIpv6Address(line.joinHost)) {
                line.error = "option --join needs an IPv4 address or a host name, not the IPv6 address \"" +
                             line.joinHost + "\": online play speaks IPv4 only";
            } else if (colon != std::string::npos) {
                value = line.joinHost.substr(colon + 1);
                line.joinHost.erase(colon);
                if ((line.port = numberIn(value, 1, 65535)) < 0 || line.joinHost.empty()) {
                    line.error = "option --join needs HOST or HOST:PORT with a port from 1 to 65535";
                }
            }
        }
    } else if (name == NO_UPNP_OPTION) {
        line.upnp = false;
        if (reader.hasInlineValue) {
            line.error = "option --no-upnp takes no value";
        }
    } else if (name == DELAY_OPTION) {
        if (reader.takeValue(value, line.error) &&
            (line.inputDelay = numberIn(value, 0, MAX_INPUT_DELAY)) < 0) {
            line.error = "option --input-delay needs a number of frames from 0 to 8, not \"" + value + "\"";
        }
    } else {
        return false;
    }
    if (line.port < 0) {
        line.port = 0;
    }
    return true;
}

// A recording to write or to play back.
static bool readRecordingOption(ArgumentReader& reader, CommandLine& line) {
    if (reader.name == RECORD_OPTION) {
        reader.takeValue(line.recordFile, line.error);
    } else if (reader.name == REPLAY_OPTION) {
        reader.takeValue(line.replayFile, line.error);
    } else {
        return false;
    }
    return true;
}

// Only one of the two at a time; a replay is played on this machine, while either machine of an
// online fight may record it.
static void checkRecordingOptions(CommandLine& line) {
    if (!line.recordFile.empty() && !line.replayFile.empty()) {
        line.error = "options --record and --replay cannot be used together";
    } else if (!line.replayFile.empty() && (line.host || !line.joinHost.empty())) {
        line.error = "option --replay is for a fight on this machine, not with --host or --join";
    }
}

// WIDTHxHEIGHT in whole pixels within the sizes taken; false leaves the reason in error.
static bool readWindowSize(const std::string& text, CommandLine& line) {
    int width = 0, height = 0;
    size_t x = text.find('x');
    bool digitsOnly = x != std::string::npos && x > 0 && x + 1 < text.size() &&
                      text.find_first_not_of("0123456789x") == std::string::npos &&
                      text.find('x', x + 1) == std::string::npos && x <= 5 && text.size() - x - 1 <= 5;
    if (digitsOnly) {
        width = std::stoi(text.substr(0, x));
        height = std::stoi(text.substr(x + 1));
    }
    if (!digitsOnly) {
        line.error = "option --window needs a size such as 1024x768, not \"" + text + "\"";
    } else if (width < SMALLEST_WIDTH || height < SMALLEST_HEIGHT || width > LARGEST_SIDE ||
               height > LARGEST_SIDE) {
        line.error = "option --window: " + text + " is not a usable window size (from " +
                     std::to_string(SMALLEST_WIDTH) + "x" + std::to_string(SMALLEST_HEIGHT) +
                     " to " + std::to_string(LARGEST_SIDE) + "x" + std::to_string(LARGEST_SIDE) + ")";
    } else {
        line.windowWidth = width;
        line.windowHeight = height;
        line.windowGiven = true;
    }
    return line.error.empty();
}

// The game window's options.
static bool readWindowOption(ArgumentReader& reader, CommandLine& line) {
    std::string size;
    if (reader.name == WINDOW_OPTION) {
        if (reader.takeValue(size, line.error)) {
            readWindowSize(size, line);
        }
    } else if (reader.name == FULLSCREEN_OPTION) {
        line.fullscreen = !reader.hasInlineValue;
        line.windowGiven = true;
        if (reader.hasInlineValue) {
            line.error = "option --fullscreen takes no value";
        }
    } else if (reader.name == MENU_OPTION) {
        line.menu = !reader.hasInlineValue;
        if (reader.hasInlineValue) {
            line.error = "option --menu takes no value";
        }
    } else {
        return false;
    }
    return true;
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
        } else if (name == HANDS_OPTION) {
            readHandsWay(reader, line);
            line.handsGiven = true;
        } else if (name == HELP_OPTION && !reader.hasInlineValue) {
            line.help = true;
        } else if (name == HELP_OPTION) {
            line.error = "option --help takes no value";
        } else if (readOnlineOption(reader, line) || readRecordingOption(reader, line) ||
                   readWindowOption(reader, line)) {
            continue;
        } else if (name.rfind("-", 0) == 0) {
            line.error = "unknown option " + name;
        } else {
            line.error = "unexpected argument \"" + name + "\"";
        }
    }
    line.cameraGiven = cameraGiven || !line.captureSource.empty();
    if (line.error.empty() && cameraGiven && !line.captureSource.empty()) {
        line.error = "options --camera and --capture-source cannot be used together";
    }
    if (line.error.empty() && computerPlayerGiven != 0 && !computerWanted) {
        line.error = "option --computer-plays needs --vs-computer";
    }
    if (computerWanted) {
        line.computerPlayer = computerPlayerGiven != 0 ? computerPlayerGiven : 2;
    }
    if (line.error.empty() && line.host && !line.joinHost.empty()) {
        line.error = "options --host and --join cannot be used together";
    }
    if (line.error.empty() && !line.upnp && !line.host && !line.menu) {
        line.error = "option --no-upnp is for --host (or --menu, hosting from the start screen)";
    }
    if (line.error.empty() && computerWanted && (line.host || !line.joinHost.empty())) {
        line.error = "option --vs-computer is for a fight on this machine, not with --host or --join";
    }
    if (line.error.empty()) {
        checkRecordingOptions(line);
    }
    bool wayGiven = computerWanted || line.host || !line.joinHost.empty() || !line.recordFile.empty() ||
                    !line.replayFile.empty();
    if (line.error.empty() && line.menu && wayGiven) {
        line.error = "option --menu opens the start screen, where the fight is chosen; it does not go "
                     "with --vs-computer, --host, --join, --record or --replay";
    }
    return line;
}
