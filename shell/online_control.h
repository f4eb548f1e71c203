// Online play in the shell: the link opened before the windows, the opponent met after them, the
// frames of the online fight, and the way back to local play when it ends.
#ifndef VANTORIX_ONLINE_CONTROL_H
#define VANTORIX_ONLINE_CONTROL_H

#include "shell/command_line.h"

// With --host or --join: opens the port or finds the host. False after one line on standard
// error (the program then ends with status 1); true without either option.
bool openOnlinePlay(const CommandLine& options);
// With --host or --join, once the windows are open: waits for the opponent and starts the online
// fight, or ends the program with status 1 after one line saying why.
void meetOpponent();
bool onlineFightUnderWay();
class OnlineSession;
// The online fight's session, for its figures; null without --host or --join.
const OnlineSession* onlineSession();
// The frame's update online, between the keyboard and the drawing: the webcam, the fight (run
// again where the other machine's inputs proved the guess wrong) and its strike sounds. When
// the fight ends, says why and leaves the world to local play.
void playOnlineUpdate();

#endif
