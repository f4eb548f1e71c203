// The lighting conditions: daylight, a warm lamp, a dim room, a window behind, an office, a dark wall.
#include "conditions.h"

static const std::vector<Condition> CONDITIONS = {
    // name, room, light colour, room, players, side, side window, back window, lamp, noise, max gain,
    // blur, passer-by, dark clothes
    {"daylight", LIVING_ROOM, {1.0f, 1.0f, 0.98f}, 0.9f, 1.0f, 0.35f, 3.0f, 0, 0, 2.0f, 4, 0.6f, 0.25f, false},
    {"warm-lamp", LIVING_ROOM, {1.0f, 0.70f, 0.40f}, 0.45f, 0.7f, 0.6f, 0, 0, 5.0f, 3.0f, 5, 0.7f, 0.25f, false},
    {"dim", LIVING_ROOM, {1.0f, 0.82f, 0.62f}, 0.035f, 0.05f, 0.5f, 0, 0, 0.5f, 2.6f, 6, 1.0f, 0.25f, false},
    {"window-behind", LIVING_ROOM, {1.0f, 1.0f, 1.0f}, 0.55f, 0.6f, 0.2f, 0, 9.0f, 0, 2.0f, 4, 0.6f, 0.25f, false},
    {"office", OFFICE_ROOM, {0.86f, 0.96f, 1.1f}, 1.0f, 1.0f, 0.1f, 0, 0, 0, 2.0f, 4, 0.6f, 1.0f, false},
    {"dark-wall", DARK_WALL_ROOM, {1.0f, 0.95f, 0.9f}, 0.25f, 1.0f, 0.2f, 0, 0, 0, 2.0f, 2.2f, 0.6f, 0, true},
};

const std::vector<Condition>& conditions() {
    return CONDITIONS;
}

const Condition* conditionNamed(const std::string& name) {
    for (const Condition& condition : CONDITIONS) {
        if (name == condition.name) {
            return &condition;
        }
    }
    return nullptr;
}
