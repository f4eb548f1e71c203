// The check every operation on the image buffers makes of the image indexes it is given.
#ifndef VANTORIX_IMAGE_CHECK_H
#define VANTORIX_IMAGE_CHECK_H

class CWebCam;

// True when the index names one of the three buffers; otherwise says so on stderr, naming the
// operation, so that the operation can leave every buffer and measurement alone.
bool imageIndexOk(const CWebCam& cam, int image, const char* operation);

#endif
