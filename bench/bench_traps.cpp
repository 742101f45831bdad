// Traps per second the trap listener takes and logs without loss, against a sender on loopback. The
// sender keeps at most a window of traps in flight (sent but not yet logged), so the figure is what the
// listener sustains rather than what the socket buffer absorbs; every trap must end as its event-log row.
// Goal: at least 5,000 traps per second with none lost. The traps are well formed (sysUpTime.0 as time
// ticks, snmpTrapOID.0 as an object identifier), as a standard receiver takes them.
//   bench_traps [--port N] [--to ADDRESS]
// --port: the listener's UDP port (default: one free at start); --to: the loopback address the traps are
// sent to (default 127.0.0.1).
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "BenchOptions.h"
#include "engine/TrapListener.h"
#include "log/LogLevelMask.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "platform/Window.h"
#include "support/TempDatabase.h"
#include "support/TrapSender.h"

namespace {

constexpr int kTraps = 20000;
constexpr int kWindow = 200;
constexpr double kGoal = 5000;

// The main window: counts the event-log lines the listener writes.
class LineCounter : public platform::MessageReceiver {
 public:
  void Post(platform::Message message) override {
    if (message.id == msg::WM_NMS_SYSLOG_LINE) lines.fetch_add(1);
  }
  std::intptr_t Send(const platform::Message&) override { return 0; }
  std::atomic<int> lines{0};
};

}  // namespace

int main(int argc, char** argv) {
  const BenchOptions options(argc, argv, {{"port", "0"}, {"to", "127.0.0.1"}}, "bench_traps [--port N] [--to ADDRESS]");
  testing_support::TempDatabase database;
  g_nLogLevelMask = 0xF;
  auto counter = std::make_shared<LineCounter>();
  const platform::WindowId window = platform::RegisterWindow(counter);
  platform::SetMainWindow(window);
  testing_support::TrapPort port(options.Number("port"));

  CTrapListener listener;
  listener.Start(window);
  testing_support::TrapSender sender(port.Port(), 100, options.Text("to"));
  std::vector<testing_support::TrapBinding> answer;
  while (!sender.Inform({{"1.3.6.1.2.1.1.3.0", "ready?"}}, answer)) {
  }

  const auto trap = testing_support::TrapSender::Notification("1.3.6.1.4.1.44711.10.75.3.5.3.0");
  const auto start = std::chrono::steady_clock::now();
  for (int sent = 0; sent < kTraps; ++sent) {
    while (sent - counter->lines.load() >= kWindow) std::this_thread::yield();
    sender.Trap(trap);
  }
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (counter->lines.load() < kTraps && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  listener.Stop();
  listener.Join();

  const int stored = std::stoi(database.Value("select count(*) from system_log"));
  const int lost = kTraps - stored;
  const double rate = stored / seconds;
  std::printf("traps sent %d, logged %d, lost %d, %.2f s: %.0f traps/s (goal %.0f with none lost: %s)\n", kTraps,
              stored, lost, seconds, rate, kGoal, lost == 0 && rate >= kGoal ? "met" : "NOT met");
  platform::RunShutdown();
  platform::UnregisterWindow(window);
  return lost == 0 ? 0 : 1;
}
