#pragma once
// Delivers platform window messages to a window on the UI thread. Post queues the message there; Send
// handles it at once on the UI thread and, from a worker, queues it and waits until it has been handled.
#include <wx/event.h>

#include <functional>
#include <mutex>

#include "platform/Window.h"

class CGuiMessageReceiver : public platform::MessageReceiver {
 public:
  using Handler = std::function<std::intptr_t(const platform::Message&)>;

  // Messages are queued on the target's event handler, so the ones still waiting when the window is
  // destroyed go with it.
  CGuiMessageReceiver(wxEvtHandler* target, Handler handler);

  void Post(platform::Message message) override;
  std::intptr_t Send(const platform::Message& message) override;

  // Called by the window before it goes: later messages are dropped, a waiting sender gets 0.
  void Detach();

 private:
  std::mutex mutex_;
  wxEvtHandler* target_;
  Handler handler_;
};
