#pragma once
// The bound of one walk. An agent that serves an endless table, each answer a little further on, would
// otherwise keep a walk going until memory runs out; no real table comes near these limits.
#include <cstddef>

class CWalkLimit {
 public:
  static constexpr size_t kMaxRows = 100000;
  static constexpr size_t kMaxBytes = size_t{16} << 20;

  // Counts one more row of the given size: false once the rows or their bytes go past a limit.
  bool Take(size_t bytes) {
    ++rows_;
    bytes_ += bytes;
    return rows_ <= kMaxRows && bytes_ <= kMaxBytes;
  }

 private:
  size_t rows_ = 0;
  size_t bytes_ = 0;
};
