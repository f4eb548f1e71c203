// The program's command line: the two ways to choose the capture, the help, and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_line.h"

static CommandLine parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "vantorix");
    return parseCommandLine((int)arguments.size(), arguments.data());
}

TEST(CommandLineChoices, NoArgumentsPlaysWithTheFirstCamera) {
    CommandLine line = parse({});
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.camera, "/dev/video0");
    EXPECT_EQ(line.captureSource, "");
    EXPECT_FALSE(line.help);
}

TEST(CommandLineChoices, ValuesComeAsNextArgumentOrAfterEquals) {
    CommandLine camera = parse({"--camera", "/dev/video1"});
    EXPECT_EQ(camera.error, "");
    EXPECT_EQ(camera.camera, "/dev/video1");
    EXPECT_EQ(camera.captureSource, "");

    // A pipeline carries its own spaces and '=' signs; it is kept whole.
    CommandLine source = parse({"--capture-source", "videotestsrc pattern=ball is-live=true"});
    EXPECT_EQ(source.error, "");
    EXPECT_EQ(source.captureSource, "videotestsrc pattern=ball is-live=true");
    CommandLine joined = parse({"--capture-source=videotestsrc pattern=ball"});
    EXPECT_EQ(joined.error, "");
    EXPECT_EQ(joined.captureSource, "videotestsrc pattern=ball");
    EXPECT_EQ(parse({"--camera=/dev/video2"}).camera, "/dev/video2");

    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--camera", "/dev/video1", "--help"}).help);
}

TEST(CommandLineRefusals, EachErrorNamesWhatIsWrong) {
    EXPECT_EQ(parse({"--cam", "/dev/video1"}).error, "unknown option --cam");
    EXPECT_EQ(parse({"-h"}).error, "unknown option -h");
    EXPECT_EQ(parse({"--fullscreen=yes"}).error, "option --fullscreen takes no value");
    EXPECT_EQ(parse({"/dev/video1"}).error, "unexpected argument \"/dev/video1\"");
    EXPECT_EQ(parse({"--help=me"}).error, "option --help takes no value");
}

TEST(CommandLineRefusals, MissingOrEmptyValues) {
    EXPECT_EQ(parse({"--camera"}).error, "option --camera needs a value");
    EXPECT_EQ(parse({"--capture-source"}).error, "option --capture-source needs a value");
    // The next option is not taken as the value.
    EXPECT_EQ(parse({"--camera", "--help"}).error, "option --camera needs a value");
    EXPECT_EQ(parse({"--camera", ""}).error, "option --camera needs a value that is not empty");
    EXPECT_EQ(parse({"--capture-source="}).error,
              "option --capture-source needs a value that is not empty");
}

TEST(CommandLineRefusals, BothSourcesAtOnceAreRefused) {
    EXPECT_EQ(parse({"--camera", "/dev/video1", "--capture-source", "videotestsrc"}).error,
              "options --camera and --capture-source cannot be used together");
    // The first error stands: reading stops there.
    EXPECT_EQ(parse({"--nope", "--camera"}).error, "unknown option --nope");
}

TEST(CommandLineWindow, SizeAndFullscreen) {
    CommandLine plain = parse({});
    EXPECT_EQ(plain.windowWidth, 800);
    EXPECT_EQ(plain.windowHeight, 600);
    EXPECT_FALSE(plain.fullscreen);
    CommandLine sized = parse({"--window", "1024x768", "--fullscreen"});
    EXPECT_EQ(sized.error, "");
    EXPECT_EQ(sized.windowWidth, 1024);
    EXPECT_EQ(sized.windowHeight, 768);
    EXPECT_TRUE(sized.fullscreen);
    EXPECT_EQ(parse({"--window=200x150"}).windowHeight, 150);
    EXPECT_EQ(parse({"--window=8192x8192"}).windowWidth, 8192);
}

TEST(CommandLineWindow, MalformedOrAbsurdSizesAreRefused) {
    for (const char* size : {"800", "800x", "x600", "800X600", "800x600x2", "-800x600", "80 0x600",
                             "800x+600", "1e3x600", "axb", "99999999999x600"}) {
        EXPECT_EQ(parse({"--window", size}).error,
                  "option --window needs a size such as 1024x768, not \"" + std::string(size) + "\"");
    }
    for (const char* size : {"0x0", "199x600", "800x149", "8193x600", "800x10000", "00000x00000"}) {
        EXPECT_EQ(parse({"--window", size}).error,
                  "option --window: " + std::string(size) +
                      " is not a usable window size (from 200x150 to 8192x8192)");
    }
    EXPECT_EQ(parse({"--window"}).error, "option --window needs a value");
}

