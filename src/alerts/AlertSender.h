#pragma once
// What the main window needs of an alert sender to start it.
class IAlertSender {
 public:
  virtual ~IAlertSender() = default;
  // False while a send is in progress.
  virtual bool IsIdle() const = 0;
  // Starts one send on a thread of its own; false when one is in progress or no thread could start.
  virtual bool Start() = 0;
};
