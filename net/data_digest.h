// A digest of the data files the game reads, so that two machines can tell they play the same.
#ifndef VANTORIX_DATA_DIGEST_H
#define VANTORIX_DATA_DIGEST_H

#include <cstdint>

// Over the motion files, the pictures and the sounds in the working directory, in a fixed order;
// a missing file counts as a file of its own kind, so it differs from any file that is there.
uint32_t dataFilesDigest();

#endif
