#pragma once
// CMultiTask: a pool of worker threads that runs a queue of tasks once. Tasks are queued first, then
// StartWork hands them out in queue order to the pool's threads; a task is called as
// function(task index, argument) on one of them. Destroy stops the pool: no task is started any more,
// and when it returns no task is running. While any pool is being stopped, IsStopping is true, so that
// long tasks can end early.
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class CMultiTask {
 public:
  using TaskFunction = std::function<void(int taskIndex, void* argument)>;

  CMultiTask() = default;
  ~CMultiTask();  // Destroy
  CMultiTask(const CMultiTask&) = delete;
  CMultiTask& operator=(const CMultiTask&) = delete;

  // Sets the number of threads the next StartWork runs; may be called again before it. False for a count
  // below 1 or while the pool works.
  bool Create(int threadCount);
  // Queues a task and returns its index (0, 1, 2 ...); -1 for an empty function or while the pool works.
  int AddTask(TaskFunction function, void* argument);
  int GetTaskCount() const;
  // Starts the threads (at most one per queued task). False before Create, while working, or after
  // Destroy; true with an empty queue, which has nothing to run.
  bool StartWork();
  int GetProcessedTaskCount() const { return processed_.load(); }
  // True from StartWork until every queued task has finished (or Destroy ended the work).
  bool IsWorking() const;
  // Lets running tasks finish, starts no further task, and joins the threads.
  void Destroy();
  static bool IsStopping() { return stoppingPools_.load() > 0; }

 private:
  struct Task {
    TaskFunction function;
    void* argument;
  };
  void RunTasks();

  mutable std::mutex mutex_;  // guards tasks_ and threads_ against a concurrent Destroy
  std::vector<Task> tasks_;
  std::vector<std::thread> threads_;
  int threadCount_ = 0;
  std::atomic<int> nextTask_{0};
  std::atomic<int> processed_{0};
  std::atomic<int> running_{0};  // threads that have not yet run out of tasks
  std::atomic<bool> stop_{false};
  static std::atomic<int> stoppingPools_;
};
