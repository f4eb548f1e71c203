// Key presses, window moves and close requests sent straight to the game's windows, as fast as the
// X server takes them; and what the server shows of the pointer.
#include "tests/support/x_driver.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstring>

#include "tests/support/display.h"

XDriver::XDriver(const std::string& displayName) {
    prepareTestXlib();
    // An empty name would open the display of the environment, which is not ours to drive.
    display = displayName.empty() ? nullptr : XOpenDisplay(displayName.c_str());
}

XDriver::~XDriver() {
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

// Sent events reach the clients that listen for key presses on that window, whatever has the
// focus: the game reads its keys on its top-level window.
void XDriver::sendKey(unsigned long window, const std::string& keyName, bool down) {
    if (display == nullptr) {
        return;
    }
    XEvent event;
    std::memset(&event, 0, sizeof(event));
    event.xkey.type = down ? KeyPress : KeyRelease;
    event.xkey.display = display;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.subwindow = None;
    event.xkey.time = CurrentTime;
    event.xkey.x = event.xkey.y = 1;
    event.xkey.x_root = event.xkey.y_root = 1;
    event.xkey.same_screen = True;
    event.xkey.keycode = XKeysymToKeycode(display, XStringToKeysym(keyName.c_str()));
    XSendEvent(display, window, True, down ? KeyPressMask : KeyReleaseMask, &event);
}

void XDriver::press(unsigned long window, const std::string& keyName) { sendKey(window, keyName, true); }

void XDriver::release(unsigned long window, const std::string& keyName) {
    sendKey(window, keyName, false);
}

void XDriver::tap(unsigned long window, const std::string& keyName) {
    press(window, keyName);
    release(window, keyName);
}

void XDriver::resize(unsigned long window, int width, int height) {
    if (display != nullptr) {
        XResizeWindow(display, window, (unsigned)width, (unsigned)height);
    }
}

void XDriver::move(unsigned long window, int x, int y) {
    if (display != nullptr) {
        XMoveWindow(display, window, x, y);
    }
}

void XDriver::requestClose(unsigned long window) {
    if (display == nullptr) {
        return;
    }
    XEvent event;
    std::memset(&event, 0, sizeof(event));
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
}

void XDriver::flush() {
    if (display != nullptr) {
        XSync(display, False);
    }
}

bool XDriver::pointerHiddenAt(int x, int y) {
    int eventBase, errorBase;
    if (display == nullptr || !XFixesQueryExtension(display, &eventBase, &errorBase)) {
        return false;
    }
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XSync(display, False);
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (image == nullptr) {
        return false;
    }
    bool hidden = true;
    for (int i = 0; i < image->width * image->height; i++) {
        hidden = hidden && (image->pixels[i] >> 24) == 0;
    }
    XFree(image);
    return hidden;
}

void XDriver::centreOf(unsigned long window, int& x, int& y) {
    x = y = 0;
    XWindowAttributes attributes;
    Window child;
    if (display != nullptr && XGetWindowAttributes(display, window, &attributes)) {
        XTranslateCoordinates(display, window, DefaultRootWindow(display), attributes.width / 2,
                              attributes.height / 2, &x, &y, &child);
    }
}
