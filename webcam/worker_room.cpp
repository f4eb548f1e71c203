// The room way in the webcam worker: each frame through the learning steps into the room finder.
#include "webcam/worker_room.h"

#include <opencv2/core/utils/logger.hpp>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <exception>

#include "game/codes.h"
#include "webcam/WebCam.h"

static const int NO_WALK_X = 80;
static const int CENTRE_ROW = 120;

RoomWay::RoomWay(const char* faceModel, const char* handModel, const char* secondHandModel)
    : hands(faceModel),
      landmarks(handModel, secondHandModel),
      learningStart(std::chrono::steady_clock::now()),
      moment(learningAt(0)),
      rgb((size_t)IMAGE_WIDTH * IMAGE_HEIGHT * 3),
      last(noHandsReading()) {
    if (!hands.error().empty()) {
        std::fprintf(stderr, "Vantorix: the face model \"%s\" cannot be read; hands are found without setting faces aside\n",
                     faceModel);
        std::fflush(stderr);
    }
    if (landmarks.loaded()) {
        hands.setSignReader(landmarks.signReader());
        if (!landmarks.secondError().empty()) {
            std::fprintf(stderr, "Vantorix: the hand model \"%s\" %s; signs are read by \"%s\" alone\n",
                         secondHandModel, landmarks.secondError().c_str(), handModel);
            std::fflush(stderr);
        }
    } else {
        std::fprintf(stderr, "Vantorix: the hand model \"%s\" %s; signs are read from the hands' outlines\n", handModel,
                     landmarks.error().c_str());
        std::fflush(stderr);
    }
}

// The hand model's looks take this thread tens of milliseconds at a time: when the machine has no
// core to spare, the game's thread goes first (a nice of 10 weighs about a tenth of the game's).
static const int WORKER_NICE = 10;

std::unique_ptr<RoomWay> openRoomWay(const char* faceModel, const char* handModel, const char* secondHandModel) {
    setpriority(PRIO_PROCESS, (id_t)syscall(SYS_gettid), WORKER_NICE);
    // The game says in its own words what is wrong; OpenCV's log would say it again otherwise.
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    return std::unique_ptr<RoomWay>(new RoomWay(faceModel, handModel, secondHandModel));
}

void RoomWay::learnAgain() {
    hands.learnAgain();
    landmarks.forget();
    learningStart = std::chrono::steady_clock::now();
    moment = learningAt(0);
    last = noHandsReading();
}

HandReading noHandsReading() {
    HandReading reading;
    for (PlayerHand* hand : {&reading.player1, &reading.player2}) {
        hand->baryX = NO_WALK_X;
        hand->baryY = CENTRE_ROW;
        hand->sign = NO_SIGN;
    }
    return reading;
}

static void copyFrame(const CWebCam& cam, std::vector<unsigned char>& rgb) {
    const Pixel* from = &cam.images[0].pixels[0][0];
    unsigned char* to = rgb.data();
    for (int i = 0; i < IMAGE_WIDTH * IMAGE_HEIGHT; ++i, to += 3) {
        to[0] = from[i].r;
        to[1] = from[i].g;
        to[2] = from[i].b;
    }
}

// One step of learning or play on the frame in way.rgb.
static void readFrame(RoomWay& way) {
    if (way.moment.step == LEARN_ROOM) {
        way.hands.learnEmptyRoom(way.rgb.data());
    } else if (way.moment.step == LEARN_PLAYERS) {
        way.hands.learnPlayers(way.rgb.data());
    } else if (way.moment.step == PLAY) {
        way.last = way.hands.read(way.rgb.data());
    }
}

HandReading roomPass(RoomWay& way, CWebCam& cam) {
    cam.ChargeCapture(0);
    copyFrame(cam, way.rgb);
    auto elapsed = std::chrono::steady_clock::now() - way.learningStart;
    way.moment = learningAt((long)std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    way.last = noHandsReading();
    // What escaped the finder on one frame would end the game from this thread: that frame
    // reads no hands instead, and the first such failure is said.
    try {
        readFrame(way);
    } catch (const std::exception& failure) {
        way.last = noHandsReading();
        if (!way.failureSaid) {
            std::fprintf(stderr, "Vantorix: the room way failed on a frame (%s); such frames read no hands\n",
                         failure.what());
            std::fflush(stderr);
            way.failureSaid = true;
        }
    }
    return way.last;
}
