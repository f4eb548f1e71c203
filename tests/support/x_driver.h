// Key presses, window moves and close requests sent straight to the game's windows, as fast as the
// X server takes them; and what the server shows of the pointer.
#ifndef VANTORIX_TEST_X_DRIVER_H
#define VANTORIX_TEST_X_DRIVER_H

#include <string>

struct _XDisplay;

// One connection to a display. Events are queued until flush(), so that many of them (or two
// that should race) reach the server together.
class XDriver {
public:
    explicit XDriver(const std::string& displayName);
    ~XDriver();
    bool connected() const { return display != nullptr; }

    // keyName is an X key name such as "x", "Left", "Escape", "space".
    void press(unsigned long window, const std::string& keyName);
    void release(unsigned long window, const std::string& keyName);
    void tap(unsigned long window, const std::string& keyName);
    // What a player's drag of the window's edge comes to: the window takes the new size.
    void resize(unsigned long window, int width, int height);
    void move(unsigned long window, int x, int y);
    // What a window manager's close button sends.
    void requestClose(unsigned long window);
    // Hands everything queued to the server and waits until it has handled it.
    void flush();
    // Moves the pointer to x, y of the screen and tells whether the server then draws it as
    // nothing at all (every pixel of its picture transparent).
    bool pointerHiddenAt(int x, int y);
    // Where the window's centre lies on the screen.
    void centreOf(unsigned long window, int& x, int& y);

private:
    void sendKey(unsigned long window, const std::string& keyName, bool down);
    _XDisplay* display;
};

#endif
