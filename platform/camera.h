// The camera: a capture source turned into 320 x 240 RGB frames, with a live preview on the view window.
#ifndef VANTORIX_PLATFORM_CAMERA_H
#define VANTORIX_PLATFORM_CAMERA_H

#include <string>

struct CaptureDevice;
struct ViewWindow;

const int CAPTURE_WIDTH = 320;
const int CAPTURE_HEIGHT = 240;
// Bytes of one captured frame: red, green, blue per pixel, top row first.
const int CAPTURE_FRAME_BYTES = CAPTURE_WIDTH * CAPTURE_HEIGHT * 3;

// The capture source of a camera device, in the pipeline language of the media library
// ("v4l2src device=/dev/video0 ! decodebin" for the first camera).
std::string cameraSource(const std::string& device);
// How messages name what is being captured: "camera DEVICE" when source is empty, else
// "capture source "SOURCE"".
std::string captureSourceName(const std::string& device, const std::string& source);

// Opens a capture source and waits for its first frame. Whatever size and format the source gives,
// frames arrive as 320 x 240 RGB, stretched to fill the picture. Returns null on failure with the
// reason in *error (the device missing, busy, not a camera, no picture within a few seconds).
CaptureDevice* openCaptureDevice(const std::string& source, std::string* error);
// Stops the preview and the source; the preview paints nothing more once this returns.
void closeCaptureDevice(CaptureDevice* device);

// Starts the live preview: every periodMs the newest frame becomes the shown frame, painted at
// (x, y) of the window. With a null window the frame is shown nowhere but still refreshed.
// Before the preview runs no frame is shown.
void startCapturePreview(CaptureDevice* device, const ViewWindow* window, int x, int y, int periodMs);

// True once the source has stopped giving pictures while the preview runs: it posted an error, it
// ended, or no frame came for 5 seconds (a camera pulled out may say nothing). The reason goes to
// *reason. The last frame stays on show and readable until the device is closed. Any thread may ask.
bool captureLost(const CaptureDevice* device, std::string* reason);

// Copies the shown frame (CAPTURE_FRAME_BYTES into rgb); false, leaving rgb alone, when no frame
// has been shown yet.
bool copyShownFrame(CaptureDevice* device, unsigned char* rgb);
// One pixel of the shown frame, column x, row y from the top; false when no frame has been shown
// or the position lies outside the frame.
bool pixelOfShownFrame(CaptureDevice* device, int x, int y, unsigned char rgb[3]);

#endif
