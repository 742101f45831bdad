#include "engine/MultiTask.h"

#include <algorithm>
#include <utility>

std::atomic<int> CMultiTask::stoppingPools_{0};

CMultiTask::~CMultiTask() { Destroy(); }

bool CMultiTask::Create(int threadCount) {
  std::lock_guard lock(mutex_);
  if (threadCount < 1 || IsWorking()) return false;
  threadCount_ = threadCount;
  return true;
}

int CMultiTask::AddTask(TaskFunction function, void* argument) {
  std::lock_guard lock(mutex_);
  if (!function || IsWorking()) return -1;
  tasks_.push_back({std::move(function), argument});
  return static_cast<int>(tasks_.size()) - 1;
}

int CMultiTask::GetTaskCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(tasks_.size());
}

bool CMultiTask::StartWork() {
  std::lock_guard lock(mutex_);
  if (threadCount_ < 1 || running_.load() > 0 || stop_.load()) return false;
  for (std::thread& thread : threads_) thread.join();  // the threads of an earlier, finished run
  threads_.clear();
  nextTask_ = 0;
  processed_ = 0;
  const int threads = std::min<int>(threadCount_, static_cast<int>(tasks_.size()));
  running_ = threads;
  for (int i = 0; i < threads; ++i) threads_.emplace_back(&CMultiTask::RunTasks, this);
  return true;
}

bool CMultiTask::IsWorking() const { return running_.load() > 0; }

void CMultiTask::RunTasks() {
  // tasks_ does not change while threads run: AddTask refuses while working.
  const int count = static_cast<int>(tasks_.size());
  for (int index = nextTask_++; index < count && !stop_.load(); index = nextTask_++) {
    tasks_[index].function(index, tasks_[index].argument);
    ++processed_;
  }
  --running_;
}

void CMultiTask::Destroy() {
  std::lock_guard lock(mutex_);
  ++stoppingPools_;
  stop_ = true;
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
  running_ = 0;
  --stoppingPools_;
}
