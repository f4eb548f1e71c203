// The design way's four steps on one image, gathered into a reading of both hands.
#include "webcam/design_reading.h"

#include "webcam/WebCam.h"
#include "webcam/analysis_passes.h"
#include "webcam/image_check.h"

static const int HALF_WIDTH = IMAGE_WIDTH / 2;

// White pixels of the thresholded image in columns [first, first + HALF_WIDTH).
static int halfWhite(const WhiteCounts& counts, int first) {
    int white = 0;
    for (int column = first; column < first + HALF_WIDTH; ++column) {
        white += counts.columns[column];
    }
    return white;
}

HandReading readDesignWay(CWebCam& cam, int image) {
    HandReading reading;
    if (!imageIndexOk(cam, image, "readDesignWay")) {
        return reading;
    }
    cam.CalBiCouleur(image);
    cam.calculBarycentre(image);
    cam.calculVariance(image);
    cam.discriminateRPS();
    // nbPixels keeps an empty half's last count, so whether the half is empty now is counted
    // afresh on the mask.
    WhiteCounts counts;
    analysisPasses().countWhite(&cam.images[image].pixels[0][0], counts);
    reading.player1 = PlayerHand{halfWhite(counts, HALF_WIDTH) > 0, cam.baryX1, cam.baryY1, cam.varX1,
                                 cam.varY1, cam.rps1, cam.nbPixels1};
    reading.player2 = PlayerHand{halfWhite(counts, 0) > 0, cam.baryX2, cam.baryY2, cam.varX2,
                                 cam.varY2, cam.rps2, cam.nbPixels2};
    return reading;
}
