#pragma once
// The TFTP engine of the firmware upgrade: uploads one file to several devices at once with libcurl,
// a fixed number of threads each taking the next queued task. Tasks are numbered from 0 in the order they
// were added. The callbacks run on the engine's threads; work-end fires once, when every task of a Start
// has ended.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CMultiTftp {
 public:
  using TaskEvent = std::function<void(int task)>;
  using TaskErrorEvent = std::function<void(int task, unsigned long code)>;  // code: libcurl's result
  using WorkEndEvent = std::function<void()>;

  // port: the devices' TFTP port; by default PELLION_TFTP_PORT, else 69.
  explicit CMultiTftp(int port = 0);
  ~CMultiTftp();
  CMultiTftp(const CMultiTftp&) = delete;
  CMultiTftp& operator=(const CMultiTftp&) = delete;

  void SetTaskStartEvent(TaskEvent event) { onStart_ = std::move(event); }
  void SetTaskFinishedEvent(TaskEvent event) { onFinished_ = std::move(event); }
  void SetTaskErrorEvent(TaskErrorEvent event) { onError_ = std::move(event); }
  void SetWorkEndEvent(WorkEndEvent event) { onWorkEnd_ = std::move(event); }

  // Nonzero when every task is gone; 0 while threads still run them.
  int RemoveAllTasks();
  // Nonzero when the threads run (waiting for Start); 0 when threads exist already or none could start.
  int CreateThreads(unsigned long count);
  // Queues an upload of file to ip, under the file's own name; the third argument is the number of tries.
  int AddTask(const std::string& ip, const std::string& file, int tries);
  int GetTaskCount() const;
  // Lets the threads take the tasks; returns at once. 0 when there are no threads.
  int Start();
  // Bytes of the file already sent for the task.
  std::uint64_t GetTaskProcessedFileSize(int task) const;
  // Ends the uploads under way and joins the threads.
  void CloseAllThreads();

 private:
  struct Task {
    std::string ip;
    std::string file;
    int tries = 1;
    std::atomic<std::uint64_t> sent{0};
  };
  void Work();
  // 0, or libcurl's result of the last try.
  unsigned long Upload(Task& task);

  const int port_;
  TaskEvent onStart_, onFinished_;
  TaskErrorEvent onError_;
  WorkEndEvent onWorkEnd_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::unique_ptr<Task>> tasks_;
  std::vector<std::thread> threads_;
  bool started_ = false;
  bool closing_ = false;
  size_t next_ = 0;
  size_t ended_ = 0;
  std::atomic<bool> abort_{false};
};
