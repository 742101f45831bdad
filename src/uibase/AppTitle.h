#pragma once
// The application title: captions of message boxes without a caption of their own, and the About box.

namespace res {

inline constexpr char kAppTitle[] = "Aurelan";

}  // namespace res
