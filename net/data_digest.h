// A digest of the data files the game reads, so that two machines can tell they play the same.
#ifndef VANTORIX_DATA_DIGEST_H
#define VANTORIX_DATA_DIGEST_H

#include <cstdint>
#include <string>
#include <vector>

// Over the named files in the working directory, in the order given (the game gives the files
// its loaders opened, animation/data_files.h): each name, then its bytes. A missing file counts
// as a file of its own kind, so it differs from any file that is there.
uint32_t dataFilesDigest(const std::vector<std::string>& names);

#endif
