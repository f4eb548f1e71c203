// The host and join screens: the port and the address typed, and the choices they make.
#include <cctype>
#include <cstdlib>
#include <string>

#include "menu/menu_row.h"
#include "net/peer_link.h"

// Longer than any host name (253) with its ":PORT".
static const size_t LONGEST_ADDRESS = 260;
static const size_t LONGEST_PORT = 5;

static bool addressCharacter(char c) {
    return std::isalnum((unsigned char)c) || c == '.' || c == ':' || c == '-';
}

void Menu::type(char c) {
    if (current == SCREEN_HOST && std::isdigit((unsigned char)c) && portText.size() < LONGEST_PORT) {
        portText += c;
    } else if (current == SCREEN_JOIN && addressCharacter(c) && addressText.size() < LONGEST_ADDRESS) {
        addressText += c;
    }
}

void Menu::erase() {
    std::string& text = current == SCREEN_HOST ? portText : addressText;
    if ((current == SCREEN_HOST || current == SCREEN_JOIN) && !text.empty()) {
        text.pop_back();
    }
}

// The port in text, or -1 when it is not a number from 1 to 65535.
static int portIn(const std::string& text) {
    if (text.empty() || text.size() > LONGEST_PORT || text.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    int port = std::atoi(text.c_str());
    return port >= 1 && port <= 65535 ? port : -1;
}

MenuChoice Menu::hostChoice() {
    MenuChoice made;
    int port = portIn(portText);
    if (port < 0) {
        notice = "The port is a number from 1 to 65535";
        return made;
    }
    made.kind = CHOICE_HOST;
    made.port = port;
    return made;
}

// As the command line reads --join: HOST, or HOST:PORT split at the last colon.
MenuChoice Menu::joinChoice() {
    MenuChoice made;
    if (isIpv6Address(addressText)) {
        notice = "Online play reaches IPv4 addresses and names, not IPv6";
        return made;
    }
    std::string host = addressText;
    int port = DEFAULT_PORT;
    size_t colon = host.rfind(':');
    if (colon != std::string::npos) {
        port = portIn(host.substr(colon + 1));
        host.erase(colon);
    }
    if (host.empty()) {
        notice = "Type the address of the machine that hosts the fight";
    } else if (port < 0) {
        notice = "The port after the colon is a number from 1 to 65535";
    } else {
        made.kind = CHOICE_JOIN;
        made.address = host;
        made.port = port;
    }
    return made;
}
