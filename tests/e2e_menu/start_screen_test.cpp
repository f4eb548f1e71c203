// The real program with --menu: the start screen starts a fight against the computer, Escape
// pauses it with its clock stopped and leads back to the start screen; a key changed on the
// settings screen plays after a restart; a damaged settings file is said and left as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/data_dir.h"
#include "tests/support/files.h"
#include "tests/support/program.h"
#include "tests/support/screenshot.h"

namespace {

// The player's own folders, kept from one run of the game to the next.
struct PlayerFolders {
    FreshFolder home;
    std::vector<std::string> environment() const {
        return {"XDG_CONFIG_HOME=" + home.path() + "/config", "XDG_DATA_HOME=" + home.path() + "/data"};
    }
    std::string settingsFile() const { return home.path() + "/config/vantorix/settings.ini"; }
};

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void tapAll(RunningProgram& game, unsigned long window, const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        game.tapKey(window, key);
        pause(80);
    }
}

// Keys pressed before the menu reads them would pile up past what SDL's queue holds: each group
// of presses waits for the start screen's title, "Vantorix" in white at the picture's top, whose
// first and last letters reach lower and further out than any other screen's title or the fight's
// life panels.
bool startScreenShown(RunningProgram& game, unsigned long window) {
    for (int waited = 0; waited < START_TIMEOUT_MS; waited += 200) {
        Screenshot shot = Screenshot::ofWindow(game.display(), window);
        int white = 0;
        for (int y = 95; y < 119 && shot.width == 800; y++) {
            for (int x : {235, 240, 245, 250, 255, 555, 565, 575, 585, 595}) {
                Rgb c = shot.at(x, y);
                white += c.r > 200 && c.g > 200 && c.b > 200;
            }
        }
        if (white > 40) {
            return true;
        }
        pause(200);
    }
    return false;
}

std::pair<int, int> lifeBars(RunningProgram& game, unsigned long window) {
    return lifeBarLengths(Screenshot::ofWindow(game.display(), window));
}

const int FULL_BAR = LEFT_LIFE_BAR.right - LEFT_LIFE_BAR.left;

}  // namespace

TEST(StartScreen, TheComputerFightsThenEscapePausesTheClockAndLeadsBackToTheStartScreen) {
    DataCopy data;
    PlayerFolders player;
    RunningProgram game(data.path(), player.environment(), {"--menu"});
    unsigned long window = game.waitForWindow("Vantorix");
    ASSERT_NE(window, 0u) << game.errors();
    ASSERT_NE(game.waitForWindow("Vantorix webcam"), 0u) << game.errors();
    ASSERT_TRUE(startScreenShown(game, window)) << game.errors();

    // Against the computer, then Start: the computer plays player 2 at the normal level.
    tapAll(game, window, {"Down", "Return", "Down", "Down", "Return"});
    bool fell = false;
    for (int attempt = 0; attempt < 80 && !fell; attempt++) {
        pause(250);
        fell = lifeBars(game, window).first < FULL_BAR - 4;
    }
    ASSERT_TRUE(fell) << "player 1's life bar is still full: " << game.errors();

    // Paused, nothing moves: the bars stay as they are while the computer would go on striking.
    game.tapKey(window, "Escape");
    pause(500);
    std::pair<int, int> paused = lifeBars(game, window);
    pause(3000);
    EXPECT_EQ(lifeBars(game, window), paused);

    // Back to the start screen, the fight gone; Escape there goes to Quit, Enter quits.
    tapAll(game, window, {"Down", "Return"});
    EXPECT_TRUE(startScreenShown(game, window));
    tapAll(game, window, {"Escape", "Return"});
    EXPECT_EQ(game.waitForExit(EXIT_TIMEOUT_MS), 0) << game.errors();
}

