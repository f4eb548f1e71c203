// Reading a camera frame from a binary PPM file (P6, 320 x 240, maxval 255).
#ifndef VANTORIX_HANDS_READ_PPM_FRAME_H
#define VANTORIX_HANDS_READ_PPM_FRAME_H

#include <string>
#include <vector>

// Fills rgb with 320 x 240 x 3 bytes, top row first; false with why set (in words, without the
// file's name) when the file cannot be read or is not such a frame.
bool readPpmFrame(const std::string& path, std::vector<unsigned char>& rgb, std::string& why);

#endif
