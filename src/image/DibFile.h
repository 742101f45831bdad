#pragma once
// BMP files of packed DIBs: the 14-byte file header followed by the DIB.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "image/DibHeader.h"

// Reads a BMP image of fileLength bytes through readAt(offset, bytes), which fills the bytes from that
// offset of the image and answers false when it cannot. The header must be the 40-byte form; a colours-used
// field of 0 becomes 2, 16 or 256 for 1, 4 and 8 bits and an image-size field of 0 the size of the rows.
// The rows are taken from the file header's pixel-data offset, or right after the colour table when that
// offset is 0 or lies inside the headers. None when anything the headers announce lies past the end of
// the image or the DIB is not one this library handles (see dib::LayoutFits); the length of the file, not
// its file-size field, decides.
using ReadAt = std::function<bool(std::uint64_t offset, std::span<std::uint8_t> bytes)>;
DibHandle ReadBmpImage(std::uint64_t fileLength, const ReadAt& readAt);

// What a BMP file of the DIB holds before the DIB bytes, and how many DIB bytes follow. The image-size
// field of an uncompressed DIB is set to its rows' size. None for a header other than the 40-byte form or
// a block shorter than those bytes.
struct BmpFileLayout {
  std::array<std::uint8_t, dib::kFileHeaderSize> fileHeader;
  std::size_t dibBytes;
};
std::optional<BmpFileLayout> PrepareBmpFile(Dib& dib);

// A BMP file read from an open file descriptor, from its current position to its end.
DibHandle ReadDibFromFileHandle(int fileDescriptor);
DibHandle LoadDibFile(const std::string& path);
// Writes the DIB as a BMP file, replacing the file; false when nothing could be written.
bool SaveDibFile(const DibHandle& dib, const std::string& path);
