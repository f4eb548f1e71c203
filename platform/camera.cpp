// The camera through GStreamer: any source as 320 x 240 RGB frames, and the live preview thread.
#include "platform/camera.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/view_surface.h"

// How long a source may take to give its first frame before it counts as not working.
static const int FIRST_FRAME_WAIT_MS = 5000;
// How long the preview thread waits for a frame at a time, which bounds how fast it stops.
static const int PULL_WAIT_MS = 50;
// A source that gives no frame for this long counts as gone (a camera pulled out may say nothing).
static const int FRAMES_STOPPED_MS = 5000;

struct CaptureDevice {
    GstElement* pipeline = nullptr;
    GstElement* sink = nullptr;
    GstSample* newest = nullptr;  // pulled but not shown yet; the preview thread's alone once it runs

    std::mutex shownLock;
    std::vector<unsigned char> shown;  // the shown frame, RGB, top row first
    bool hasShown = false;

    std::thread preview;
    std::atomic<bool> stopping{false};
    // Set once by the preview thread; lostReason is written before and never after.
    std::atomic<bool> lost{false};
    std::string lostReason;
    std::mutex wakeLock;
    std::condition_variable wake;
};

std::string cameraSource(const std::string& device) {
    // decodebin takes care of cameras that only give compressed frames (MJPEG).
    return "v4l2src device=" + device + " ! decodebin";
}

static bool initMedia(std::string* error) {
    static std::once_flag once;
    static bool ready = false;
    static std::string failure;
    std::call_once(once, [] {
        GError* problem = nullptr;
        ready = gst_init_check(nullptr, nullptr, &problem);
        if (!ready) {
            failure = problem != nullptr ? problem->message : "the media library did not start";
            g_clear_error(&problem);
        }
    });
    if (!ready) {
        *error = failure;
    }
    return ready;
}

