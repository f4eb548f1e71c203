// Test pictures for the image filters: colours, filled buffers, snapshots and literal reference filters.
#ifndef VANTORIX_TESTS_FILTER_PICTURES_H
#define VANTORIX_TESTS_FILTER_PICTURES_H

#include <functional>
#include <ostream>
#include <vector>

#include "webcam/WebCam.h"

bool operator==(const Pixel& a, const Pixel& b);
void PrintTo(const Pixel& p, std::ostream* out);
void PrintTo(const PixelHSL& x, std::ostream* out);

// A pixel with couleur packed from its channels.
Pixel rgb(int r, int g, int b);

void paint(CWebCam& cam, int image, const std::function<Pixel(int row, int column)>& colourAt);
void fill(CWebCam& cam, int image, Pixel colour);
// Pseudo-random colours, about one channel in five 0 (black matters to the blur and the motion test).
void noise(CWebCam& cam, int image, unsigned int seed);
// Mostly black, about one pixel in forty lit with a pseudo-random colour.
void sparse(CWebCam& cam, int image, unsigned int seed);

std::vector<Pixel> snapshot(const CWebCam& cam, int image);
// Index of a pixel in a snapshot.
int at(int row, int column);

// The blur and the edge marking done the long way, pixel by pixel (a nine-entry neighbour list, a
// grid of step marks), to compare the fast filters with.
void referenceFlou(CWebCam& cam, int image);
void referenceContour(CWebCam& cam, int image, int threshold, bool grey);

#endif
