// Test support: temporary folders and whole files read and written at once.
#ifndef VANTORIX_TEST_FILES_H
#define VANTORIX_TEST_FILES_H

#include <string>
#include <vector>

// A fresh empty folder under /tmp, removed with everything in it when the object goes.
class FreshFolder {
public:
    FreshFolder();
    ~FreshFolder();
    const std::string& path() const { return directory; }
    std::string file(const std::string& name) const { return directory + "/" + name; }
    void write(const std::string& name, const std::string& text) const;

private:
    std::string directory;
};

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& text, bool executable = false);
// The lines of a text, without their line ends; no empty last line for a text ending in one.
std::vector<std::string> linesOf(const std::string& text);

#endif
