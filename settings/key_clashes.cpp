// Settling keys given twice: the later line gives way, so that the game always starts with
// every action on a key of its own.
#include "settings/key_clashes.h"

#include <map>

void settleClaims(const std::vector<Slot>& slots, const std::vector<Claim>& claims,
                  const std::vector<int>& spare, std::string (*show)(int), const std::string& file,
                  std::vector<NumberedLine>& problems) {
    std::vector<bool> claimed(slots.size(), false);
    for (const Claim& claim : claims) {
        claimed[claim.slot] = true;
    }
    // Which slot holds each value given out so far.
    std::map<int, size_t> holder;
    for (size_t slot = 0; slot < slots.size(); slot++) {
        if (!claimed[slot]) {
            *slots[slot].value = slots[slot].fallback;
            holder[slots[slot].fallback] = slot;
        }
    }
    for (const Claim& claim : claims) {
        const Slot& slot = slots[claim.slot];
        int value = claim.value;
        auto held = holder.find(value);
        if (held != holder.end()) {
            std::string what = file + ":" + std::to_string(claim.line) + ": " + slot.name + ": " +
                               show(value) + " is " + slots[held->second].name + "'s already";
            auto fallbackHeld = holder.find(slot.fallback);
            if (fallbackHeld == holder.end()) {
                value = slot.fallback;
                what += "; the default (" + show(value) + ") is used";
            } else {
                for (int candidate : spare) {
                    if (holder.count(candidate) == 0) {
                        value = candidate;
                        break;
                    }
                }
                what += ", and its default " + show(slot.fallback) + " is " +
                        slots[fallbackHeld->second].name + "'s; the first free one (" +
                        show(value) + ") is used";
            }
            problems.push_back({claim.line, what});
        }
        *slot.value = value;
        holder[value] = (size_t)claim.slot;
    }
}
