// Test support: running inside the game's data folder, or inside a temporary copy of it.
#include "tests/support/data_dir.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

std::string dataDirectory() { return VANTORIX_DATA_DIR; }

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& directory) {
    previous = fs::current_path().string();
    fs::current_path(directory);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() { fs::current_path(previous); }

DataCopy::DataCopy(const std::vector<std::string>& without) {
    if (path().empty()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(dataDirectory())) {
        std::string name = entry.path().filename().string();
        if (std::find(without.begin(), without.end(), name) == without.end()) {
            fs::copy(entry.path(), fs::path(path()) / name, fs::copy_options::recursive);
        }
    }
}

void DataCopy::writeFile(const std::string& name, const std::string& bytes) const {
    writeWholeFile((fs::path(path()) / name).string(), bytes);
}
