#include "config/MultiTftp.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>

#include "platform/Environment.h"

namespace {

constexpr int kTftpPort = 69;
constexpr long kConnectTimeoutSeconds = 5;
// A peer that stops taking blocks for this long ends the upload.
constexpr long kStallSeconds = 10;

void InitCurlOnce() {
  static const bool done = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
  (void)done;
}

struct UploadState {
  std::FILE* file;
  std::atomic<std::uint64_t>* sent;
  const std::atomic<bool>* abort;
};

size_t ReadBlock(char* buffer, size_t size, size_t count, void* user) {
  auto* state = static_cast<UploadState*>(user);
  return std::fread(buffer, size, count, state->file);
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
  auto* state = static_cast<UploadState*>(user);
  *state->sent = static_cast<std::uint64_t>(uploaded);
  return *state->abort ? 1 : 0;
}

}  // namespace

CMultiTftp::CMultiTftp(int port) : port_(port > 0 ? port : platform::GetOverrides().firmwareTftpPort.value_or(kTftpPort)) {
  InitCurlOnce();
}

CMultiTftp::~CMultiTftp() { CloseAllThreads(); }

int CMultiTftp::RemoveAllTasks() {
  std::lock_guard lock(mutex_);
  if (!threads_.empty() && started_ && ended_ < tasks_.size()) return 0;
  tasks_.clear();
  next_ = ended_ = 0;
  started_ = false;
  return 1;
}

int CMultiTftp::CreateThreads(unsigned long count) {
  std::lock_guard lock(mutex_);
  if (!threads_.empty() || count == 0) return 0;
  closing_ = false;
  abort_ = false;
  started_ = false;
  try {
    for (unsigned long i = 0; i < count; ++i) threads_.emplace_back([this] { Work(); });
  } catch (const std::system_error&) {
    return threads_.empty() ? 0 : 1;
  }
  return 1;
}

int CMultiTftp::AddTask(const std::string& ip, const std::string& file, int tries) {
  std::lock_guard lock(mutex_);
  auto task = std::make_unique<Task>();
  task->ip = ip;
  task->file = file;
  task->tries = tries < 1 ? 1 : tries;
  tasks_.push_back(std::move(task));
  return static_cast<int>(tasks_.size()) - 1;
}

int CMultiTftp::GetTaskCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(tasks_.size());
}

int CMultiTftp::Start() {
  bool empty = false;
  {
    std::lock_guard lock(mutex_);
    if (threads_.empty()) return 0;
    started_ = true;
    empty = tasks_.empty();
  }
  wake_.notify_all();
  if (empty && onWorkEnd_) onWorkEnd_();
  return 1;
}

std::uint64_t CMultiTftp::GetTaskProcessedFileSize(int task) const {
  std::lock_guard lock(mutex_);
  if (task < 0 || task >= static_cast<int>(tasks_.size())) return 0;
  return tasks_[task]->sent;
}

void CMultiTftp::CloseAllThreads() {
  std::vector<std::thread> threads;
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    abort_ = true;
    threads.swap(threads_);
  }
  wake_.notify_all();
  for (std::thread& thread : threads) thread.join();
  std::lock_guard lock(mutex_);
  started_ = false;
}

void CMultiTftp::Work() {
  for (;;) {
    Task* task = nullptr;
    int number = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return closing_ || (started_ && next_ < tasks_.size()); });
      if (closing_) return;
      number = static_cast<int>(next_++);
      task = tasks_[number].get();
    }
    if (onStart_) onStart_(number);
    const unsigned long result = Upload(*task);
    if (result == 0) {
      if (onFinished_) onFinished_(number);
    } else if (onError_) {
      onError_(number, result);
    }
    bool last = false;
    {
      std::lock_guard lock(mutex_);
      last = ++ended_ == tasks_.size() && !closing_;
    }
    if (last && onWorkEnd_) onWorkEnd_();
  }
}

unsigned long CMultiTftp::Upload(Task& task) {
  const std::string url = "tftp://" + task.ip + ":" + std::to_string(port_) + "/" +
                          std::filesystem::path(task.file).filename().string();
  CURLcode result = CURLE_READ_ERROR;
  for (int attempt = 0; attempt < task.tries && !abort_; ++attempt) {
    std::FILE* file = std::fopen(task.file.c_str(), "rb");
    if (file == nullptr) return CURLE_READ_ERROR;
    UploadState state{file, &task.sent, &abort_};
    task.sent = 0;
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
      std::fclose(file);
      return CURLE_FAILED_INIT;
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    std::error_code error;
    const auto size = std::filesystem::file_size(task.file, error);
    if (!error) curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadBlock);
    curl_easy_setopt(curl, CURLOPT_READDATA, &state);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &state);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    std::fclose(file);
    if (result == CURLE_OK) {
      if (!error) task.sent = size;  // the last block may not have reached the progress callback
      break;
    }
  }
  return static_cast<unsigned long>(result);
}
