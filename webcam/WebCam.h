// CWebCam: the camera buffers, the players' hand measurements, capture, analysis and filters.
#ifndef VANTORIX_WEBCAM_H
#define VANTORIX_WEBCAM_H

#include <atomic>
#include <string>

struct ViewWindow;
struct ViewSurface;
struct CaptureDevice;

const int IMAGE_WIDTH = 320;
const int IMAGE_HEIGHT = 240;
// How often the live preview takes the camera's newest frame in the design, whose analysis
// reads that frame.
const int DESIGN_PREVIEW_PERIOD_MS = 300;

struct Pixel {
    unsigned char r;
    unsigned char g;
    unsigned char b;
    int couleur;
};

struct PixelHSL {
    unsigned char h;
    unsigned char s;
    unsigned char l;
};

struct Image {
    int largeur;
    int hauteur;
    // 240 contiguous rows of 320 pixels: pixels[row][column].
    Pixel (*pixels)[IMAGE_WIDTH];
};

class CWebCam {
public:
    std::atomic<int> baryX1;
    std::atomic<int> baryY1;
    std::atomic<int> baryX2;
    std::atomic<int> baryY2;
    std::atomic<int> varX1;
    std::atomic<int> varY1;
    std::atomic<int> varX2;
    std::atomic<int> varY2;
    std::atomic<int> rps1;
    std::atomic<int> rps2;
    std::atomic<int> nbPixels1;
    std::atomic<int> nbPixels2;
    ViewWindow* hWndFenetre;
    ViewSurface* hDCFenetre;
    // The camera plays both parts of the capture window: its frames are read from it and its
    // preview is painted by it. Both point at the same device, null until Connect succeeds.
    CaptureDevice* hDCCapture;
    CaptureDevice* hWndCapture;
    Image images[3];
    // Camera driver 0.
    std::string captureDevice;
    // Another capture source for tests (media pipeline language); empty means the camera.
    std::string captureSource;
    // Recupere2Image's turn: false fills the first image next, true the second.
    bool recupereSecond;
    // How often the live preview takes the camera's newest frame, the one the analysis reads.
    int previewPeriodMs;

    CWebCam();
    ~CWebCam();
    CWebCam(const CWebCam&) = delete;
    CWebCam& operator=(const CWebCam&) = delete;

    // Capture and display.
    // False, after one line on standard error naming the device and the reason, when the
    // camera cannot be connected; play then goes on with the keyboard.
    bool Connect();
    // Stops the preview and lets the camera go; the view window may close after it.
    void Disconnect();
    void AfficheWebCam();
    void ChargeCapture(int image);
    void ChargeBitmap(int image);
    void RecupereImage(int image);
    void Recupere2Image(int first, int second);
    void CopieImage(int source, int destination);
    void Charge2Capture(int current, int previous);
    void AfficheImage(int image);

    // Hand-sign analysis.
    void CalGris(int image);
    Pixel CalMoyCouleur(int image) const;
    void CalBiCouleur(int image);
    void calculBarycentre(int image);
    void calculVariance(int image);
    void discriminateRPS();

    // Filter library.
    void CalRGB(int image);
    void CalCouleur(int image);
    void CalInvCouleur(int image);
    void CalAddCouleur(int image, int addR, int addG, int addB, bool wrap);
    void CalMirroir(int image, bool horizontal, bool vertical);
    Pixel CalSeuilCouleur(int image) const;
    void CalBiCouleurSeuil(int image);
    void CalExpole16to16(int image);
    void CalExpole16to256(int image);
    void CalSoustraction(int first, int second, int target);
    PixelHSL CalRGBtoHSL(Pixel p) const;
    unsigned short HueToRGB(unsigned short m1, unsigned short m2, unsigned short hue) const;
    Pixel CalHSLtoRGB(PixelHSL x) const;
    void CalIntensiteHSL(int image, bool useH, bool useS, bool useL);
    void CalFixLumiere(int image, int value);
    void CalFixTeinte(int image, int value);
    void CalFixSaturation(int image, int value);
    bool CalRessemblance(Pixel p, Pixel q, signed char threshold) const;
    void CalMouvement(int first, int second, int target);
    void CalFlou(int image);
    void CalContourGris(int image, int threshold);
    void CalContour(int image, int threshold);
};

Pixel moyenne(const Pixel* list, int count);
int min_tbl(const int* list, int count);
int max_tbl(const int* list, int count);

#endif
