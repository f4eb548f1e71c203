// The start screen and the fights begun from it.
#include "shell/start_screen.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "game/controls.h"
#include "game/gamepads.h"
#include "menu/camera_list.h"
#include "menu/local_addresses.h"
#include "menu/menu.h"
#include "menu/menu_draw.h"
#include "menu/menu_input.h"
#include "menu/recordings_list.h"
#include "net/peer_link.h"
#include "platform/game_end.h"
#include "render/game_window.h"
#include "render/text.h"
#include "shell/computer_seat.h"
#include "shell/frame.h"
#include "shell/game_objects.h"
#include "shell/online_control.h"
#include "shell/player_settings.h"
#include "shell/replay_control.h"
#include "shell/view_notice.h"
#include "shell/webcam_worker_control.h"

static Menu* menu = nullptr;
static MenuSticks sticks;
static std::vector<MenuRect> items;
static bool fightUnderWay = false;
static bool pauseAsked = false;
// Hosting from the start screen asks the router to open the port, unless --no-upnp said not to.
static bool askRouter = true;
// What the view window last said, so that it is painted again only when it changes.
static std::string viewSaid;
// True while the menu, not the fight, has the game window.
static bool menuShown = false;

static void askForPause() { pauseAsked = true; }

// The settings screen shows the window as it is, after --fullscreen or F11; saved, it stays so.
static void showWindowMode() {
    Settings shown = playerSettings();
    shown.fullscreen = gameWindowIsFullscreen();
    menu->setSettings(shown);
}

// The start screen as it opens, with the recordings and addresses as they are now.
static void showStartScreen() {
    menu->setRecordings(listRecordings(recordingsFolder()));
    menu->setAddresses(localAddresses());
    menu->showStart();
}

bool startScreenFight() { return fightUnderWay; }

void openStartScreen(const CommandLine& options) {
    askRouter = options.upnp;
    std::string error;
    if (!openTextFonts(error)) {
        std::fprintf(stderr, "Vantorix: %s\n", error.c_str());
        endGame(1);
    }
    prepareMenuInput();
    menu = new Menu(playerSettings());
    menu->setCameras(listCameras());
    showWindowMode();
    showStartScreen();
    onPauseKey(askForPause);
}

bool startScreenOpen() { return menu != nullptr; }

bool paintStartScreenNotice() {
    if (!menuShown || webcamConnected()) {
        return false;
    }
    paintViewLines({menu->waitingFor(), "", "F11 fullscreen.  Closing a window quits."});
    return true;
}

static void freshFight() {
    world.setStartingValues();
    world.moves.particles.clear();
    forgetPadPositions();
    pauseAsked = false;
}

static void startCamera(bool replaying) {
    if (playerSettings().webcam && !replaying) {
        thread_signal = 0;
        startWebcamWorker();
    }
}

// A fight on this machine: two players, the computer, or a recording watched.
static LoopState beginLocalFight(const MenuChoice& choice) {
    CommandLine fight;
    std::string refusal;
    if (choice.kind == CHOICE_WATCH) {
        fight.replayFile = choice.file;
    } else if (playerSettings().recordFights) {
        fight.recordFile = newRecordingPath(refusal);
    }
    if (!refusal.empty() || !prepareRecordOrReplay(fight, &refusal)) {
        menu->say(refusal);
        endRecordOrReplay();
        return START_SCREEN;
    }
    freshFight();
    srand(sparkSeed());
    if (choice.kind == CHOICE_VS_COMPUTER) {
        seatComputer(choice.computerPlayer, choice.level);
    }
    fightUnderWay = true;
    startCamera(choice.kind == CHOICE_WATCH);
    paintKeyboardNotice();
    return FIGHTING;
}

// The scenery turns slowly to and fro behind the start screen.
static float sceneryTurn() { return (float)(25.0 * std::sin(SDL_GetTicks() / 9000.0)); }

// What the game window shows while an opponent is awaited from the start screen.
static MenuPage waitingPage;

static void prepareWaitingPage(const MenuChoice& choice) {
    int port = choice.port != 0 ? choice.port : DEFAULT_PORT;
    waitingPage = MenuPage();
    if (choice.kind == CHOICE_HOST) {
        waitingPage.title = "Waiting for an opponent";
        waitingPage.items.push_back(MenuItem{"on UDP port " + std::to_string(port) + "; a friend joins with", "", ITEM_LINE});
        for (const std::string& address : localAddresses()) {
            waitingPage.items.push_back(MenuItem{address, "", ITEM_LINE});
        }
    } else {
        waitingPage.title = "Joining";
        waitingPage.items.push_back(MenuItem{choice.address + ":" + std::to_string(port), "", ITEM_LINE});
    }
    waitingPage.shownCount = std::min((int)waitingPage.items.size(), MENU_ROWS_SHOWN);
    waitingPage.hint = "Escape or a pad's Start: back to the start screen";
}

static void showWaitingScreen() {
    world.displayScenery(sceneryTurn());
    drawMenu(waitingPage);
    SDL_GL_SwapBuffers();
}

