// The device simulator against Net-SNMP's snmpd: the same GET of sysName.0, sent by the same client with
// 16 requests in flight, answered per second. Also one simulator process playing 256 devices, asked
// round robin, against asking one device. Prints the ratios at the end.
//   bench_devsim [benchmark options] [--snmpd-address ADDRESS] [--snmpd-port N] [--port N] [--many NETWORK]
// --snmpd-address, --snmpd-port: where snmpd answers (default: an address of its own, a free port);
// --port: the simulators' UDP port (default: each finds a free one); --many: the first three octets of
// the 256 devices' loopback addresses (default 127.77.0).
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchOptions.h"
#include "support/DevSimProcess.h"
#include "support/SnmpdProcess.h"

namespace {

using testing_support::SocketAddress;

constexpr int kWindow = 16;

// SNMPv1 GET of 1.3.6.1.2.1.1.5.0 with community "public".
const std::string kRequest("\x30\x26\x02\x01\x00\x04\x06public\xa0\x19\x02\x01\x01\x02\x01\x00\x02\x01\x00"
                           "\x30\x0e\x30\x0c\x06\x08\x2b\x06\x01\x02\x01\x01\x05\x00\x05\x00", 40);

// 256 switches on NETWORK.0 - NETWORK.255.
std::vector<testing_support::DevSimDevice> ManyDevices(const std::string& network) {
  std::vector<testing_support::DevSimDevice> devices;
  const std::string switchData = testing_support::DevSimProcess::DataFile("switch.snmprec");
  for (int i = 0; i < 256; ++i) devices.push_back({network + "." + std::to_string(i), switchData});
  return devices;
}

struct Peers {
  explicit Peers(const BenchOptions& options)
      : snmpd({.address = options.Text("snmpd-address"), .port = options.Number("snmpd-port")}),
        reference(testing_support::DevSimProcess::ReferenceNetwork(), options.Number("port")),
        many(ManyDevices(options.Text("many")), options.Number("port")) {}
  testing_support::SnmpdProcess snmpd;
  testing_support::DevSimProcess reference;
  testing_support::DevSimProcess many;
};
Peers* g_peers = nullptr;
std::map<std::string, double> g_rates;

// Sends windows of requests round robin over the agents and counts the answers.
void AskAgents(benchmark::State& state, const std::string& name, const std::vector<sockaddr_in>& agents) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  int bufferSize = 1 << 20;
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bufferSize, sizeof bufferSize);
  size_t next = 0;
  int64_t answers = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    for (int i = 0; i < kWindow; ++i, next = (next + 1) % agents.size())
      sendto(fd, kRequest.data(), kRequest.size(), 0, reinterpret_cast<const sockaddr*>(&agents[next]),
             sizeof agents[next]);
    char reply[1500];
    for (int received = 0; received < kWindow; ++received) {
      pollfd ready{fd, POLLIN, 0};
      if (poll(&ready, 1, 1000) != 1) break;  // lost answers cost one second and show in the rate
      if (recv(fd, reply, sizeof reply, 0) > 0) ++answers;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  close(fd);
  state.SetItemsProcessed(answers);
  g_rates[name] = answers / seconds;
}

void BM_Snmpd(benchmark::State& state) {
  AskAgents(state, "snmpd", {SocketAddress(g_peers->snmpd.Address(), g_peers->snmpd.Port())});
}

void BM_DevSim(benchmark::State& state) {
  AskAgents(state, "devsim", {SocketAddress(testing_support::DevSimReference::kSwitch, g_peers->reference.Port())});
}

void BM_DevSim256Devices(benchmark::State& state) {
  std::vector<sockaddr_in> agents;
  for (const auto& device : g_peers->many.Devices())
    agents.push_back(SocketAddress(device.address, g_peers->many.Port()));
  AskAgents(state, "devsim256", agents);
}

BENCHMARK(BM_Snmpd)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DevSim)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DevSim256Devices)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const BenchOptions options(argc, argv,
                             {{"snmpd-address", ""}, {"snmpd-port", "0"}, {"port", "0"}, {"many", "127.77.0"}},
                             "bench_devsim [benchmark options] [--snmpd-address ADDRESS] [--snmpd-port N] [--port N] "
                             "[--many NETWORK]");
  Peers peers(options);
  g_peers = &peers;
  benchmark::RunSpecifiedBenchmarks();
  g_peers = nullptr;
  if (g_rates.count("snmpd") && g_rates.count("devsim"))
    std::printf("devsim / snmpd answers per second: %.0f / %.0f = %.2f\n", g_rates["devsim"], g_rates["snmpd"],
                g_rates["devsim"] / g_rates["snmpd"]);
  if (g_rates.count("devsim256") && g_rates.count("devsim"))
    std::printf("256 devices / 1 device answers per second: %.0f / %.0f = %.2f\n", g_rates["devsim256"],
                g_rates["devsim"], g_rates["devsim256"] / g_rates["devsim"]);
  benchmark::Shutdown();
  return 0;
}