// The first error the pipeline has posted, or an empty string.
static std::string pendingError(GstElement* pipeline) {
    std::string text;
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    if (message != nullptr) {
        GError* problem = nullptr;
        gst_message_parse_error(message, &problem, nullptr);
        text = problem != nullptr ? problem->message : "unknown error";
        g_clear_error(&problem);
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return text;
}

// Reads the bus empty (messages pile up when nobody reads them) and returns why the source has
// stopped when it posted an error or reached its end; an empty string otherwise.
static std::string readBusForEnd(GstElement* pipeline) {
    std::string end;
    GstBus* bus = gst_element_get_bus(pipeline);
    while (GstMessage* message = gst_bus_pop(bus)) {
        if (end.empty() && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            GError* problem = nullptr;
            gst_message_parse_error(message, &problem, nullptr);
            end = problem != nullptr ? problem->message : "unknown error";
            g_clear_error(&problem);
        } else if (end.empty() && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
            end = "the source ended";
        }
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return end;
}

static void destroyPipeline(CaptureDevice* device) {
    if (device->newest != nullptr) {
        gst_sample_unref(device->newest);
        device->newest = nullptr;
    }
    if (device->pipeline != nullptr) {
        gst_element_set_state(device->pipeline, GST_STATE_NULL);
        if (device->sink != nullptr) {
            gst_object_unref(device->sink);
        }
        gst_object_unref(device->pipeline);
    }
    device->pipeline = nullptr;
    device->sink = nullptr;
}

static bool buildPipeline(CaptureDevice* device, const std::string& source, std::string* error) {
    std::string description =
        source +
        " ! videoconvert ! videoscale add-borders=false"
        " ! video/x-raw,format=RGB,width=320,height=240"
        " ! appsink name=vantorix_frames max-buffers=1 drop=true";
    GError* problem = nullptr;
    device->pipeline = gst_parse_launch(description.c_str(), &problem);
    if (problem != nullptr || device->pipeline == nullptr) {
        *error = problem != nullptr ? problem->message : "the capture pipeline could not be built";
        g_clear_error(&problem);
        return false;
    }
    device->sink = gst_bin_get_by_name(GST_BIN(device->pipeline), "vantorix_frames");
    if (device->sink == nullptr) {
        *error = "the capture pipeline has no frame sink";
        return false;
    }
    return true;
}

// Starts the pipeline and waits for its first frame: a source that gives no picture is no camera.
static bool waitFirstFrame(CaptureDevice* device, std::string* error) {
    if (gst_element_set_state(device->pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        *error = pendingError(device->pipeline);
        if (error->empty()) {
            *error = "the source refused to start";
        }
        return false;
    }
    GstAppSink* sink = GST_APP_SINK(device->sink);
    for (int waited = 0; waited < FIRST_FRAME_WAIT_MS; waited += PULL_WAIT_MS) {
        device->newest = gst_app_sink_try_pull_sample(sink, PULL_WAIT_MS * GST_MSECOND);
        if (device->newest != nullptr) {
            return true;
        }
        *error = pendingError(device->pipeline);
        if (!error->empty()) {
            return false;
        }
        if (gst_app_sink_is_eos(sink)) {
            *error = "the source ended without giving a picture";
            return false;
        }
    }
    *error = "no picture arrived within 5 seconds";
    return false;
}

CaptureDevice* openCaptureDevice(const std::string& source, std::string* error) {
    std::string reason;
    if (!initMedia(&reason)) {
        *error = reason;
        return nullptr;
    }
    CaptureDevice* device = new CaptureDevice;
    if (!buildPipeline(device, source, &reason) || !waitFirstFrame(device, &reason)) {
        destroyPipeline(device);
        delete device;
        *error = reason;
        return nullptr;
    }
    device->shown.assign(CAPTURE_FRAME_BYTES, 0);
    return device;
}

// Turns a pulled sample into the shown frame; a sample of an unexpected shape is skipped.
static void showSample(CaptureDevice* device, GstSample* sample) {
    GstVideoInfo info;
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (caps == nullptr || buffer == nullptr || !gst_video_info_from_caps(&info, caps) ||
        GST_VIDEO_INFO_WIDTH(&info) != CAPTURE_WIDTH ||
        GST_VIDEO_INFO_HEIGHT(&info) != CAPTURE_HEIGHT ||
        GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_RGB) {
        return;
    }
    int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
    size_t offset = GST_VIDEO_INFO_PLANE_OFFSET(&info, 0);
    size_t needed = offset + (size_t)stride * (CAPTURE_HEIGHT - 1) + CAPTURE_WIDTH * 3;
    if (gst_buffer_get_size(buffer) < needed) {
        return;
    }
    // The media library copies the rows itself: it alone knows how its streaming thread handed
    // the buffer over.
    std::lock_guard<std::mutex> hold(device->shownLock);
    for (int row = 0; row < CAPTURE_HEIGHT; ++row) {
        gst_buffer_extract(buffer, offset + (size_t)row * stride,
                           &device->shown[(size_t)row * CAPTURE_WIDTH * 3], CAPTURE_WIDTH * 3);
    }
    device->hasShown = true;
}

// Paints the shown frame; the view surface takes 32-bit bottom-up pictures.
static void paintShown(CaptureDevice* device, ViewSurface* surface, int x, int y,
                       std::vector<unsigned char>& picture) {
    {
        std::lock_guard<std::mutex> hold(device->shownLock);
        if (!device->hasShown) {
            return;
        }
        for (int row = 0; row < CAPTURE_HEIGHT; ++row) {
            const unsigned char* from = &device->shown[(size_t)row * CAPTURE_WIDTH * 3];
            unsigned char* to = &picture[(size_t)(CAPTURE_HEIGHT - 1 - row) * CAPTURE_WIDTH * 4];
            for (int column = 0; column < CAPTURE_WIDTH; ++column, from += 3, to += 4) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
            }
        }
    }
    BottomUpPicture bits = {CAPTURE_WIDTH, CAPTURE_HEIGHT, picture.data()};
    drawPicture(surface, x, y, CAPTURE_WIDTH, CAPTURE_HEIGHT, bits, 0, 0);
    flushViewSurface(surface);
}

static void markLost(CaptureDevice* device, const std::string& reason) {
    device->lostReason = reason;
    device->lost = true;
}

// Why the source has stopped giving pictures, or an empty string while it still does.
static std::string sourceEnd(CaptureDevice* device, bool pulled,
                             std::chrono::steady_clock::time_point lastFrame) {
    std::string end = readBusForEnd(device->pipeline);
    if (end.empty() && !pulled && gst_app_sink_is_eos(GST_APP_SINK(device->sink))) {
        end = "the source ended";
    }
    if (end.empty() && std::chrono::steady_clock::now() - lastFrame >
                           std::chrono::milliseconds(FRAMES_STOPPED_MS)) {
        end = "no picture for " + std::to_string(FRAMES_STOPPED_MS / 1000) + " seconds";
    }
    return end;
}

// A source that has stopped keeps its last frame on show; the thread waits without spinning
// until the device is closed.
static void waitForClose(CaptureDevice* device) {
    std::unique_lock<std::mutex> hold(device->wakeLock);
    device->wake.wait(hold, [device] { return device->stopping.load(); });
}

static void runPreview(CaptureDevice* device, const ViewWindow* window, int x, int y, int periodMs) {
    using Clock = std::chrono::steady_clock;
    ViewSurface* surface = getViewSurface(window);
    std::vector<unsigned char> picture((size_t)CAPTURE_WIDTH * CAPTURE_HEIGHT * 4, 0);
    GstAppSink* sink = GST_APP_SINK(device->sink);
    Clock::time_point nextShow = Clock::now();
    Clock::time_point lastFrame = Clock::now();
    while (!device->stopping) {
        GstSample* sample = gst_app_sink_try_pull_sample(sink, PULL_WAIT_MS * GST_MSECOND);
        if (sample != nullptr) {
            if (device->newest != nullptr) {
                gst_sample_unref(device->newest);
            }
            device->newest = sample;
            lastFrame = Clock::now();
        }
        std::string end = sourceEnd(device, sample != nullptr, lastFrame);
        if (!end.empty() || Clock::now() >= nextShow) {
            if (device->newest != nullptr) {
                showSample(device, device->newest);
                gst_sample_unref(device->newest);
                device->newest = nullptr;
            }
            paintShown(device, surface, x, y, picture);
            nextShow = Clock::now() + std::chrono::milliseconds(periodMs);
        }
        if (!end.empty()) {
            markLost(device, end);
            waitForClose(device);
        }
    }
    releaseViewSurface(surface);
}

void startCapturePreview(CaptureDevice* device, const ViewWindow* window, int x, int y, int periodMs) {
    if (device == nullptr || device->preview.joinable()) {
        return;
    }
    // The frame that proved the source works is on show as soon as the preview is on.
    if (device->newest != nullptr) {
        showSample(device, device->newest);
        gst_sample_unref(device->newest);
        device->newest = nullptr;
    }
    device->preview = std::thread(runPreview, device, window, x, y, periodMs);
}

void closeCaptureDevice(CaptureDevice* device) {
    if (device == nullptr) {
        return;
    }
    {
        std::lock_guard<std::mutex> hold(device->wakeLock);
        device->stopping = true;
    }
    device->wake.notify_all();
    if (device->preview.joinable()) {
        device->preview.join();
    }
    destroyPipeline(device);
    delete device;
}

bool captureLost(const CaptureDevice* device, std::string* reason) {
    if (device == nullptr || !device->lost) {
        return false;
    }
    *reason = device->lostReason;
    return true;
}

std::string captureSourceName(const std::string& device, const std::string& source) {
    return source.empty() ? "camera " + device : "capture source \"" + source + "\"";
}

bool copyShownFrame(CaptureDevice* device, unsigned char* rgb) {
    if (device == nullptr) {
        return false;
    }
    std::lock_guard<std::mutex> hold(device->shownLock);
    if (!device->hasShown) {
        return false;
    }
    std::memcpy(rgb, device->shown.data(), CAPTURE_FRAME_BYTES);
    return true;
}

bool pixelOfShownFrame(CaptureDevice* device, int x, int y, unsigned char rgb[3]) {
    if (device == nullptr || x < 0 || y < 0 || x >= CAPTURE_WIDTH || y >= CAPTURE_HEIGHT) {
        return false;
    }
    std::lock_guard<std::mutex> hold(device->shownLock);
    if (!device->hasShown) {
        return false;
    }
    std::memcpy(rgb, &device->shown[((size_t)y * CAPTURE_WIDTH + x) * 3], 3);
    return true;
}
