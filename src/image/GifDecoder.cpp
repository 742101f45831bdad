#include "image/GifDecoder.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int kMaxCodes = 4096;

// Reads the bytes of a GIF in order; every read past the end fails instead of reading on.
class GifReader {
 public:
  GifReader(const std::uint8_t* data, std::size_t size) : m_Data(data), m_Size(size) {}
  bool Byte(std::uint8_t& value) {
    if (m_At >= m_Size) return false;
    value = m_Data[m_At++];
    return true;
  }
  bool Word(int& value) {
    std::uint8_t low = 0, high = 0;
    if (!Byte(low) || !Byte(high)) return false;
    value = low | (high << 8);
    return true;
  }
  bool Bytes(std::uint8_t* out, std::size_t count) {
    if (m_Size - m_At < count) return false;
    std::copy(m_Data + m_At, m_Data + m_At + count, out);
    m_At += count;
    return true;
  }
  // Skips a chain of sub-blocks up to and including its empty end block.
  bool SkipSubBlocks() {
    std::uint8_t length = 0;
    while (Byte(length) && length != 0) {
      if (m_Size - m_At < length) return false;
      m_At += length;
    }
    return length == 0 && m_At <= m_Size;
  }
  // The data of a chain of sub-blocks, joined.
  bool SubBlocks(std::vector<std::uint8_t>& joined) {
    std::uint8_t length = 0;
    while (Byte(length) && length != 0) {
      if (m_Size - m_At < length) return false;
      joined.insert(joined.end(), m_Data + m_At, m_Data + m_At + length);
      m_At += length;
    }
    return length == 0;
  }

 private:
  const std::uint8_t* m_Data;
  std::size_t m_Size;
  std::size_t m_At = 0;
};

// The LZW codes of an image's data, least significant bit first.
class CodeReader {
 public:
  explicit CodeReader(const std::vector<std::uint8_t>& data) : m_Data(data) {}
  // -1 when the data ends.
  int Next(int width) {
    if (m_Bit + width > m_Data.size() * 8) return -1;
    int code = 0;
    for (int i = 0; i < width; ++i, ++m_Bit)
      code |= ((m_Data[m_Bit / 8] >> (m_Bit % 8)) & 1) << i;
    return code;
  }

 private:
  const std::vector<std::uint8_t>& m_Data;
  std::size_t m_Bit = 0;
};

// Decodes the LZW data into width x height colour indices; a short stream leaves the rest 0.
bool DecodeIndices(const std::vector<std::uint8_t>& data, int minCodeSize, std::vector<std::uint8_t>& indices) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes + 1> stack{};
  for (int i = 0; i < clear; ++i) suffix[i] = static_cast<std::uint8_t>(i);
  CodeReader codes(data);
  int width = minCodeSize + 1;
  int next = clear + 2;
  int previous = -1;
  std::uint8_t first = 0;
  std::size_t out = 0;
  while (out < indices.size()) {
    const int code = codes.Next(width);
    if (code < 0 || code == end) break;
    if (code == clear) {
      width = minCodeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code > next || (code == next && previous < 0)) return false;  // a code not defined yet
    int depth = 0;
    int walk = code;
    if (code == next) {
      stack[depth++] = first;
      walk = previous;
    }
    while (walk >= clear) {
      if (walk >= kMaxCodes || depth >= kMaxCodes) return false;
      stack[depth++] = suffix[walk];
      walk = prefix[walk];
    }
    stack[depth++] = suffix[walk];
    first = suffix[walk];
    while (depth > 0 && out < indices.size()) indices[out++] = stack[--depth];
    if (previous >= 0 && next < kMaxCodes) {
      prefix[next] = static_cast<std::uint16_t>(previous);
      suffix[next] = first;
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    previous = code;
  }
  return true;
}

// The row each stored row of an interlaced image goes to.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  for (auto [start, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
    for (int y = start; y < height; y += step) rows.push_back(y);
  return rows;
}

}  // namespace

std::optional<GifPicture> DecodeGif(const std::uint8_t* data, std::size_t size) {
  GifReader in(data, size);
  std::array<std::uint8_t, 6> signature{};
  if (!in.Bytes(signature.data(), signature.size()) || signature[0] != 'G' || signature[1] != 'I' || signature[2] != 'F')
    return std::nullopt;
  int screenWidth = 0, screenHeight = 0;
  std::uint8_t flags = 0, background = 0, aspect = 0;
  if (!in.Word(screenWidth) || !in.Word(screenHeight) || !in.Byte(flags) || !in.Byte(background) || !in.Byte(aspect))
    return std::nullopt;
  std::array<std::uint8_t, 768> globalTable{};
  if ((flags & 0x80) && !in.Bytes(globalTable.data(), 3u * (2u << (flags & 7)))) return std::nullopt;
  int transparent = -1;
  std::uint8_t kind = 0;
  while (in.Byte(kind)) {
    if (kind == 0x21) {
      std::uint8_t label = 0;
      if (!in.Byte(label)) return std::nullopt;
      if (label == 0xF9) {
        std::vector<std::uint8_t> control;
        if (!in.SubBlocks(control)) return std::nullopt;
        if (control.size() >= 4 && (control[0] & 1)) transparent = control[3];
      } else if (!in.SkipSubBlocks()) {
        return std::nullopt;
      }
      continue;
    }
    if (kind != 0x2C) return std::nullopt;
    int left = 0, top = 0, width = 0, height = 0;
    std::uint8_t imageFlags = 0, minCodeSize = 0;
    if (!in.Word(left) || !in.Word(top) || !in.Word(width) || !in.Word(height) || !in.Byte(imageFlags)) return std::nullopt;
    // Pictures this size or larger are refused by the map anyway; no need to allocate them.
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > (1LL << 26)) return std::nullopt;
    std::array<std::uint8_t, 768> table = globalTable;
    if ((imageFlags & 0x80) && !in.Bytes(table.data(), 3u * (2u << (imageFlags & 7)))) return std::nullopt;
    std::vector<std::uint8_t> lzw;
    if (!in.Byte(minCodeSize) || minCodeSize < 2 || minCodeSize > 11 || !in.SubBlocks(lzw)) return std::nullopt;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height, 0);
    if (!DecodeIndices(lzw, minCodeSize, indices)) return std::nullopt;
    GifPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    const std::vector<int> rows = RowOrder(height, (imageFlags & 0x40) != 0);
    for (int stored = 0; stored < height; ++stored) {
      for (int x = 0; x < width; ++x) {
        const std::uint8_t index = indices[static_cast<std::size_t>(stored) * width + x];
        std::uint8_t* pixel = picture.rgb.data() + (static_cast<std::size_t>(rows[stored]) * width + x) * 3;
        for (int c = 0; c < 3; ++c) pixel[c] = table[index * 3 + c];
      }
    }
    if (transparent >= 0) {
      picture.alpha.resize(static_cast<std::size_t>(width) * height);
      for (int stored = 0; stored < height; ++stored)
        for (int x = 0; x < width; ++x)
          picture.alpha[static_cast<std::size_t>(rows[stored]) * width + x] =
              indices[static_cast<std::size_t>(stored) * width + x] == transparent ? 0 : 255;
    }
    return picture;  // the first image is the picture
  }
  return std::nullopt;
}
