// Writing the settings file whole: a temporary file beside it, flushed to the disk, then renamed
// over it, so that a crash or a full disk never leaves half a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/settings.h"
#include "settings/settings_format.h"

std::string settingsText(const Settings& s) {
    std::string text =
        "# Vantorix settings, written by the game's settings screen; you may edit them here.\n"
        "# Switches are yes or no; the window is 320 to 7680 by 240 to 4320; keys are named as on\n"
        "# the settings screen (a, 5, space, left, right shift, [1] on the keypad, f5); pad "
        "buttons\n"
        "# are 0 to 31; hands are read the design way or the room way; volumes go from 0 to 100.\n"
        "# A wrong line is reported when the game starts, and its setting keeps its default.\n";
    auto line = [&text](const std::string& name, const std::string& value) {
        text += name + " = " + value + "\n";
    };
    text += "\n[window]\n";
    line("fullscreen", yesNo(s.fullscreen));
    line("width", std::to_string(s.windowWidth));
    line("height", std::to_string(s.windowHeight));
    for (int player = 0; player < 2; player++) {
        text += "\n[player" + std::to_string(player + 1) + "]\n";
        for (int action = 0; action < ACTION_COUNT; action++) {
            line(ACTION_NAMES[action], keyName(s.keys[player][action]));
        }
    }
    for (int pad = 0; pad < 2; pad++) {
        text += "\n[pad" + std::to_string(pad + 1) + "]\n";
        for (int button = 0; button < PAD_ACTION_COUNT; button++) {
            line(ACTION_NAMES[PAD_ACTION_FIRST + button],
                 std::to_string(s.padButtons[pad][button]));
        }
    }
    text += "\n[webcam]\n";
    line("on", yesNo(s.webcam));
    // A camera that would break the line cannot be kept: the default stands in for it.
    line("camera", cameraValid(s.camera) ? s.camera : Settings().camera);
    line("hands", HANDS_NAMES[s.hands == 1 ? 1 : 0]);
    text += "\n[sound]\n";
    line("music", std::to_string(s.musicVolume));
    line("effects", std::to_string(s.effectsVolume));
    text += "\n[recording]\n";
    line("automatic", yesNo(s.recordFights));
    return text;
}

namespace {

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}


bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            errno = written < 0 ? errno : ENOSPC;
            return false;
        }
        done += (size_t)written;
    }
    return true;
}

// The text in a new file beside path, on the disk; its name, or "" with errno set.
std::string writeTemporary(const std::string& path, const std::string& text) {
    std::string name = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(&name[0]);
    if (fd < 0) {
        return "";
    }
    bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    int error = errno;
    written = ::close(fd) == 0 && written;
    if (!written) {
        ::unlink(name.c_str());
        errno = error != 0 ? error : errno;
        return "";
    }
    return name;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

// mkdir -p: the folders made here are the player's alone.
bool makeFolders(const std::string& folder) {
    struct stat info;
    if (::stat(folder.c_str(), &info) == 0) {
        if (!S_ISDIR(info.st_mode)) {
            errno = ENOTDIR;
            return false;
        }
        return true;
    }
    if (errno != ENOENT) {
        return false;
    }
    std::string parent = folderOf(folder);
    if (parent != folder && !makeFolders(parent)) {
        return false;
    }
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// Where a settings file kept elsewhere and linked here (a folder of dotfiles) really lives:
// renaming the new file over the link would cut the link off from the file it names.
static std::string linkedFile(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        std::string target(real);
        std::free(real);
        return target;
    }
    // A link to a file not made yet: the file is made where the link points.
    std::string target(PATH_MAX, '\0');
    ssize_t length = ::readlink(path.c_str(), &target[0], target.size());
    if (length <= 0) {
        return path;
    }
    target.resize((size_t)length);
    return target[0] == '/' ? target : folderOf(path) + "/" + target;
}

bool writeSettings(const std::string& named, const Settings& settings, bool keepOldAsBackup,
                   std::string& error) {
    std::string path = linkedFile(named);
    std::string folder = folderOf(path);
    std::string temporary;
    if (makeFolders(folder)) {
        temporary = writeTemporary(path, settingsText(settings));
    }
    if (temporary.empty()) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    // The old file goes aside only now that the new one is whole: a failure before this point
    // leaves it as it was, and a rename never loses it.
    std::string backup = path + ".bak";
    struct stat old;
    bool keeping = keepOldAsBackup && ::lstat(path.c_str(), &old) == 0;
    if (keeping && ::rename(path.c_str(), backup.c_str()) != 0) {
        error = "cannot write " + path + ": cannot keep the old file as " + backup + ": " +
                std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        if (keeping) {
            ::rename(backup.c_str(), path.c_str());
        }
        return false;
    }
    syncFolder(folder);
    return true;
}
