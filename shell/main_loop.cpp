// main2: the main loop, which interleaves the view window's messages with the game's frames:
// the start screen (with --menu), the wait for an online opponent, the fight and its pause.
#include <cstdio>

#include "platform/view_window.h"
#include "shell/frame.h"
#include "shell/frame_pacer.h"
#include "shell/online_control.h"
#include "shell/shell.h"
#include "shell/start_screen.h"

static void runFrame(FramePacer& pacer) {
    pacer.beginFrame();
    playFrame();
    pacer.endFrame();
}

int main2() {
    FramePacer pacer;
    LoopState state = startScreenOpen() ? START_SCREEN : FIGHTING;
    if (opponentAwaited()) {
        state = WAITING_FOR_OPPONENT;
        showWaitingForOpponent();
    }
    for (;;) {
        ViewMessage msg;
        if (peekViewMessage(&msg)) {
            if (msg.message == VIEW_MSG_QUIT) {
                break;
            }
            WndProc(msg.window, msg.message, msg.wParam, msg.lParam);
        } else if (state == START_SCREEN || state == PAUSED) {
            state = playMenuFrame(state, pacer);
        } else if (state == WAITING_FOR_OPPONENT) {
            state = startScreenOpen() ? waitFromStartScreen()
                                      : afterFightTurn(waitForOpponent() ? FIGHTING : WAITING_FOR_OPPONENT);
        } else {
            runFrame(pacer);
            state = afterFightTurn(state);
        }
    }
    std::printf("Signaling thread to quit\n");
    std::fflush(stdout);
    return 0;
}
