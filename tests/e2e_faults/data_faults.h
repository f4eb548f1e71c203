// The data-fault table: which file of data/ is damaged, and how.
#ifndef VANTORIX_TEST_DATA_FAULTS_H
#define VANTORIX_TEST_DATA_FAULTS_H

#include <string>
#include <vector>

#include "tests/support/data_dir.h"

enum FaultKind { FAULT_MISSING, FAULT_EMPTY, FAULT_HALF, FAULT_RANDOM };

enum FileGroup { GROUP_MOTION, GROUP_TEXTURE, GROUP_EFFECT, GROUP_MUSIC };

const char* faultKindName(FaultKind kind);
const char* fileGroupName(FileGroup group);

// Every file of data/ in the group (motion files, pictures, sound effects, music), by name.
std::vector<std::string> filesOf(FileGroup group);

// Damages one file of a data copy: removed, emptied, cut to the first half of its bytes, or
// overwritten by as many pseudo-random bytes (the same bytes on every run).
void applyFault(const DataCopy& data, const std::string& file, FaultKind kind);

#endif
