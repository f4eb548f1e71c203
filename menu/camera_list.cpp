// The cameras this machine has: the video devices in /dev.
#include "menu/camera_list.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

std::vector<std::string> listCameras() {
    std::vector<int> numbers;
    DIR* dir = opendir("/dev");
    if (dir != nullptr) {
        while (const dirent* entry = readdir(dir)) {
            const char* name = entry->d_name;
            char* end = nullptr;
            if (std::strncmp(name, "video", 5) == 0 && name[5] != '\0') {
                long number = std::strtol(name + 5, &end, 10);
                if (*end == '\0') {
                    numbers.push_back((int)number);
                }
            }
        }
        closedir(dir);
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<std::string> cameras;
    for (int number : numbers) {
        cameras.push_back("/dev/video" + std::to_string(number));
    }
    return cameras;
}
