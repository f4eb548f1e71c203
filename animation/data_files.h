// The data files the game's loaders have opened, or tried to: what two machines must share to
// play the same fight, noted as each loader goes, so that a new file cannot be forgotten.
#ifndef VANTORIX_DATA_FILES_H
#define VANTORIX_DATA_FILES_H

#include <string>
#include <vector>

// Called by a loader with the name it opens, whether the file is there or not.
void noteDataFile(const std::string& name);
// Every name noted so far, each once, in name order.
std::vector<std::string> dataFilesOpened();

#endif
