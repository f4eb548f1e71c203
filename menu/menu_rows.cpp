// Each menu screen's rows, built from the menu's state whenever they are needed.
#include <cstddef>
#include <string>
#include <vector>

#include "menu/menu_row.h"
#include "net/peer_link.h"

static Menu::Row row(RowId id, const std::string& label, MenuItemKind kind = ITEM_ACTION,
                     const std::string& value = "") {
    Menu::Row r;
    r.id = id;
    r.item.label = label;
    r.item.kind = kind;
    r.item.value = value;
    return r;
}

static Menu::Row heading(const std::string& label) { return row(ROW_INFO, label, ITEM_HEADING); }

static Menu::Row line(const std::string& label) { return row(ROW_INFO, label, ITEM_LINE); }

static const char* onOff(bool on) { return on ? "on" : "off"; }

static std::string capitalised(const char* word) {
    std::string text = word;
    text[0] = (char)(text[0] - 'a' + 'A');
    return text;
}

bool rowSelectable(const Menu::Row& row) {
    return row.item.kind != ITEM_HEADING && row.item.kind != ITEM_LINE;
}

const char* actionName(int action) {
    static const char* const NAMES[ACTION_COUNT] = {"left", "right", "up", "down", "rock", "paper", "scissors"};
    return action >= 0 && action < ACTION_COUNT ? NAMES[action] : "?";
}

std::vector<WindowSize> windowSizes(const Settings& settings) {
    std::vector<WindowSize> sizes = {{640, 480},  {800, 600},   {1024, 768},  {1280, 720},
                                     {1280, 960}, {1600, 900},  {1600, 1200}, {1920, 1080}};
    // A size from the settings file or a resized window is kept among them, in its place by area.
    long area = (long)settings.windowWidth * settings.windowHeight;
    size_t at = 0;
    while (at < sizes.size() && (long)sizes[at].width * sizes[at].height < area) {
        at++;
    }
    if (at == sizes.size() || sizes[at].width != settings.windowWidth ||
        sizes[at].height != settings.windowHeight) {
        sizes.insert(sizes.begin() + at, WindowSize{settings.windowWidth, settings.windowHeight});
    }
    return sizes;
}

static std::string fileName(const std::string& path) {
    std::string name = path.substr(path.rfind('/') + 1);
    const std::string extension = ".vxr";
    if (name.size() > extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
        name.erase(name.size() - extension.size());
    }
    return name;
}

static void addKeyRows(std::vector<Menu::Row>& rows, const Settings& settings, int player) {
    rows.push_back(heading("Player " + std::to_string(player + 1) + "'s keys"));
    for (int action = 0; action < ACTION_COUNT; action++) {
        Menu::Row r = row(ROW_KEY, capitalised(actionName(action)), ITEM_ACTION, keyName(settings.keys[player][action]));
        r.player = player;
        r.action = action;
        rows.push_back(r);
    }
}

static void addPadRows(std::vector<Menu::Row>& rows, const Settings& settings, int player) {
    rows.push_back(heading("Player " + std::to_string(player + 1) + "'s pad"));
    for (int k = 0; k < PAD_ACTION_COUNT; k++) {
        std::string button = "button " + std::to_string(settings.padButtons[player][k]);
        Menu::Row r = row(ROW_PAD_BUTTON, capitalised(actionName(PAD_ACTION_FIRST + k)), ITEM_ACTION, button);
        r.player = player;
        r.action = k;
        rows.push_back(r);
    }
}

