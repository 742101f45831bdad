#include "chartcore/ChartArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

namespace {

template <typename T>
void AppendLittleEndian(std::vector<std::uint8_t>& bytes, T value) {
  using Unsigned = std::make_unsigned_t<T>;
  auto bits = static_cast<Unsigned>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

constexpr std::size_t kFaceNameBytes = 32;

}  // namespace

CChartArchive::CChartArchive(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)), storing_(false) {}

void CChartArchive::WriteBytes(const void* data, std::size_t size) {
  const auto* begin = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), begin, begin + size);
}

void CChartArchive::ReadBytes(void* data, std::size_t size) {
  if (failed_ || size > Remaining()) {
    failed_ = true;
    std::memset(data, 0, size);
    return;
  }
  std::memcpy(data, bytes_.data() + position_, size);
  position_ += size;
}

void CChartArchive::Write(std::int32_t value) { AppendLittleEndian(bytes_, value); }
void CChartArchive::Write(std::uint32_t value) { AppendLittleEndian(bytes_, value); }
void CChartArchive::Write(std::int16_t value) { AppendLittleEndian(bytes_, value); }
void CChartArchive::Write(double value) { AppendLittleEndian(bytes_, std::bit_cast<std::uint64_t>(value)); }

void CChartArchive::Write(const std::string& text) {
  const std::size_t length = text.size();
  if (length < 0xFF) {
    bytes_.push_back(static_cast<std::uint8_t>(length));
  } else {
    bytes_.push_back(0xFF);
    if (length < 0xFFFF) {
      AppendLittleEndian(bytes_, static_cast<std::uint16_t>(length));
    } else {
      AppendLittleEndian(bytes_, static_cast<std::uint16_t>(0xFFFF));
      AppendLittleEndian(bytes_, static_cast<std::uint32_t>(length));
    }
  }
  WriteBytes(text.data(), length);
}

void CChartArchive::Write(const ChartLogFont& font) {
  for (std::int32_t value : {font.height, font.width, font.escapement, font.orientation, font.weight}) Write(value);
  for (std::uint8_t value : {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
                             font.clipPrecision, font.quality, font.pitchAndFamily}) {
    bytes_.push_back(value);
  }
  char face[kFaceNameBytes] = {};
  std::memcpy(face, font.faceName.data(), std::min(font.faceName.size(), kFaceNameBytes - 1));
  WriteBytes(face, sizeof face);
}

namespace {

template <typename T>
T ReadLittleEndian(CChartArchive& archive) {
  std::uint8_t raw[sizeof(T)];
  archive.ReadBytes(raw, sizeof raw);
  std::make_unsigned_t<T> bits = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<std::make_unsigned_t<T>>(raw[i]) << (8 * i);
  return static_cast<T>(bits);
}

}  // namespace

void CChartArchive::Read(std::int32_t& value) { value = ReadLittleEndian<std::int32_t>(*this); }
void CChartArchive::Read(std::uint32_t& value) { value = ReadLittleEndian<std::uint32_t>(*this); }
void CChartArchive::Read(std::int16_t& value) { value = ReadLittleEndian<std::int16_t>(*this); }
void CChartArchive::Read(double& value) { value = std::bit_cast<double>(ReadLittleEndian<std::uint64_t>(*this)); }

void CChartArchive::Read(std::string& text) {
  std::size_t length = ReadLittleEndian<std::uint8_t>(*this);
  if (length == 0xFF) {
    length = ReadLittleEndian<std::uint16_t>(*this);
    if (length == 0xFFFF) length = ReadLittleEndian<std::uint32_t>(*this);
  }
  if (failed_ || length > Remaining()) {
    failed_ = true;
    text.clear();
    return;
  }
  text.assign(reinterpret_cast<const char*>(bytes_.data() + position_), length);
  position_ += length;
}

void CChartArchive::Read(ChartLogFont& font) {
  for (std::int32_t* value : {&font.height, &font.width, &font.escapement, &font.orientation, &font.weight}) {
    Read(*value);
  }
  for (std::uint8_t* value : {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
                              &font.clipPrecision, &font.quality, &font.pitchAndFamily}) {
    *value = ReadLittleEndian<std::uint8_t>(*this);
  }
  char face[kFaceNameBytes + 1] = {};
  ReadBytes(face, kFaceNameBytes);
  font.faceName = face;
}
