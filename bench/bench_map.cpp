// How long a map refresh takes from the stored topology to the shapes: copying and sorting the records,
// building the device trees, laying them out, and creating a shape per device and a link per link record.
// The networks are switches of 20 access points each, hung below a core switch, with one unknown device
// per switch; every device is placed automatically. Goal: 1,000 devices in under 0.5 s.
#include <chrono>
#include <cstdio>
#include <string>

#include "mapmodel/Shape.h"
#include "mapmodel/TopologyGenerator.h"
#include "topology/TopologyData.h"

namespace {

constexpr double kGoalSeconds = 0.5;
constexpr int kApsPerSwitch = 20;

std::string Mac(int n) {
  char text[18];
  std::snprintf(text, sizeof text, "02:00:00:%02X:%02X:%02X", (n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
  return text;
}

std::string Ip(int n) { return "10." + std::to_string(n / 65536) + "." + std::to_string(n / 256 % 256) + "." + std::to_string(n % 256); }

CTopologyData Network(int devices) {
  CTopologyData topology;
  int next = 0;
  const auto add = [&](int kind, int ports) {
    CDeviceRecord device;
    device.mac = Mac(next);
    device.ip = Ip(next);
    device.name = "device-" + std::to_string(next);
    device.kind = kind;
    device.portCount = ports;
    device.autoP = 1;
    topology.m_Devices.push_back(device);
    return next++;
  };
  const auto link = [&](int from, int fromPort, int to, int toPort) {
    CConnectionRecord record;
    record.srcMac = Mac(from);
    record.srcPort = fromPort;
    record.destMac = Mac(to);
    record.destPort = toPort;
    topology.m_Connections.push_back(record);
  };
  const int core = add(1, 52);
  int corePort = 1;
  while (next < devices) {
    const int sw = add(1, 24);
    link(core, corePort++, sw, 24);
    for (int port = 1; port <= kApsPerSwitch && next < devices; ++port) link(sw, port, add(2, 1), 1);
    if (next < devices) link(sw, kApsPerSwitch + 1, add(0, 1), 1);
  }
  return topology;
}

struct Figures {
  double seconds = 0;
  std::size_t shapes = 0;
};

Figures Refresh(const CTopologyData& topology) {
  CLayoutContext context;
  CShapeList shapes;
  const auto start = std::chrono::steady_clock::now();
  {
    CTopologyGenerator generator(context);
    generator.Generate(topology);
    generator.MoveShapesTo(shapes);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::size_t count = shapes.GetCount();
  for (CShape* shape : shapes) delete shape;
  return {seconds, count};
}

}  // namespace

int main() {
  bool met = true;
  for (int devices : {100, 1000, 5000}) {
    const CTopologyData topology = Network(devices);
    double best = 1e9;
    std::size_t shapes = 0;
    for (int run = 0; run < 3; ++run) {
      const Figures figures = Refresh(topology);
      best = std::min(best, figures.seconds);
      shapes = figures.shapes;
    }
    std::printf("%5d devices, %5zu links: generated and laid out into %5zu shapes in %.3f s (best of 3)\n", devices,
                topology.m_Connections.size(), shapes, best);
    if (devices == 1000 && best >= kGoalSeconds) met = false;
  }
  std::printf("goal: 1,000 devices in under %.1f s: %s\n", kGoalSeconds, met ? "met" : "missed");
  return met ? 0 : 1;
}
