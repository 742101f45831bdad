// Writes a large simulated network made from the reference devices:
//   devsim-scenario SWITCHES APS_PER_SWITCH OUTPUT_DIR [REFERENCE_DATA_DIR]
// then plays it with: devsim --scenario OUTPUT_DIR/large.scenario
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "LargeNetwork.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: devsim-scenario SWITCHES APS_PER_SWITCH OUTPUT_DIR [REFERENCE_DATA_DIR]\n");
    return 2;
  }
  try {
    devsim::LargeNetworkPlan plan;
    plan.switches = std::stoi(argv[1]);
    plan.apsPerSwitch = std::stoi(argv[2]);
    plan.outputDir = argv[3];
    plan.referenceDir = argc == 5 ? argv[4] : DEVSIM_REFERENCE_DIR;
    const auto devices = devsim::LargeNetwork::Generate(plan);
    std::printf("%s/large.scenario: %zu devices\n", plan.outputDir.c_str(), devices.size());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "devsim-scenario: %s\n", error.what());
    return 1;
  }
  return 0;
}
