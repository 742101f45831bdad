#include "support/MessageRecorder.h"

namespace testing_support {

struct MessageRecorder::Sink : platform::MessageReceiver {
  mutable std::mutex mutex;
  mutable std::condition_variable arrived;
  std::vector<platform::Message> messages;
  std::function<void(const platform::Message&)> observer;

  void Post(platform::Message message) override {
    std::function<void(const platform::Message&)> observe;
    {
      std::lock_guard lock(mutex);
      observe = observer;
    }
    if (observe) observe(message);
    {
      std::lock_guard lock(mutex);
      messages.push_back(std::move(message));
    }
    arrived.notify_all();
  }
  std::intptr_t Send(const platform::Message& message) override {
    Post(message);
    return 0;
  }
};

MessageRecorder::MessageRecorder(bool asMainWindow)
    : sink_(std::make_shared<Sink>()), id_(platform::RegisterWindow(sink_)), main_(asMainWindow) {
  if (main_) platform::SetMainWindow(id_);
}

MessageRecorder::~MessageRecorder() { platform::UnregisterWindow(id_); }

std::vector<platform::Message> MessageRecorder::Messages() const {
  std::lock_guard lock(sink_->mutex);
  return sink_->messages;
}

std::vector<platform::Message> MessageRecorder::MessagesWithId(std::uint32_t id) const {
  std::vector<platform::Message> found;
  for (auto& m : Messages())
    if (m.id == id) found.push_back(m);
  return found;
}

void MessageRecorder::OnArrival(std::function<void(const platform::Message&)> observer) {
  std::lock_guard lock(sink_->mutex);
  sink_->observer = std::move(observer);
}

bool MessageRecorder::WaitFor(std::uint32_t id, size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(sink_->mutex);
  return sink_->arrived.wait_for(lock, timeout, [&] {
    size_t n = 0;
    for (auto& m : sink_->messages) n += m.id == id;
    return n >= count;
  });
}

void MessageRecorder::Clear() {
  std::lock_guard lock(sink_->mutex);
  sink_->messages.clear();
}

MessageBoxRecorder::MessageBoxRecorder() {
  previous_ = platform::SetMessageBoxHandler([this](const std::string& text, const std::string& caption, unsigned style) {
    std::lock_guard lock(mutex_);
    boxes_.push_back({text, caption, style});
    if (answers_.empty()) return static_cast<int>(platform::IDOK);
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { platform::SetMessageBoxHandler(previous_); }

void MessageBoxRecorder::ScriptAnswers(std::vector<int> answers) {
  std::lock_guard lock(mutex_);
  answers_.assign(answers.begin(), answers.end());
}

std::vector<MessageBoxRecorder::Box> MessageBoxRecorder::Boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

std::vector<std::string> MessageBoxRecorder::Texts() const {
  std::vector<std::string> texts;
  for (auto& box : Boxes()) texts.push_back(box.text);
  return texts;
}

}  // namespace testing_support
