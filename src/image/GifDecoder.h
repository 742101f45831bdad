#pragma once
// GIF files decoded here rather than by the window toolkit, whose decoder writes out of bounds on some
// damaged files: the first image of the file, its transparent colour as alpha. Every length and code is
// checked; a file that breaks a rule gives no picture.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct GifPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;    // width x height pixels, three bytes each, rows from the top
  std::vector<std::uint8_t> alpha;  // one byte a pixel when the file names a transparent colour, else empty
};

std::optional<GifPicture> DecodeGif(const std::uint8_t* data, std::size_t size);
