// How long a map refresh takes from the stored topology to the shapes: copying and sorting the records,
// building the device trees, laying them out, and creating a shape per device and a link per link record.
// The networks are switches of 20 access points each, hung below a core switch, with one unknown device
// per switch; every device is placed automatically.
// Then the whole way to the screen: the map document's refresh from a database holding such a network
// (which generates and lays out the map again) and the painting of the whole map into an off-screen
// bitmap. Goals: both together in under 0.5 s for 1,000 devices and in at most 1 s for 5,000.
// Run under xvfb-run -a (the painting needs the toolkit).
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchOptions.h"
#include "map/WxMapCanvas.h"
#include "mapmodel/PellionDoc.h"
#include "mapmodel/Shape.h"
#include "mapmodel/TopologyGenerator.h"
#include "support/TempDatabase.h"
#include "topology/TopologyData.h"

namespace {

// Devices and the time their refresh and painting may take together.
struct Goal {
  int devices;
  double seconds;
  bool strict;  // under the time rather than at most
};
constexpr Goal kGoals[] = {{1000, 0.5, true}, {5000, 1.0, false}};
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

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The network's rows, as discovery and a polling pass leave them.
void Store(testing_support::TempDatabase& database, const CTopologyData& topology) {
  for (const CDeviceRecord& device : topology.m_Devices)
    database.Exec("insert into device_list_prev (name, ip, mac, type, port_num, online, status, isnew)"
                  " values (?, ?, ?, ?, ?, 1, 0, 0)",
                  {device.name, device.ip, device.mac, device.kind, device.portCount});
  for (const CConnectionRecord& link : topology.m_Connections)
    database.Exec("insert into device_map_polling (src_mac, dest_mac, src_port, dest_port) values (?, ?, ?, ?)",
                  {link.srcMac, link.destMac, std::to_string(link.srcPort), std::to_string(link.destPort)});
}

// Refresh and paint of the stored devices, best of three; true when a goal for that size was met or
// there is none.
bool RefreshAndPaint(int devices) {
  testing_support::TempDatabase database;
  const CTopologyData topology = Network(devices);
  Store(database, topology);
  CPellionDoc document;
  wxBitmap bitmap(document.GetMapWidth(), document.GetMapHeight());
  double bestRefresh = 1e9, bestPaint = 1e9, bestTotal = 1e9;
  for (int run = 0; run < 3; ++run) {
    auto start = std::chrono::steady_clock::now();
    document.RefreshFromDatabase();
    const double refresh = Since(start);
    start = std::chrono::steady_clock::now();
    {
      wxMemoryDC dc(bitmap);
      dc.SetBackground(*wxLIGHT_GREY_BRUSH);
      dc.Clear();
      CWxMapCanvas canvas(dc, 1.0);
      document.DrawMap(canvas);
    }
    const double paint = Since(start);
    bestRefresh = std::min(bestRefresh, refresh);
    bestPaint = std::min(bestPaint, paint);
    bestTotal = std::min(bestTotal, refresh + paint);
  }
  std::printf("%5d devices from the database: refresh %.3f s, paint of the %dx%d map %.3f s, together %.3f s"
              " (best of 3; %zu shapes)\n",
              devices, bestRefresh, document.GetMapWidth(), document.GetMapHeight(), bestPaint, bestTotal,
              document.GetShapes().GetCount());
  for (const Goal& goal : kGoals) {
    if (goal.devices != devices) continue;
    const bool met = goal.strict ? bestTotal < goal.seconds : bestTotal <= goal.seconds;
    std::printf("goal: refresh and paint of %d devices in %s %.1f s: %s\n", devices,
                goal.strict ? "under" : "at most", goal.seconds, met ? "met" : "missed");
    return met;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // --devices N: only that size (0: every size).
  const BenchOptions options(argc, argv, {{"devices", "0"}}, "bench_map [--devices N]");
  const int only = options.Number("devices");
  std::vector<int> sizes = {100, 1000, 5000, 10000};
  if (only > 0) sizes = {only};
  for (int devices : sizes) {
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
  }

  wxApp::SetInstance(new wxApp);
  int toolkitArgc = 1;  // the toolkit gets none of the options above
  if (!wxEntryStart(toolkitArgc, argv)) {
    std::fprintf(stderr, "the toolkit did not start: run under xvfb-run -a\n");
    return 1;
  }
  bool met = true;
  for (int devices : sizes)
    if (devices >= 1000 || only > 0) met = RefreshAndPaint(devices) && met;
  wxEntryCleanup();
  return met ? 0 : 1;
}
