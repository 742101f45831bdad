// The device simulator: plays the devices of a scenario or of ADDRESS=DATAFILE arguments.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "CommandLine.h"
#include "DeviceLoader.h"
#include "NetSnmp.h"
#include "Simulator.h"

namespace {

devsim::Simulator* g_simulator = nullptr;

void OnSignal(int) {
  if (g_simulator) g_simulator->Stop();
}

}  // namespace

int main(int argc, char** argv) {
  snmp_disable_log();  // malformed datagrams would otherwise fill standard error
  try {
    const auto line = devsim::CommandLine::Parse({argv + 1, argv + argc}, std::getenv("PELLION_SNMP_PORT"));
    std::vector<std::unique_ptr<devsim::Device>> devices;
    for (const auto& entry : line.devices) {
      const auto now = devsim::Device::Clock::now();
      if (line.strict) {
        devices.push_back(devsim::DeviceLoader::Load(entry, now));
      } else {
        std::vector<std::string> warnings;
        devices.push_back(devsim::DeviceLoader::Load(entry, now, warnings));
        for (const std::string& warning : warnings)
          std::fprintf(stderr, "devsim: warning: %s (line skipped)\n", warning.c_str());
      }
      devices.back()->KeepReceivedSets(line.keepSets);
    }
    devsim::Simulator simulator(std::move(devices));
    const int port = simulator.Bind(line.port);
    if (line.control) simulator.EnableControl(STDIN_FILENO, stdout);

    g_simulator = &simulator;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    std::printf("ready port=%d devices=%zu\n", port, line.devices.size());
    std::fflush(stdout);
    simulator.Run();
    g_simulator = nullptr;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "devsim: %s\n", error.what());
    return 1;
  }
  return 0;
}
