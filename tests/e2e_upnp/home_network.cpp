// The test's home network: three namespaces, two links, the router's NAT and its UPnP daemon.
#include "tests/e2e_upnp/home_network.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "tests/support/program.h"

// Two addresses outside, for the STUN server miniupnpd learns its outside address from: it
// refuses to map anything while its outside address looks private and nothing vouches for it.
static const char* const MAKE = R"(set -e
ip netns add $H; ip netns add $R; ip netns add $O
ip link add eth0 netns $H type veth peer name lan netns $R
ip link add eth0 netns $O type veth peer name wan netns $R
ip -n $H addr add 198.18.1.2/24 dev eth0; ip -n $R addr add 198.18.1.1/24 dev lan
ip -n $R addr add 198.19.0.1/24 dev wan; ip -n $O addr add 198.19.0.2/24 dev eth0
ip -n $O addr add 198.19.0.3/24 dev eth0
for n in $H $R $O; do ip -n $n link set lo up; done
ip -n $H link set eth0 up; ip -n $O link set eth0 up; ip -n $R link set lan up; ip -n $R link set wan up
ip -n $H route add default via 198.18.1.1
ip netns exec $R sysctl -qw net.ipv4.ip_forward=1
ip netns exec $R nft -f - <<NFT
table inet filter {
  chain miniupnpd {
  }
  chain forward {
    type filter hook forward priority 0; policy drop;
    ct state established,related accept
    iifname "lan" accept
    jump miniupnpd
  }
}
table inet nat {
  chain prerouting_miniupnpd {
  }
  chain postrouting_miniupnpd {
  }
  chain prerouting {
    type nat hook prerouting priority -100; policy accept;
    jump prerouting_miniupnpd
  }
  chain postrouting {
    type nat hook postrouting priority 100; policy accept;
    jump postrouting_miniupnpd
    oifname "wan" masquerade
  }
}
NFT
)";

static int run(const std::string& variables, const std::string& script) {
    return std::system((variables + " sh -c '" + script + "' >/dev/null 2>&1").c_str());
}

HomeNetwork::HomeNetwork() {
    std::string tag = "vtx" + std::to_string(getpid());
    home = tag + "h", router = tag + "r", friendly = tag + "o";
    if (geteuid() != 0) {
        missing = "network namespaces need root";
    } else if (std::system("{ command -v miniupnpd && command -v stund && command -v nft; } >/dev/null") != 0) {
        missing = "miniupnpd, stund or nft is not installed (tools/packages.txt)";
    } else if (run("H=" + home + " R=" + router + " O=" + friendly, MAKE) != 0) {
        missing = "the namespaces or the router's NAT could not be made";
    }
}

HomeNetwork::~HomeNetwork() {
    for (const std::string& space : {home, router, friendly}) {
        std::istringstream pids(commandOutput("ip netns pids " + space + " 2>/dev/null"));
        for (int pid; pids >> pid;) {
            kill(pid, SIGKILL);
        }
        run("", "ip netns del " + space);
    }
}

bool HomeNetwork::startRouter(bool allowPort, int port) {
    std::string conf = folder.path() + "/miniupnpd.conf";
    std::string log = folder.path() + "/miniupnpd.log";
    writeWholeFile(conf, "ext_ifname=wan\nlistening_ip=lan\nhttp_port=5000\nsecure_mode=yes\n"
                         "ext_perform_stun=yes\next_stun_host=198.19.0.2\nupnp_nat_table_name=nat\n"
                         "uuid=3a4f1c2e-0b7d-4e5a-9c1f-2d3e4f5a6b7c\nlease_file=" + folder.path() +
                         "/leases\n" + (allowPort ? "" : "deny " + std::to_string(port) + " 0.0.0.0/0 0-65535\n") +
                         "allow 1024-65535 198.18.1.0/24 1024-65535\ndeny 0-65535 0.0.0.0/0 0-65535\n");
    run("", "ip netns exec " + friendly + " stund -h 198.19.0.2 -a 198.19.0.3 &");
    run("", "ip netns exec " + router + " miniupnpd -d -f " + conf + " -P " + folder.path() +
                "/pid >" + log + " 2>&1 &");
    for (int waited = 0; waited < 10000; waited += 100) {
        if (readWholeFile(log).find("Port forwarding is now enabled") != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

std::vector<std::string> HomeNetwork::mappings() const {
    return linesOf(readWholeFile(folder.path() + "/leases"));
}

Launch HomeNetwork::atHome(const std::string& folder, const std::vector<std::string>& arguments) const {
    Launch launch;
    launch.commandLine = {"/usr/sbin/ip", "netns", "exec", home};
    std::vector<std::string> game = gameCommand(arguments);
    launch.commandLine.insert(launch.commandLine.end(), game.begin(), game.end());
    launch.workingDirectory = folder;
    return launch;
}

Launch HomeNetwork::outside(const std::string& folder, const std::vector<std::string>& arguments) const {
    Launch launch = atHome(folder, arguments);
    launch.commandLine[3] = friendly;
    return launch;
}

void HomeNetwork::signalHome(int signal) const {
    std::istringstream pids(commandOutput("ip netns pids " + home));
    for (int pid; pids >> pid;) {
        kill(pid, signal);
    }
}
