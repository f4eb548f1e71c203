// Test support: temporary folders and whole files read and written at once.
#include "tests/support/files.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

FreshFolder::FreshFolder() {
    char pattern[] = "/tmp/vantorix-test-XXXXXX";
    directory = mkdtemp(pattern) ? std::string(pattern) : std::string();
}

FreshFolder::~FreshFolder() {
    if (!directory.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
}

void FreshFolder::write(const std::string& name, const std::string& text) const {
    writeWholeFile(file(name), text);
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::string& path, const std::string& text, bool executable) {
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    chmod(path.c_str(), executable ? 0755 : 0644);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}
