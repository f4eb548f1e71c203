// Test support: running inside the game's data folder, or inside a temporary copy of it.
#include "tests/support/data_dir.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string dataDirectory() { return VANTORIX_DATA_DIR; }

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& directory) {
    previous = fs::current_path().string();
    fs::current_path(directory);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() { fs::current_path(previous); }

DataCopy::DataCopy(const std::vector<std::string>& without) {
    char pattern[] = "/tmp/vantorix-data-XXXXXX";
    if (mkdtemp(pattern) == NULL) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    directory = pattern;
    for (const fs::directory_entry& entry : fs::directory_iterator(dataDirectory())) {
        std::string name = entry.path().filename().string();
        if (std::find(without.begin(), without.end(), name) == without.end()) {
            fs::copy(entry.path(), fs::path(directory) / name, fs::copy_options::recursive);
        }
    }
}

DataCopy::~DataCopy() {
    std::error_code ignored;
    fs::remove_all(directory, ignored);
}

void DataCopy::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(fs::path(directory) / name, std::ios::binary | std::ios::trunc);
    out << bytes;
}
