#pragma once
// CMultiSnmpDispatcher: a fixed number of SNMP workers and one dispatcher thread that hands the queued
// tasks to idle workers and reports each task's start, end or failure and the end of all work. The
// state is process-wide, so there is one dispatcher per process whatever the number of objects.
// Tasks are added or cleared only while no work runs; the queue is kept when the work ends, so a second
// StartWork runs the same tasks again. Callbacks run on the dispatcher thread.
#include <functional>
#include <string>

class CSnmpTask;

class CMultiSnmpDispatcher {
 public:
  using TaskStarted = std::function<void(int taskId)>;
  using TaskFinished = std::function<void(int taskId, int worker)>;
  using TaskFailed = std::function<void(int taskId, int worker, int code)>;  // code is always 0
  using WorkEnded = std::function<void()>;

  // Clears the four callbacks.
  CMultiSnmpDispatcher();
  virtual ~CMultiSnmpDispatcher();  // Stop

  // Creates the workers and the dispatcher thread. False when the thread exists already, for no workers,
  // or when a worker or the thread cannot be started (the workers started so far are kept).
  bool Create(int workers);
  // Ends the work after the tasks handed out, joins every thread and deletes the workers.
  void Stop();
  // The new task's id (0, 1, 2 ...); -1 while working or for an empty text. Longer texts are cut to
  // SnmpTaskRecord::kMaxText characters.
  int AddTask(const std::string& text, CSnmpTask* task);
  void ClearTasks();  // not while working
  int GetTaskCount() const;
  bool IsWorking() const;
  // False without the dispatcher thread, while working, or with an empty queue.
  bool StartWork();

  void SetTaskStarted(TaskStarted callback);
  void SetTaskFinished(TaskFinished callback);
  void SetTaskFailed(TaskFailed callback);
  void SetWorkEnded(WorkEnded callback);

  // Appends "YYYY/MM/DD HH:MM:SS text\r\n" to "./mtftp.log"; false when the file cannot be written.
  static bool AppendLog(const std::string& text);
};
