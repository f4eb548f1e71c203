// Webcam test support: frames drawn in memory, capture sources that play them, window read-back.
#include "tests/webcam/webcam_test_support.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/view_window.h"
#include "shell/game_objects.h"
#include "tests/support/display.h"
#include "webcam/worker.h"

RgbFrame::RgbFrame(int w, int h) : width(w), height(h), bytes((size_t)w * h * 3, 0) {}

void RgbFrame::fill(int left, int top, int right, int bottom, int r, int g, int b) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            unsigned char* p = &bytes[((size_t)y * width + x) * 3];
            p[0] = (unsigned char)r;
            p[1] = (unsigned char)g;
            p[2] = (unsigned char)b;
        }
    }
}

FrameSource::FrameSource(const RgbFrame& frame) {
    char name[] = "/tmp/vantorix-frame-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0 || write(fd, frame.bytes.data(), frame.bytes.size()) != (ssize_t)frame.bytes.size()) {
        std::perror("test frame");
        std::abort();
    }
    close(fd);
    path = name;
    // The file is read once; imagefreeze repeats it as a 25-frame-a-second stream.
    char caps[160];
    std::snprintf(caps, sizeof caps, "video/x-raw,format=RGB,width=%d,height=%d,framerate=25/1",
                  frame.width, frame.height);
    source = "multifilesrc location=" + path + " stop-index=0 caps=\"" + caps + "\" ! imagefreeze";
}

FrameSource::~FrameSource() { unlink(path.c_str()); }

WindowReader::WindowReader(const ViewWindow* view) : image(nullptr) {
    display = XOpenDisplay(NULL);
    window = viewWindowId(view);
    if (display == nullptr) {
        std::fprintf(stderr, "window reader: no X display\n");
        std::abort();
    }
}

WindowReader::~WindowReader() {
    if (image != nullptr) {
        XDestroyImage((XImage*)image);
    }
    XCloseDisplay((Display*)display);
}

void WindowReader::grab() {
    if (image != nullptr) {
        XDestroyImage((XImage*)image);
    }
    XWindowAttributes attributes;
    XGetWindowAttributes((Display*)display, window, &attributes);
    image = XGetImage((Display*)display, window, 0, 0, (unsigned)attributes.width,
                      (unsigned)attributes.height, AllPlanes, ZPixmap);
}

// The test display is 24-bit TrueColor: red in bits 16-23, green 8-15, blue 0-7.
void WindowReader::pixel(int x, int y, int rgb[3]) const {
    unsigned long value = XGetPixel((XImage*)image, x, y);
    rgb[0] = (int)((value >> 16) & 255);
    rgb[1] = (int)((value >> 8) & 255);
    rgb[2] = (int)(value & 255);
}

bool WindowReader::isBlack(int x, int y) const {
    int rgb[3];
    pixel(x, y, rgb);
    return rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0;
}

bool WindowReader::isText(int x, int y) const {
    int rgb[3];
    pixel(x, y, rgb);
    // A blend of (22, 199, 35) with black keeps the channels in the text colour's proportions.
    int g = rgb[1];
    return g > 0 && std::abs(rgb[0] * 199 - g * 22) <= 199 && std::abs(rgb[2] * 199 - g * 35) <= 199;
}

int WindowReader::countText(int left, int top, int right, int bottom) const {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            count += isText(x, y) ? 1 : 0;
        }
    }
    return count;
}

const OverlayLabel OVERLAY_LABELS[8] = {
    {20, "                         ---X"},     {40, "                         ---Y"},
    {60, "                         ---pos"},   {80, "                         ---angle"},
    {120, "                         ---life"}, {160, "                         ---VarX"},
    {180, "                         ---VarY"}, {200, "                         ---res"},
};

const char* overlayLabelAt(int y) {
    for (const OverlayLabel& label : OVERLAY_LABELS) {
        if (label.y == y) {
            return label.text;
        }
    }
    return nullptr;
}

ViewWindow* testViewWindow() {
    static ViewWindow* window = nullptr;
    if (window == nullptr) {
        // An X server of this test program's own, so that what a test reads back from its window
        // is never another test program's window lying over it.
        static PrivateDisplay server;
        if (server.ready()) {
            setenv("DISPLAY", server.name().c_str(), 1);
        }
        initWindowThreads();
        window = createViewWindow(1200, 272, "webcam test");
        if (window == nullptr) {
            std::abort();
        }
    }
    return window;
}

void linkWorkerToGlobals() {
    linkWorker(WorkerLinks{&WebCam, g_hDC, &thread_signal, &world.shownLife1, &world.shownLife2});
}
