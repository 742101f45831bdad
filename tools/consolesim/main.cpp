// Simulated switches for the device console: answers discovery, sets and upgrade triggers until stopped.
//   consolesim --magic HEX --base-port N --group ADDRESS --interface ADDRESS [--tftp-port N] SWITCH...
// SWITCH is ADDRESS,MAC[,MODE] (MODE: normal, wrong-password, loader, dhcp-fail, silent). With --tftp-port
// every switch also takes firmware files over TFTP on that port of its address.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "SwitchSimulator.h"
#include "TftpPeer.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

consolesim::SwitchConfig ParseSwitch(const std::string& text, int number) {
  std::stringstream in(text);
  std::string address, mac, mode = "normal";
  std::getline(in, address, ',');
  std::getline(in, mac, ',');
  std::getline(in, mode, ',');
  if (mac.size() != 12) throw std::runtime_error("bad switch " + text);
  consolesim::SwitchConfig config;
  config.address = address;
  config.mac = mac;
  config.mode = consolesim::ParseMode(mode.empty() ? "normal" : mode);
  config.systemName = "switch-" + std::to_string(number);
  config.location = "rack " + std::to_string(number);
  return config;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    std::uint32_t magic = 0;
    int basePort = 0;
    int tftpPort = 0;
    std::string group, interface = "127.0.0.1";
    std::vector<consolesim::SwitchConfig> switches;
    for (int i = 1; i < argc; ++i) {
      const std::string argument = argv[i];
      const bool hasValue = i + 1 < argc;
      if (argument == "--magic" && hasValue) magic = static_cast<std::uint32_t>(std::stoul(argv[++i], nullptr, 16));
      else if (argument == "--base-port" && hasValue) basePort = std::stoi(argv[++i]);
      else if (argument == "--group" && hasValue) group = argv[++i];
      else if (argument == "--interface" && hasValue) interface = argv[++i];
      else if (argument == "--tftp-port" && hasValue) tftpPort = std::stoi(argv[++i]);
      else switches.push_back(ParseSwitch(argument, static_cast<int>(switches.size()) + 1));
    }
    if (basePort <= 0 || basePort > 65529 || group.empty() || switches.empty())
      throw std::runtime_error("usage: consolesim --magic HEX --base-port N --group ADDRESS [--interface ADDRESS] "
                               "ADDRESS,MAC[,MODE]...");
    std::vector<std::unique_ptr<consolesim::TftpPeer>> tftp;
    if (tftpPort > 0 && tftpPort < 65536)
      for (const auto& config : switches)
        tftp.push_back(std::make_unique<consolesim::TftpPeer>(config.address, static_cast<std::uint16_t>(tftpPort)));
    for (auto& peer : tftp) peer->Start();
    consolesim::SwitchSimulator simulator(magic, static_cast<std::uint16_t>(basePort), group, interface,
                                          std::move(switches));
    simulator.Start();
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::printf("ready\n");
    std::fflush(stdout);
    while (!g_stop) pause();
    simulator.Stop();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "consolesim: %s\n", error.what());
    return 1;
  }
  return 0;
}
