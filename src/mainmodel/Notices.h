#pragma once
// The three pop-up notices about changed and replaced APs: which one the device-event counters call for,
// and what each shows.
#include <array>
#include <string>

enum class NoticeKind { ReplaceChange = 0, Change = 1, Replace = 2 };
constexpr int kNoticeCount = 3;

struct NoticeText {
  const char* title;
  int height;       // the notice is 300 pixels wide
  int titleRight;   // the title item spans x 5 .. titleRight, y 0 .. 25
  std::string body;
};
const NoticeText& NoticeTextOf(NoticeKind kind);

// Per notice, in NoticeKind order: show it (true) or hide it (false). Changed and replaced both: the
// combined one; only one of them: its own; neither: all hidden.
std::array<bool, kNoticeCount> DecideNotices(int changedAps, int replacedAps);

// A notice stays at most this long after its last show.
constexpr int kNoticeTimeoutMs = 9000;
