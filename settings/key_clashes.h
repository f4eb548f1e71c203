// Settling keys (or pad buttons) that the settings file gives to two actions at once.
#ifndef VANTORIX_KEY_CLASHES_H
#define VANTORIX_KEY_CLASHES_H

#include <string>
#include <vector>

// One action that takes a key: its name in messages, its default, where its key goes.
struct Slot {
    std::string name;
    int fallback;
    int* value;
};

// The file's line giving slot its value.
struct Claim {
    int line;
    int slot;
    int value;
};

struct NumberedLine {
    int line;
    std::string text;
};

// Gives every slot a value no other slot has. Slots the file leaves alone hold their defaults
// first; then the claims, in the order of their lines, each take their value unless it is held
// already, else their default, else the first free of spare. Every claim refused adds a line.
void settleClaims(const std::vector<Slot>& slots, const std::vector<Claim>& claims,
                  const std::vector<int>& spare, std::string (*show)(int), const std::string& file,
                  std::vector<NumberedLine>& problems);

#endif
