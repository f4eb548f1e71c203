// Webcam test support: frames drawn in memory, capture sources that play them, window read-back.
#ifndef VANTORIX_TEST_WEBCAM_SUPPORT_H
#define VANTORIX_TEST_WEBCAM_SUPPORT_H

#include <string>
#include <vector>

struct ViewWindow;

// Links the worker and its overlay to the program's globals (WebCam, g_hDC, thread_signal and
// the world's lives), as the shell does when it starts the worker.
void linkWorkerToGlobals();

// An RGB frame in memory, top row first.
struct RgbFrame {
    int width;
    int height;
    std::vector<unsigned char> bytes;

    RgbFrame(int width, int height);
    void fill(int left, int top, int right, int bottom, int r, int g, int b);
};

// A capture source that shows one frame for ever, written to a temporary file removed with it.
class FrameSource {
public:
    explicit FrameSource(const RgbFrame& frame);
    ~FrameSource();
    const std::string& description() const { return source; }

private:
    std::string path;
    std::string source;
};

// Reads the colour of one pixel of the view window over a connection of the test's own.
struct WindowReader {
    explicit WindowReader(const ViewWindow* window);
    ~WindowReader();
    // Grabs the window's current contents; pixel() then reads from that grab.
    void grab();
    void pixel(int x, int y, int rgb[3]) const;
    bool isBlack(int x, int y) const;
    // Text colour (22, 199, 35), or a blend of it with black at a glyph's edge.
    bool isText(int x, int y) const;
    int countText(int left, int top, int right, int bottom) const;

    void* display;
    unsigned long window;
    void* image;
};

// The overlay's row labels, exactly as the view window shows them, and the row each heads.
struct OverlayLabel {
    int y;
    const char* text;
};
extern const OverlayLabel OVERLAY_LABELS[8];
// The label of the row at y (a value row's top), or null when no row starts there.
const char* overlayLabelAt(int y);

// Opens the 1200 x 272 view window (once per test program) with threaded X enabled.
ViewWindow* testViewWindow();

#endif
