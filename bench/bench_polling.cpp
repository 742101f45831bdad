// One polling pass over a large simulated network: 40 switches with 25 APs each (1,000 APs), made from
// the reference devices. The discovery pass (the 40 switch addresses scanned, every device found and its
// details stored) runs once; then the devices are managed and a polling pass runs with 1, 4 and the
// default number of polling threads, and 20 passes more (--memory-passes) show whether memory stays flat.
//
// For each pass it prints the time and its ratio to the least the requests could take: requests made
// (counted by the simulator) x the measured time per answer / threads. Every device answers after a delay
// (--delay-ms, default 5), as devices on a network do; the time per answer is measured with that delay.
// The devices answer on 127.S.k.x (--second-octet S, default 10) at one UDP port (--port, default: one the
// simulator finds free).
//   bench_polling [--delay-ms N] [--switches N] [--aps N] [--memory-passes N] [--second-octet S] [--port N]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "BenchOptions.h"
#include "LargeNetwork.h"
#include "db/DiscoveryDb.h"
#include "db/TopologyDBManager.h"
#include "device/Device.h"
#include "device/DeviceNameIndex.h"
#include "engine/NetworkEngine.h"
#include "log/LogLevelMask.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/TempDatabase.h"
#include "support/TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kDefaultThreads = 5;  // the settings row's default

// Filled by ParseOptions, which holds the defaults.
struct Options {
  int delayMs;
  int switches;
  int apsPerSwitch;
  int memoryPasses;
  int secondOctet;
  int port;
};

Options ParseOptions(int argc, char** argv) {
  const BenchOptions given(argc, argv,
                           {{"delay-ms", "5"}, {"switches", "40"}, {"aps", "25"}, {"memory-passes", "20"},
                            {"second-octet", "10"}, {"port", "0"}},
                           "bench_polling [--delay-ms N] [--switches N] [--aps N] [--memory-passes N] "
                           "[--second-octet S] [--port N]");
  return {given.Number("delay-ms"), given.Number("switches"),     given.Number("aps"),
          given.Number("memory-passes"), given.Number("second-octet"), given.Number("port")};
}

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

class Bench {
 public:
  explicit Bench(const Options& options) : options_(options) {
    for (const auto& device : devsim::LargeNetwork::Generate({options.switches, options.apsPerSwitch, DEVSIM_DATA_DIR,
                                                              scenarioDir_.Path().string(), options.secondOctet})) {
      devices_.push_back({device.address, device.dataFile});
      if (device.address.ends_with(".1")) segments_.push_back({device.address, device.address});
    }
    simulator_ = std::make_unique<testing_support::DevSimProcess>(devices_, options.port);
    if (options.delayMs > 0)
      for (const auto& device : devices_) simulator_->Configure(device.address, "delay-ms " + std::to_string(options.delayMs));
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 100;
    }
    g_nLogLevelMask = 0xF;
    g_DeviceNameIndex.Clear();
    CDiscoveryDb().setManagementSegment(segments_);
  }

  // The mean time of one answer, one request after the other to the first AP (to the first switch when
  // the network has no AP).
  double SecondsPerAnswer() {
    constexpr int kRequests = 200;
    const std::string& ap = devices_[options_.apsPerSwitch > 0 ? 1 : 0].address;
    const auto start = Clock::now();
    std::string name;
    for (int i = 0; i < kRequests; ++i) SnmpSessionFor(ap, "private").Get("1.3.6.1.2.1.1.5.0", name);
    return Seconds(Clock::now() - start) / kRequests;
  }

  long Requests() {
    long total = 0;
    for (const auto& device : devices_) total += simulator_->Answered(device.address);
    return total;
  }

  // One pass with the thread count (0: the default); prints its line unless quiet. Its time in seconds.
  double Pass(const char* what, int threads, bool scan, double perAnswer, bool quiet = false) {
    g_RuntimeSettings.nPollingThreads = threads;
    const int effective = threads > 0 ? threads : kDefaultThreads;
    engine_.EnableScanIP(scan);
    const long before = Requests();
    const auto start = Clock::now();
    const int result = engine_.PollOnce();
    const double seconds = Seconds(Clock::now() - start);
    const long requests = Requests() - before;
    const double least = static_cast<double>(requests) * perAnswer / effective;
    if (quiet) return seconds;
    std::printf("%-16s threads %2d%s  pass %7.2f s  requests %6ld  least %7.2f s  ratio %5.2f  result %d\n", what,
                effective, threads > 0 ? "          " : " (default)", seconds, requests, least, seconds / least,
                result);
    std::fflush(stdout);
    return seconds;
  }

  void Manage() { TopologyDBManager().SetAllNewDeviceToManaged(); }

 private:
  Options options_;
  testing_support::TempDatabase database_;
  testing_support::TempDir scenarioDir_;
  std::vector<testing_support::DevSimDevice> devices_;
  std::vector<CManagementSegment> segments_;
  std::unique_ptr<testing_support::DevSimProcess> simulator_;
  CNetworkEngine engine_;
};

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  std::printf("bench_polling: %d switches with %d APs each, every answer delayed %d ms\n", options.switches,
              options.apsPerSwitch, options.delayMs);
  try {
    Bench bench(options);
    const double perAnswer = bench.SecondsPerAnswer();
    std::printf("measured time per answer: %.2f ms\n", perAnswer * 1000);

    bench.Pass("discovery pass", 0, true, perAnswer);
    bench.Manage();
    bench.Pass("polling pass", 0, false, perAnswer);  // remembers the links; not counted below
    for (int threads : {1, 4, 0}) bench.Pass("polling pass", threads, false, perAnswer);

    const int passes = options.memoryPasses;
    std::printf("resident before %d more passes: %ld KiB\n", passes, ResidentKiB());
    double slowest = 0;
    for (int i = 1; i <= passes; ++i) {
      slowest = std::max(slowest, bench.Pass("memory pass", 0, false, perAnswer, true));
      if (i == 1 || i % 10 == 0 || i == passes)
        std::printf("resident after pass %2d: %ld KiB\n", i, ResidentKiB());
    }
    std::printf("slowest of those passes: %.2f s\n", slowest);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_polling: %s\n", error.what());
    platform::RunShutdown();
    return 1;
  }
  platform::RunShutdown();
  return 0;
}