static std::vector<Menu::Row> settingsRows(const Settings& s) {
    std::vector<Menu::Row> rows;
    rows.push_back(heading("Window"));
    rows.push_back(row(ROW_FULLSCREEN, "Fullscreen", ITEM_CHOICE, onOff(s.fullscreen)));
    rows.push_back(row(ROW_WINDOW_SIZE, "Window size", ITEM_CHOICE,
                       std::to_string(s.windowWidth) + " x " + std::to_string(s.windowHeight)));
    rows.push_back(heading("Sound"));
    rows.push_back(row(ROW_MUSIC, "Music volume", ITEM_CHOICE, std::to_string(s.musicVolume) + "%"));
    rows.push_back(row(ROW_EFFECTS, "Effects volume", ITEM_CHOICE, std::to_string(s.effectsVolume) + "%"));
    rows.push_back(heading("Webcam"));
    rows.push_back(row(ROW_WEBCAM, "Webcam", ITEM_CHOICE, onOff(s.webcam)));
    rows.push_back(row(ROW_CAMERA, "Camera", ITEM_CHOICE, s.camera));
    rows.push_back(row(ROW_HANDS, "Finding hands", ITEM_CHOICE, s.hands == 1 ? "in your room" : "by brightness"));
    rows.push_back(heading("Recording"));
    rows.push_back(row(ROW_RECORD_FIGHTS, "Record every fight", ITEM_CHOICE, onOff(s.recordFights)));
    for (int player = 0; player < 2; player++) {
        addKeyRows(rows, s, player);
    }
    for (int player = 0; player < 2; player++) {
        addPadRows(rows, s, player);
    }
    rows.push_back(row(ROW_RESTORE_KEYS, "Restore default keys and buttons"));
    rows.push_back(row(ROW_SAVE, "Save"));
    rows.push_back(row(ROW_BACK, "Back"));
    return rows;
}

static std::vector<Menu::Row> startRows() {
    return {row(ROW_TWO_PLAYERS, "Two players"),        row(ROW_COMPUTER, "Against the computer"),
            row(ROW_HOST, "Host an online fight"),      row(ROW_JOIN, "Join an online fight"),
            row(ROW_WATCH, "Watch a recording"),        row(ROW_SETTINGS, "Settings"),
            row(ROW_QUIT, "Quit")};
}

std::vector<Menu::Row> Menu::rows() const {
    std::vector<Row> rows;
    switch (current) {
    case SCREEN_START: return startRows();
    case SCREEN_COMPUTER:
        rows.push_back(row(ROW_LEVEL, "Level", ITEM_CHOICE, traitsOf(level).name));
        rows.push_back(row(ROW_SIDE, "You play", ITEM_CHOICE, humanPlayer == 1 ? "player 1 (blue)" : "player 2 (red)"));
        rows.push_back(row(ROW_START_COMPUTER, "Start"));
        break;
    case SCREEN_HOST:
        rows.push_back(row(ROW_PORT, "Port", ITEM_FIELD, portText));
        rows.push_back(heading("Tell your friend one of this machine's addresses"));
        // What the friend types on the join screen: a port other than the game's after the
        // address (an IPv6 address has colons of its own, and only the default port).
        for (const std::string& address : addresses) {
            bool ownPort = !portText.empty() && portText != std::to_string(DEFAULT_PORT) &&
                           address.find(':') == std::string::npos;
            rows.push_back(line(ownPort ? address + ":" + portText : address));
        }
        if (addresses.empty()) {
            rows.push_back(line("This machine has no network address"));
        }
        rows.push_back(row(ROW_START_HOSTING, "Start hosting"));
        break;
    case SCREEN_JOIN:
        rows.push_back(row(ROW_ADDRESS, "Address", ITEM_FIELD, addressText));
        rows.push_back(row(ROW_JOIN_NOW, "Join"));
        break;
    case SCREEN_WATCH:
        for (size_t k = 0; k < recordings.size(); k++) {
            Row r = row(ROW_RECORDING, fileName(recordings[k]));
            r.index = (int)k;
            rows.push_back(r);
        }
        if (recordings.empty()) {
            rows.push_back(line("No recordings yet"));
        }
        break;
    case SCREEN_SETTINGS: return settingsRows(edited);
    case SCREEN_PAUSE:
        return {row(ROW_RESUME, "Resume"), row(ROW_BACK_TO_START, "Back to the start screen"), row(ROW_QUIT, "Quit")};
    case SCREEN_LEAVE_ONLINE: return {row(ROW_LEAVE, "Yes"), row(ROW_STAY, "No")};
    }
    rows.push_back(row(ROW_BACK, "Back"));
    return rows;
}
