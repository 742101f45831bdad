#pragma once
// The listener for SNMP notifications (traps and INFORM requests) from the managed devices, on UDP 162 or
// PELLION_TRAP_PORT, on a thread of its own. Every INFORM is answered with its own bindings; the known
// notification identifiers become Critical event-log lines, everything else is dropped.
#include <atomic>
#include <string>
#include <thread>

#include "platform/Window.h"

class CTrapListener {
 public:
  CTrapListener() = default;
  // Stops the thread and waits for it.
  ~CTrapListener();
  CTrapListener(const CTrapListener&) = delete;
  CTrapListener& operator=(const CTrapListener&) = delete;

  // Starts the thread; window hears the port-busy report (0x4CA). False when it was started before: an
  // ended listener is not restarted.
  bool Start(platform::WindowId window);
  // Asks the thread to end within one processing period and returns at once.
  void Stop();
  // Waits for the thread to end; its result: 0 after a stop, -1 when the session or the port failed.
  int Join();

  // The event-log text for the identifier at the tested binding; "" for an identifier it does not know.
  static std::string EventText(const std::string& identifier, const std::string& sender);

 private:
  int Run(platform::WindowId window);

  std::atomic<bool> stop_{false};
  bool started_ = false;
  std::thread thread_;
  int exitCode_ = 0;
};
