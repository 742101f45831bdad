#include "platform/StatusText.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <mutex>

#include "platform/MessageIds.h"
#include "platform/Window.h"

namespace {
std::mutex g_statusMutex;
std::string g_statusText;
std::atomic<float> g_progressSpan{0.0f};
}  // namespace

void SetStatusText(const std::string& text) {
  std::lock_guard lock(g_statusMutex);
  g_statusText = text;
}

std::string GetStatusText() {
  std::lock_guard lock(g_statusMutex);
  return g_statusText;
}

void PostStatusText(const char* text, float increment) {
  if (text) SetStatusText(text);
  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_STATUS_TEXT, std::bit_cast<std::uint32_t>(increment), 1);
}

float GetProgressSpan() { return g_progressSpan; }
void SetProgressSpan(float span) { g_progressSpan = span; }
