#pragma once
// The byte layout charts, axes and series are stored in: little-endian integers and doubles, texts with a
// length prefix (one byte below 255, else 0xFF and 16 bits below 0xFFFF, else 0xFF 0xFFFF and 32 bits),
// fonts as 60-byte records with a 32-byte face name. Loading past the end of the bytes marks the archive
// as failed and reads zeros, so a short or damaged archive never reads outside its buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chartcore/ChartGeometry.h"

class CChartArchive {
 public:
  // An archive to store into.
  CChartArchive() = default;
  // An archive to load from.
  explicit CChartArchive(std::vector<std::uint8_t> bytes);

  bool IsStoring() const { return storing_; }
  bool Failed() const { return failed_; }
  void SetFailed() { failed_ = true; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::size_t Remaining() const { return bytes_.size() - position_; }

  void Write(std::int32_t value);
  void Write(std::uint32_t value);
  void Write(std::int16_t value);
  void Write(double value);
  void Write(const std::string& text);
  void Write(const ChartLogFont& font);
  void WriteBytes(const void* data, std::size_t size);

  void Read(std::int32_t& value);
  void Read(std::uint32_t& value);
  void Read(std::int16_t& value);
  void Read(double& value);
  void Read(std::string& text);
  void Read(ChartLogFont& font);
  void ReadBytes(void* data, std::size_t size);

  // Stores or loads, whichever the archive does.
  template <typename T>
  void Transfer(T& value) {
    if (storing_) {
      Write(value);
    } else {
      Read(value);
    }
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool storing_ = true;
  bool failed_ = false;
};
