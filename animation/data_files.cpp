// The record of the data files the loaders opened.
#include "animation/data_files.h"

#include <mutex>
#include <set>

static std::mutex guard;
static std::set<std::string> opened;

void noteDataFile(const std::string& name) {
    std::lock_guard<std::mutex> lock(guard);
    opened.insert(name);
}

std::vector<std::string> dataFilesOpened() {
    std::lock_guard<std::mutex> lock(guard);
    return std::vector<std::string>(opened.begin(), opened.end());
}
