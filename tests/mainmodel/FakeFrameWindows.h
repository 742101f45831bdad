#pragma once
// Records what the controller asks of the windows, as one line per call, and keeps the job windows that
// exist.
#include <set>
#include <string>
#include <vector>

#include "mainmodel/FrameWindows.h"

class FakeFrameWindows : public IFrameWindows {
 public:
  std::vector<std::string> calls;
  std::set<JobKind> progress;
  bool statusProgress = false;
  bool saveNewDevicesAnswer = true;
  std::vector<COutputLogModel::Append> systemAppends;
  std::function<void()> whileSaveNewDevicesRuns;

  bool HasProgress(JobKind job) const override { return progress.count(job) > 0; }
  void CreateProgress(JobKind job, const std::string& title) override {
    progress.insert(job);
    Record("create " + Name(job) + " " + title);
  }
  void DestroyProgress(JobKind job) override {
    progress.erase(job);
    Record("destroy " + Name(job));
  }
  void SetProgressRange(JobKind job, int lower, int upper) override {
    Record("range " + Name(job) + " " + std::to_string(lower) + ".." + std::to_string(upper));
  }
  void StepProgress(JobKind job, bool pump) override { Record("step " + Name(job) + (pump ? " pump" : "")); }
  void SetProgressPos(JobKind job, int position) override { Record("pos " + Name(job) + " " + std::to_string(position)); }
  void SetProgressText(JobKind job, const std::string& text) override { Record("text " + Name(job) + " " + text); }
  bool HasStatusProgress() const override { return statusProgress; }
  void ShowStatusProgress() override {
    statusProgress = true;
    Record("status progress shown");
  }
  void HideStatusProgress() override {
    statusProgress = false;
    Record("status progress hidden");
  }
  void SetStatusProgressPos(int position) override { Record("status pos " + std::to_string(position)); }
  void SetStatusMessage(const std::string& text) override { Record("status " + text); }
  void RefreshAllViews(bool fullReload) override { Record(fullReload ? "refresh full" : "refresh status"); }
  void RefreshGroupTree() override { Record("groups"); }
  void RefreshClientList() override { Record("clients"); }
  void ShowLogAppend(LogList list, const COutputLogModel::Append& append) override {
    if (list == LogList::System) systemAppends.push_back(append);
    Record(std::string(list == LogList::System ? "system " : "action ") + append.row.text);
  }
  void ClearLogList(LogList list) override { Record(list == LogList::System ? "clear system" : "clear action"); }
  void ShowTrapPortBusy() override { Record("trap port busy"); }
  bool RunSaveNewDevices() override {
    Record("save new devices");
    if (whileSaveNewDevicesRuns) whileSaveNewDevicesRuns();
    return saveNewDevicesAnswer;
  }
  void RefillSaveNewDevices() override { Record("refill new devices"); }

  static std::string Name(JobKind job) {
    static const char* const names[] = {"scan", "password", "apset", "template"};
    return names[static_cast<int>(job)];
  }

 private:
  void Record(std::string call) { calls.push_back(std::move(call)); }
};
