#include "image/DibFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::uint8_t* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = ::write(fd, bytes, count);
    if (written <= 0) return false;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

DibHandle ReadBmpImage(std::uint64_t fileLength, const ReadAt& readAt) {
  constexpr std::uint64_t kHeaders = dib::kFileHeaderSize + dib::kInfoHeaderSize;
  std::array<std::uint8_t, kHeaders> headers{};
  if (fileLength < kHeaders || !readAt(0, headers)) return std::nullopt;
  const DibView fileHeader(headers.data(), dib::kFileHeaderSize);
  Dib header(headers.begin() + dib::kFileHeaderSize, headers.end());
  if (dib::Read16(fileHeader, 0) != dib::kBmpType || dib::Read32(header, dib::kSize) != dib::kInfoHeaderSize)
    return std::nullopt;
  const int bits = DibBitCount(header);
  if (!dib::SizeIsBounded(DibWidth(header), DibHeight(header)) || !dib::IsSupportedDepth(bits)) return std::nullopt;
  if (dib::Read32(header, dib::kClrUsed) == 0 && bits <= 8) dib::Write32(header, dib::kClrUsed, 1u << bits);
  if (dib::Read32(header, dib::kSizeImage) == 0)
    dib::Write32(header, dib::kSizeImage,
                 static_cast<std::uint32_t>(dib::RowBytes(DibWidth(header), bits) * DibHeight(header)));

  const std::uint64_t tableBytes = DibColorTableBytes(header);
  const std::uint64_t imageBytes = dib::Read32(header, dib::kSizeImage);
  std::uint64_t pixelOffset = dib::Read32(fileHeader, 10);
  if (pixelOffset < kHeaders + tableBytes) pixelOffset = kHeaders + tableBytes;
  if (pixelOffset > fileLength || imageBytes > fileLength - pixelOffset) return std::nullopt;

  Dib block(dib::kInfoHeaderSize + tableBytes + imageBytes);
  std::memcpy(block.data(), header.data(), dib::kInfoHeaderSize);
  const std::span<std::uint8_t> table(block.data() + dib::kInfoHeaderSize, tableBytes);
  const std::span<std::uint8_t> image(table.data() + tableBytes, imageBytes);
  if (!readAt(kHeaders, table) || !readAt(pixelOffset, image) || !dib::LayoutFits(block)) return std::nullopt;
  return block;
}

std::optional<BmpFileLayout> PrepareBmpFile(Dib& dib) {
  if (dib.size() < dib::kInfoHeaderSize || dib::Read32(dib, dib::kSize) != dib::kInfoHeaderSize) return std::nullopt;
  const std::uint32_t compression = dib::Read32(dib, dib::kCompression);
  std::size_t imageBytes;
  if (compression == dib::kRle8 || compression == dib::kRle4) {
    imageBytes = dib::Read32(dib, dib::kSizeImage);
  } else {
    if (DibHeight(dib) < 0) return std::nullopt;
    imageBytes = DibRowBytes(dib) * DibHeight(dib);
    dib::Write32(dib, dib::kSizeImage, static_cast<std::uint32_t>(imageBytes));
  }
  const std::size_t dibBytes = dib::kInfoHeaderSize + DibColorTableBytes(dib) + imageBytes;
  if (dibBytes > dib.size()) return std::nullopt;
  BmpFileLayout layout{{}, dibBytes};
  dib::Write16(layout.fileHeader, 0, dib::kBmpType);
  dib::Write32(layout.fileHeader, 2, static_cast<std::uint32_t>(dib::kFileHeaderSize + dibBytes));
  dib::Write32(layout.fileHeader, 10, dib::kFileHeaderSize + dib::kInfoHeaderSize + DibColorTableBytes(dib));
  return layout;
}

DibHandle ReadDibFromFileHandle(int fileDescriptor) {
  const off_t start = ::lseek(fileDescriptor, 0, SEEK_CUR);
  struct stat status {};
  if (start < 0 || ::fstat(fileDescriptor, &status) != 0 || status.st_size < start) return std::nullopt;
  return ReadBmpImage(static_cast<std::uint64_t>(status.st_size - start),
                      [&](std::uint64_t offset, std::span<std::uint8_t> bytes) {
                        std::size_t done = 0;
                        while (done < bytes.size()) {
                          const ssize_t got = ::pread(fileDescriptor, bytes.data() + done, bytes.size() - done,
                                                      start + static_cast<off_t>(offset + done));
                          if (got <= 0) return false;
                          done += static_cast<std::size_t>(got);
                        }
                        return true;
                      });
}

DibHandle LoadDibFile(const std::string& path) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return std::nullopt;
  return ReadDibFromFileHandle(file.Get());
}

bool SaveDibFile(const DibHandle& dib, const std::string& path) {
  if (!dib) return false;
  Dib copy = *dib;
  const std::optional<BmpFileLayout> layout = PrepareBmpFile(copy);
  if (!layout) return false;
  const FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  return file.Get() >= 0 && WriteAll(file.Get(), layout->fileHeader.data(), layout->fileHeader.size()) &&
         WriteAll(file.Get(), copy.data(), layout->dibBytes);
}
