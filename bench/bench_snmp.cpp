// Sequential GETs per second against one local snmpd: through CYSnmp, and through Net-SNMP's session API
// directly doing the same work (a session per request, the value made into text). Prints the ratio; the
// wrapper should cost under 10 % per request. A run with one session kept open is shown for scale.
//   bench_snmp [benchmark options] [--address ADDRESS] [--port N]
// --address: the loopback address snmpd answers on (default: one of its own); --port: its UDP port
// (default: one free on that address).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "BenchOptions.h"
#include "platform/Environment.h"
#include "snmp/SnmpSession.h"
#include "snmp/SnmpText.h"
#include "snmp/y_snmp.h"
#include "support/SnmpdProcess.h"

namespace {

testing_support::SnmpdProcess* g_agent = nullptr;
const oid kSysName[] = {1, 3, 6, 1, 2, 1, 1, 5, 0};
constexpr int kTimeout = 100;  // hundredths of a second

void* OpenDirect() {
  netsnmp_session settings;
  snmp_sess_init(&settings);
  settings.version = SNMP_VERSION_1;
  std::string peer = g_agent->Peer();
  settings.peername = peer.data();
  std::string community = g_agent->ReadCommunity();
  settings.community = reinterpret_cast<u_char*>(community.data());
  settings.community_len = community.size();
  settings.retries = 1;
  settings.timeout = kTimeout * 10000L;
  return snmp_sess_open(&settings);
}

bool GetDirect(void* session, std::string& value) {
  netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
  snmp_add_null_var(request, kSysName, sizeof kSysName / sizeof kSysName[0]);
  netsnmp_pdu* response = nullptr;
  const bool ok = snmp_sess_synch_response(session, request, &response) == STAT_SUCCESS && response &&
                  response->errstat == SNMP_ERR_NOERROR && response->variables;
  if (ok) value = snmptext::FormatValue(*response->variables);
  if (response) snmp_free_pdu(response);
  return ok;
}

void BM_CYSnmpGet(benchmark::State& state) {
  CYSnmp snmp;
  snmp.SetIp(g_agent->Address());
  snmp.SetReadCommunity(g_agent->ReadCommunity());
  snmp.timeout = kTimeout;
  std::string value;
  for (auto _ : state)
    if (snmp.Get("1.3.6.1.2.1.1.5.0", value) != 0) state.SkipWithError("GET failed");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CYSnmpGet)->MinTime(2.0)->UseRealTime();

void BM_NetSnmpSessionPerGet(benchmark::State& state) {
  std::string value;
  for (auto _ : state) {
    void* session = OpenDirect();
    if (!session || !GetDirect(session, value)) state.SkipWithError("GET failed");
    if (session) snmp_sess_close(session);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NetSnmpSessionPerGet)->MinTime(2.0)->UseRealTime();

void BM_NetSnmpOneSession(benchmark::State& state) {
  void* session = OpenDirect();
  std::string value;
  for (auto _ : state)
    if (!session || !GetDirect(session, value)) state.SkipWithError("GET failed");
  if (session) snmp_sess_close(session);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NetSnmpOneSession)->MinTime(2.0)->UseRealTime();

// Keeps each benchmark's rate (requests per second of wall-clock time) so the ratio can be printed after the table.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  RateReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto found = run.counters.find("items_per_second");
      if (found != run.counters.end()) rates[run.run_name.function_name] = found->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> rates;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const BenchOptions options(argc, argv, {{"address", ""}, {"port", "0"}},
                             "bench_snmp [benchmark options] [--address ADDRESS] [--port N]");
  testing_support::SnmpdProcess agent({.address = options.Text("address"), .port = options.Number("port")});
  g_agent = &agent;
  setenv("PELLION_SNMP_PORT", std::to_string(agent.Port()).c_str(), 1);
  platform::ReloadOverrides();
  CSnmpSession::InitLibrary();  // both ways start from a ready library

  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double wrapper = reporter.rates["BM_CYSnmpGet"];
  const double direct = reporter.rates["BM_NetSnmpSessionPerGet"];
  const double kept = reporter.rates["BM_NetSnmpOneSession"];
  if (wrapper > 0 && direct > 0) {
    std::printf("\nGETs per second: CYSnmp %.0f, Net-SNMP with a session per GET %.0f, with one session %.0f\n",
                wrapper, direct, kept);
    std::printf("Cost per request of CYSnmp over Net-SNMP doing the same work: %+.1f %% (ratio %.3f; goal under +10 %%)\n",
                (direct / wrapper - 1.0) * 100.0, direct / wrapper);
  }
  benchmark::Shutdown();
  return 0;
}
