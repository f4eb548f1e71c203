// What a waiting host tells its player, on standard output and in the view window: the port, what
// the router did with it, and the addresses a friend joins with.
#ifndef VANTORIX_HOSTING_NOTICE_H
#define VANTORIX_HOSTING_NOTICE_H

// Starts asking the router to open the port (unless askRouter is false) and takes the mapping
// back whichever way the game ends; says the lines at once when the router is not asked.
void startHostingNotice(int port, bool askRouter);
// While the host waits: says the router's answer once it comes.
void updateHostingNotice();
// Paints the notice while the host waits and no camera picture fills the view window; false
// when it paints nothing.
bool paintHostingNotice();
// The opponent came: the view window shows what it shows in play again.
void endHostingNotice();

#endif