// Recorded automatically, a fight paused for a while and resumed replays from the watch screen
// without a mismatch: the pause took no frames.
TEST(StartScreen, AFightPausedAndResumedIsRecordedExactlyAndWatchedFromTheStartScreen) {
    DataCopy data;
    PlayerFolders player;
    std::filesystem::create_directories(player.home.path() + "/config/vantorix");
    writeWholeFile(player.settingsFile(), "[recording]\nautomatic = yes\n");
    RunningProgram game(data.path(), player.environment(), {"--menu"});
    unsigned long window = game.waitForWindow("Vantorix");
    ASSERT_NE(window, 0u) << game.errors();
    ASSERT_TRUE(startScreenShown(game, window)) << game.errors();
    tapAll(game, window, {"Down", "Return", "Down", "Down", "Return"});
    pause(2500);
    game.tapKey(window, "Escape");
    pause(1500);
    tapAll(game, window, {"Return"});
    pause(2000);
    tapAll(game, window, {"Escape", "Down", "Return"});
    ASSERT_TRUE(startScreenShown(game, window));
    std::vector<std::string> recorded;
    for (const auto& entry : std::filesystem::directory_iterator(player.home.path() + "/data/vantorix/recordings")) {
        recorded.push_back(entry.path().string());
    }
    ASSERT_EQ(recorded.size(), 1u) << game.errors();

    // Watch a recording: its newest, the one just made.
    tapAll(game, window, {"Down", "Down", "Down", "Down", "Return", "Return"});
    EXPECT_GE(game.waitForErrors("is over after frame", 1, 4 * START_TIMEOUT_MS), 0) << game.errors();
    EXPECT_EQ(game.errors().find("no longer shows the recorded fight"), std::string::npos) << game.errors();
    game.closeWindow(window);
    EXPECT_EQ(game.waitForExit(EXIT_TIMEOUT_MS), 0) << game.errors();
}

TEST(StartScreen, APaperKeyChangedOnTheSettingsScreenPlaysAfterARestart) {
    DataCopy data;
    PlayerFolders player;
    {
        RunningProgram game(data.path(), player.environment(), {"--menu"});
        unsigned long window = game.waitForWindow("Vantorix");
        ASSERT_NE(window, 0u) << game.errors();
        ASSERT_TRUE(startScreenShown(game, window)) << game.errors();
        // Settings is the sixth item; player 1's paper the fourteenth row that can be chosen
        // (after the window, sound, webcam and recording rows and four of the keys); Save the
        // thirtieth.
        tapAll(game, window, {"Down", "Down", "Down", "Down", "Down", "Return"});
        pause(500);
        for (int row = 0; row < 13; row++) {
            tapAll(game, window, {"Down"});
        }
        tapAll(game, window, {"Return", "l"});
        for (int row = 13; row < 29; row++) {
            tapAll(game, window, {"Down"});
        }
        tapAll(game, window, {"Return"});
        // Saved, the start screen comes back; Escape there goes to Quit, Enter quits.
        ASSERT_TRUE(startScreenShown(game, window));
        tapAll(game, window, {"Escape", "Return"});
        EXPECT_EQ(game.waitForExit(EXIT_TIMEOUT_MS), 0) << game.errors();
    }
    ASSERT_NE(readWholeFile(player.settingsFile()).find("paper = l"), std::string::npos)
        << readWholeFile(player.settingsFile());

    // The bare game, started again, takes the saved key: l gives player 1's paper.
    RunningProgram game(data.path(), player.environment());
    unsigned long window = game.waitForWindow("Vantorix");
    ASSERT_NE(window, 0u) << game.errors();
    pause(1500);
    EXPECT_TRUE(paperKeyShowsItsIcon(game, window, "l"));
    game.tapKey(window, "Escape");
    EXPECT_EQ(game.waitForExit(EXIT_TIMEOUT_MS), 0) << game.errors();
}

TEST(StartScreen, ADamagedSettingsFileIsSaidLineByLineAndLeftAsItWas) {
    DataCopy data;
    PlayerFolders player;
    const std::string damaged =
        "[sound]\nmusic = 300\n[player1]\npaper = l\nleft = no such key\n[colours]\nsky = green\n";
    std::filesystem::create_directories(player.home.path() + "/config/vantorix");
    writeWholeFile(player.settingsFile(), damaged);

    RunningProgram game(data.path(), player.environment());
    unsigned long window = game.waitForWindow("Vantorix");
    ASSERT_NE(window, 0u) << game.errors();
    pause(1500);
    std::string said = game.errors();
    EXPECT_NE(said.find("settings.ini:2: sound.music"), std::string::npos) << said;
    EXPECT_NE(said.find("settings.ini:5: player1.left"), std::string::npos) << said;
    EXPECT_NE(said.find("settings.ini:7: colours.sky"), std::string::npos) << said;
    // What was right in the file is kept: l is player 1's paper.
    EXPECT_TRUE(paperKeyShowsItsIcon(game, window, "l"));
    game.tapKey(window, "Escape");
    EXPECT_EQ(game.waitForExit(EXIT_TIMEOUT_MS), 0) << said;
    EXPECT_EQ(readWholeFile(player.settingsFile()), damaged);
}