static LoopState beginOnlineFight(const MenuChoice& choice) {
    CommandLine online;
    online.host = choice.kind == CHOICE_HOST;
    online.joinHost = choice.kind == CHOICE_JOIN ? choice.address : "";
    online.port = choice.port;
    online.upnp = askRouter;
    std::string refusal;
    if (!openOnlinePlay(online, &refusal)) {
        menu->say(refusal);
        return START_SCREEN;
    }
    freshFight();
    fightUnderWay = true;
    prepareWaitingPage(choice);
    showWaitingForOpponent();
    return WAITING_FOR_OPPONENT;
}

// Back to the start screen: whatever the fight had going is closed, the camera too.
static LoopState endFight() {
    endRecordOrReplay();
    endOnlinePlay();
    unseatComputer();
    stopWebcamWorker();
    fightUnderWay = false;
    pauseAsked = false;
    viewSaid.clear();
    showStartScreen();
    return START_SCREEN;
}

static void saveSettings(const Settings& settings) {
    Settings before = playerSettings();
    std::string error;
    if (!savePlayerSettings(settings, error)) {
        menu->say(error);
        return;
    }
    menu->setSettings(settings);
    if (settings.fullscreen != gameWindowIsFullscreen()) {
        toggleFullscreen();
    }
    if (!settings.fullscreen && (settings.windowWidth != before.windowWidth ||
                                 settings.windowHeight != before.windowHeight)) {
        resizeGameWindow(settings.windowWidth, settings.windowHeight);
    }
    WebCam.captureDevice = settings.camera;
    chooseHandsWay(settings.hands == HANDS_ROOM ? HANDS_ROOM : HANDS_DESIGN);
    menu->say("Settings saved.");
}

static LoopState carryOut(const MenuChoice& choice, LoopState state) {
    switch (choice.kind) {
    case CHOICE_TWO_PLAYERS:
    case CHOICE_VS_COMPUTER:
    case CHOICE_WATCH: return beginLocalFight(choice);
    case CHOICE_HOST:
    case CHOICE_JOIN: return beginOnlineFight(choice);
    case CHOICE_SAVE_SETTINGS: saveSettings(choice.settings); return state;
    case CHOICE_QUIT: endGame(0);
    case CHOICE_RESUME: return FIGHTING;
    case CHOICE_BACK_TO_START:
    case CHOICE_LEAVE_ONLINE: return endFight();
    case CHOICE_NONE: break;
    }
    return state;
}

static bool isF11(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F11;
}

static LoopState takeMenuEvents(LoopState state) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            endGame(0);
        } else if (event.type == SDL_VIDEORESIZE) {
            resizeGameWindow(event.resize.w, event.resize.h);
        } else if (isF11(event) && !menu->waitingForPress()) {
            toggleFullscreen();
            showWindowMode();
        } else {
            LoopState next = carryOut(menu->handle(menuEventOf(event, sticks, items)), state);
            if (next != state) {
                return next;
            }
        }
    }
    return state;
}

static void sayInViewWindow() {
    if (menu->waitingFor() != viewSaid && paintStartScreenNotice()) {
        viewSaid = menu->waitingFor();
    }
}

LoopState playMenuFrame(LoopState state, FramePacer& pacer) {
    pacer.beginFrame();
    LoopState next = takeMenuEvents(state);
    // An online fight cannot wait for its question to be answered: it plays on, this machine's
    // player standing still.
    if (state == PAUSED && onlineFightUnderWay()) {
        FrameInputs none;
        playOnlineUpdate(none, none);
    }
    if (next == START_SCREEN) {
        world.displayScenery(sceneryTurn());
    } else if (next == PAUSED && !onlineFightUnderWay()) {
        world.displayPaused();
    } else {
        world.display();
    }
    menuShown = next == START_SCREEN || next == PAUSED;
    if (menuShown) {
        items = drawMenu(menu->page());
        sayInViewWindow();
    }
    // The pointer, hidden in a fullscreen fight, shows while the menu may be clicked.
    SDL_ShowCursor(menuShown || !gameWindowIsFullscreen() ? SDL_ENABLE : SDL_DISABLE);
    SDL_GL_SwapBuffers();
    SDL_Delay(2);
    pacer.endFrame();
    return next;
}

LoopState waitFromStartScreen() {
    std::string failure;
    LoopState state = afterFightTurn(waitForOpponent(&failure) ? FIGHTING : WAITING_FOR_OPPONENT);
    if (!failure.empty()) {
        // The host that did not answer or refused is said on the start screen, the game goes on.
        state = endFight();
        menu->say(failure);
    } else if (state == WAITING_FOR_OPPONENT) {
        showWaitingScreen();
    }
    return state;
}

LoopState afterFightTurn(LoopState state) {
    if (!pauseAsked) {
        return state;
    }
    pauseAsked = false;
    if (state == WAITING_FOR_OPPONENT) {
        return endFight();
    }
    menuShown = true;
    if (onlineFightUnderWay()) {
        menu->showLeaveOnline();
    } else {
        menu->showPause();
    }
    viewSaid.clear();
    return PAUSED;
}
