// The recorded fights in a folder, for the watch screen.
#ifndef VANTORIX_RECORDINGS_LIST_H
#define VANTORIX_RECORDINGS_LIST_H

#include <string>
#include <vector>

// The paths of the folder's *.vxr files, newest first (by the time each was last written; equal
// times by name, later names first). A folder that is missing or unreadable has none.
std::vector<std::string> listRecordings(const std::string& folder);

#endif
