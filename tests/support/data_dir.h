// Test support: running inside the game's data folder, or inside a temporary copy of it.
#ifndef VANTORIX_TEST_DATA_DIR_H
#define VANTORIX_TEST_DATA_DIR_H

#include <string>
#include <vector>

#include "tests/support/files.h"

// Changes the working directory for the lifetime of the object and changes it back afterwards.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::string& directory);
    ~ScopedWorkingDirectory();

private:
    std::string previous;
};

// A fresh temporary copy of data/ without the named files; removed with the object.
class DataCopy {
public:
    explicit DataCopy(const std::vector<std::string>& without = std::vector<std::string>());
    const std::string& path() const { return folder.path(); }
    // Writes a file of the given bytes into the copy (to plant a broken or unusual file).
    void writeFile(const std::string& name, const std::string& bytes) const;

private:
    FreshFolder folder;
};

std::string dataDirectory();

#endif
