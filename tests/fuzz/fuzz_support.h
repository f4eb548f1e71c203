// Fuzz support: a private scratch folder for the inputs that the readers only take as files.
#ifndef VANTORIX_FUZZ_SUPPORT_H
#define VANTORIX_FUZZ_SUPPORT_H

#include <sanitizer/common_interface_defs.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

struct ScratchFolder {
    std::string path;
    std::vector<std::string> files;

    ScratchFolder() {
        char pattern[] = "/tmp/vantorix-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::perror("vantorix fuzz: cannot make a scratch folder in /tmp");
            std::abort();
        }
        path = pattern;
    }
    ~ScratchFolder() {
        for (const std::string& file : files) {
            std::remove(file.c_str());
        }
        rmdir(path.c_str());
    }
};

inline ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}

// The full name of a file in the scratch folder; it is removed when the fuzzer ends.
inline std::string scratchFile(const char* name) {
    std::string file = scratch().path + "/" + name;
    scratch().files.push_back(file);
    return file;
}

// Replaces the file's contents with the input, byte for byte.
inline void writeInput(const std::string& file, const uint8_t* data, size_t size) {
    FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr || (size > 0 && std::fwrite(data, 1, size, out) != size) ||
        std::fclose(out) != 0) {
        std::perror(("vantorix fuzz: cannot write " + file).c_str());
        std::abort();
    }
}

// Reports a broken expectation about the code under test as a crash, with the reason. The
// reason goes where the sanitizers report, which stays open when the fuzzer closes standard
// error to quiet the game's warnings.
inline void fail(const std::string& what) {
    __sanitizer_report_error_summary(("vantorix fuzz: " + what).c_str());
    std::abort();
}

}  // namespace fuzz

#endif