TEST(CommandLineUsage, NamesEveryOption) {
    std::string usage = commandLineUsage();
    EXPECT_EQ(usage.rfind("Usage: vantorix ", 0), 0u);
    for (const char* option : {"--camera DEVICE", "--capture-source PIPELINE", "--window WIDTHxHEIGHT",
                               "--fullscreen", "--help"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(usage.back(), '\n');
}

TEST(CommandLineComputer, PlayingAloneChoosesTheComputersPlayerAndLevel) {
    CommandLine twoPeople = parse({});
    EXPECT_EQ(twoPeople.computerPlayer, 0);
    CommandLine byDefault = parse({"--vs-computer"});
    EXPECT_EQ(byDefault.error, "");
    EXPECT_EQ(byDefault.computerPlayer, 2);
    EXPECT_EQ(byDefault.computerLevel, NORMAL);
    CommandLine hard = parse({"--vs-computer", "hard", "--computer-plays", "1"});
    EXPECT_EQ(hard.error, "");
    EXPECT_EQ(hard.computerPlayer, 1);
    EXPECT_EQ(hard.computerLevel, HARD);
    EXPECT_EQ(parse({"--vs-computer=easy"}).computerLevel, EASY);
    // The level may be left out before another option.
    CommandLine thenCamera = parse({"--vs-computer", "--camera", "/dev/video1"});
    EXPECT_EQ(thenCamera.error, "");
    EXPECT_EQ(thenCamera.computerLevel, NORMAL);
    EXPECT_EQ(thenCamera.camera, "/dev/video1");
}

TEST(CommandLineComputer, RefusalsNameWhatIsWrong) {
    EXPECT_EQ(parse({"--vs-computer", "expert"}).error,
              "unknown level \"expert\" for --vs-computer (easy, normal or hard)");
    EXPECT_EQ(parse({"--vs-computer="}).error,
              "option --vs-computer needs a value that is not empty");
    EXPECT_EQ(parse({"--vs-computer", "--computer-plays", "3"}).error,
              "option --computer-plays takes 1 or 2, not \"3\"");
    EXPECT_EQ(parse({"--computer-plays", "1"}).error, "option --computer-plays needs --vs-computer");
    EXPECT_EQ(parse({"--vs-computer", "--computer-plays"}).error,
              "option --computer-plays needs a value");
}

TEST(CommandLineRecording, RecordOrReplayButNotBoth) {
    EXPECT_EQ(parse({"--record", "fight.vxr"}).recordFile, "fight.vxr");
    EXPECT_EQ(parse({"--replay=fight.vxr"}).replayFile, "fight.vxr");
    EXPECT_EQ(parse({"--record"}).error, "option --record needs a value");
    EXPECT_EQ(parse({"--record", "a.vxr", "--replay", "b.vxr"}).error,
              "options --record and --replay cannot be used together");
    EXPECT_EQ(parse({"--join", "a", "--record", "b.vxr"}).error, "");
    EXPECT_EQ(parse({"--host", "--replay", "b.vxr"}).error,
              "option --replay is for a fight on this machine, not with --host or --join");
}

TEST(CommandLineOnline, HostJoinAndInputDelay) {
    CommandLine host = parse({"--host"});
    EXPECT_EQ(host.error, "");
    EXPECT_TRUE(host.host);
    EXPECT_EQ(host.port, 0);
    EXPECT_TRUE(host.upnp);
    EXPECT_FALSE(parse({"--host", "--no-upnp"}).upnp);
    EXPECT_EQ(parse({"--host", "7000", "--camera", "/dev/video1"}).port, 7000);
    EXPECT_EQ(parse({"--host=7001"}).port, 7001);
    EXPECT_EQ(parse({"--host", "--input-delay", "0"}).inputDelay, 0);
    CommandLine join = parse({"--join", "arena.example:7002"});
    EXPECT_EQ(join.joinHost, "arena.example");
    EXPECT_EQ(join.port, 7002);
    EXPECT_EQ(parse({"--join=127.0.0.1"}).joinHost, "127.0.0.1");
    EXPECT_EQ(parse({"--join=127.0.0.1"}).port, 0);

    EXPECT_EQ(parse({"--host", "70000"}).error,
              "option --host needs a port number from 1 to 65535, not \"70000\"");
    EXPECT_EQ(parse({"--host=0"}).error, "option --host needs a port number from 1 to 65535, not \"0\"");
    EXPECT_EQ(parse({"--host", "x"}).error, "option --host needs a port number from 1 to 65535, not \"x\"");
    EXPECT_EQ(parse({"--join", "a:b"}).error,
              "option --join needs HOST or HOST:PORT with a port from 1 to 65535");
    EXPECT_EQ(parse({"--join", ":7000"}).error,
              "option --join needs HOST or HOST:PORT with a port from 1 to 65535");
    EXPECT_EQ(parse({"--join"}).error, "option --join needs a value");
    for (const char* ipv6 : {"::1", "fe80::1", "[::1]:7460"}) {
        EXPECT_EQ(parse({"--join", ipv6}).error, std::string("option --join needs an IPv4 address or a host name, ") +
                                                     "not the IPv6 address \"" + ipv6 + "\": online play speaks IPv4 only");
    }
    EXPECT_EQ(parse({"--input-delay", "9"}).error,
              "option --input-delay needs a number of frames from 0 to 8, not \"9\"");
    EXPECT_EQ(parse({"--host", "--join", "a"}).error, "options --host and --join cannot be used together");
    EXPECT_EQ(parse({"--join", "a", "--no-upnp"}).error, "option --no-upnp is for --host (or --menu, hosting from the start screen)");
    EXPECT_EQ(parse({"--host", "--vs-computer"}).error,
              "option --vs-computer is for a fight on this machine, not with --host or --join");
}
