#pragma once
// What the firmware progress window says about each device of a run, one line per device: the share of
// the file it has received while its upload waits or runs, then the action-log line its upload ended
// with. Failed devices come first, so a failure stays in sight when there are more devices than lines.
#include <string>
#include <vector>

class CFirmwareStatusLines {
 public:
  void Reset(const std::vector<std::string>& ips);
  void SetStarted(int device);
  void SetPercent(int device, int percent);
  void SetEnded(int device, const std::string& line, bool failed);
  std::string Text() const;

 private:
  enum class State { Waiting, Running, Succeeded, Failed };
  struct Device {
    std::string ip;
    State state = State::Waiting;
    int percent = 0;
    std::string ended;
  };
  Device* At(int device);

  std::vector<Device> devices_;
};
