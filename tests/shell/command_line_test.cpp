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
    EXPECT_EQ(parse({"--fullscreen=yes"}).error, "unknown option --fullscreen");
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

TEST(CommandLineUsage, NamesEveryOption) {
    std::string usage = commandLineUsage();
    EXPECT_EQ(usage.rfind("Usage: vantorix ", 0), 0u);
    for (const char* option : {"--camera DEVICE", "--capture-source PIPELINE", "--help"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(usage.back(), '\n');
}
