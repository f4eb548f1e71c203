// Online play in the shell: the link opened before the windows, the opponent met after them, the
// frames of the online fight, and the way back to local play when it ends.
#ifndef VANTORIX_ONLINE_CONTROL_H
#define VANTORIX_ONLINE_CONTROL_H

#include <string>

#include "game/frame_inputs.h"
#include "shell/command_line.h"

// With --host or --join: opens the port or finds the host. False after one line on standard
// error, or in refusal when given (the program then ends with status 1); true without either.
bool openOnlinePlay(const CommandLine& options, std::string* refusal = nullptr);
// True from --host or --join until the opponent has come: the main loop waits for them.
bool opponentAwaited();
// The picture the players see while they wait: the fight's start, and the hosting notice.
void showWaitingForOpponent();
// One step of waiting for the opponent, the game window answering: true once the online fight
// has started. When the meeting fails: the reason in failure when given, else the game ends
// with status 1 after one line saying why.
bool waitForOpponent(std::string* failure = nullptr);
// Whatever way the game ends, the other machine is told rather than left to notice the silence.
void leaveOnlinePlay();
// The online fight is over (the start screen comes back): the other machine told, the router's
// port taken back, ready to host or join again.
void endOnlinePlay();
bool onlineFightUnderWay();
class OnlineSession;
// The online fight's session, for its figures; null without --host or --join.
const OnlineSession* onlineSession();
// The frame's update online, between the keyboard and the drawing: the webcam, the fight (run
// again where the other machine's inputs proved the guess wrong) and its strike sounds. When
// the fight ends, says why and leaves the world to local play.
void playOnlineUpdate(const FrameInputs& keys, const FrameInputs& gathered);

#endif
