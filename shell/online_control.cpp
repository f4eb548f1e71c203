// Online play in the shell: opening, meeting, the online frame and its end.
#include "shell/online_control.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstdio>

#include "animation/data_files.h"
#include "game/rollback.h"
#include "net/data_digest.h"
#include "net/local_input.h"
#include "net/online_session.h"
#include "net/upnp.h"
#include "platform/game_end.h"
#include "shell/Son.h"
#include "shell/game_objects.h"
#include "shell/hosting_notice.h"
#include "shell/replay_control.h"
#include "shell/webcam_worker_control.h"

static OnlineSession* session = nullptr;
static bool underWay = false;
static bool met = false;
// The last frame of the online fight written to a recording.
static int recordedUpTo = -1;

void leaveOnlinePlay() {
    if (session != nullptr) {
        session->leave();
    }
}

void endOnlinePlay() {
    leaveOnlinePlay();
    endHostingNotice();
    closeRouterPort();
    delete session;
    session = nullptr;
    underWay = false;
    met = false;
    recordedUpTo = -1;
}

bool openOnlinePlay(const CommandLine& options, std::string* refusal) {
    if (!options.host && options.joinHost.empty()) {
        return true;
    }
    MeetingPlan plan;
    plan.hosting = options.host;
    plan.hostName = options.joinHost;
    plan.port = options.port != 0 ? options.port : DEFAULT_PORT;
    plan.inputDelay = options.inputDelay;
    plan.gameVersion = VANTORIX_VERSION;
    session = new OnlineSession;
    std::string error;
    if (!session->open(plan, error)) {
        if (refusal != nullptr) {
            *refusal = error;
        } else {
            std::fprintf(stderr, "Vantorix: %s\n", error.c_str());
        }
        delete session;
        session = nullptr;
        return false;
    }
    if (plan.hosting) {
        startHostingNotice(plan.port, options.upnp);
    }
    return true;
}

// Both machines start from the same fight, whatever was pressed while they waited.
static void freshFight() {
    world.setStartingValues();
    world.moves.particles.clear();
}

bool opponentAwaited() { return session != nullptr && !underWay && session->endReason().empty() && !met; }

void showWaitingForOpponent() {
    world.display();
    SDL_GL_SwapBuffers();
    paintHostingNotice();
    // Taken once the game has loaded its data, before the first greeting.
    session->useDataDigest(dataFilesDigest(dataFilesOpened()));
}

bool waitForOpponent(std::string* failure) {
    // The game window answers while the players wait, though what they press plays no part.
    world.handleEvents();
    updateHostingNotice();
    std::string error;
    MeetingProgress progress = session->meetStep(error);
    if (progress == MEETING_FAILED && failure != nullptr) {
        *failure = error;
        return false;
    }
    if (progress == MEETING_FAILED) {
        std::fprintf(stderr, "Vantorix: %s\n", error.c_str());
        std::fflush(stderr);
        endGame(1);
    }
    if (progress == MEETING_GOES_ON) {
        return false;
    }
    met = true;
    endHostingNotice();
    freshFight();
    session->startFight(world.fight, world.rules);
    underWay = true;
    std::fprintf(stderr, "Vantorix: online fight, you are player %d (input delay %d frames, round trip %d ms)\n",
                 session->localPlayer(), session->inputDelay(), session->roundTripMs());
    std::fflush(stderr);
    return true;
}

bool onlineFightUnderWay() { return underWay; }

const OnlineSession* onlineSession() { return session; }

// A recording takes the frames once they are final; when the fight ends, the rest as this
// machine played them, so that it goes on from what the screen showed.
static void recordFramesUpTo(int last, bool final) {
    const RollbackFight& fight = session->fight()->fight();
    for (int f = recordedUpTo + 1; f <= last; f++) {
        recordPlayedFrame(final ? fight.finalInputs(f) : fight.playedInputs(f), fight.fingerprintAfter(f));
    }
    recordedUpTo = std::max(recordedUpTo, last);
}

void playOnlineUpdate(const FrameInputs& keys, const FrameInputs& gathered) {
    RollbackRun ran = session->playFrame(localPlayerInput(keys, gathered, session->localPlayer()));
    showRollbackRun(world, session->fight()->fight().current(), ran);
    playStrikeSounds(ran.sounds);
    recordFramesUpTo(session->fight()->fight().lastFinalFrame(), true);
    if (!session->endReason().empty()) {
        recordFramesUpTo(session->fight()->fight().frame() - 1, false);
        underWay = false;
        session->leave();
        closeRouterPort();
        std::fprintf(stderr, "Vantorix: %s; back to local play, both players on this machine\n",
                     session->endReason().c_str());
        std::fflush(stderr);
    }
}
