// Listing a folder's recordings, newest first.
#include "menu/recordings_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

struct Found {
    std::string name;
    long long seconds;
    long nanoseconds;
};

static bool endsWith(const std::string& text, const std::string& end) {
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<std::string> listRecordings(const std::string& folder) {
    std::vector<Found> found;
    DIR* dir = opendir(folder.c_str());
    if (dir != nullptr) {
        while (const dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            struct stat status;
            if (endsWith(name, ".vxr") && stat((folder + "/" + name).c_str(), &status) == 0 &&
                S_ISREG(status.st_mode)) {
                found.push_back(Found{name, (long long)status.st_mtim.tv_sec, status.st_mtim.tv_nsec});
            }
        }
        closedir(dir);
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.seconds != b.seconds) {
            return a.seconds > b.seconds;
        }
        if (a.nanoseconds != b.nanoseconds) {
            return a.nanoseconds > b.nanoseconds;
        }
        return a.name > b.name;
    });
    std::vector<std::string> paths;
    for (const Found& f : found) {
        paths.push_back(folder + "/" + f.name);
    }
    return paths;
}
