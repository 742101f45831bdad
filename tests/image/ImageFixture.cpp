#include "ImageFixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "support/ChildProcess.h"

namespace image_test {

namespace {

void Put(Bytes& out, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back((value >> (8 * i)) & 0xFF);
}

Bytes InfoHeaderAndRest(const BmpLayout& layout) {
  Bytes out;
  Put(out, layout.headerSize, 4);
  Put(out, static_cast<std::uint32_t>(layout.width), 4);
  Put(out, static_cast<std::uint32_t>(layout.height), 4);
  Put(out, 1, 2);
  Put(out, layout.bits, 2);
  Put(out, layout.compression, 4);
  Put(out, layout.imageSize, 4);
  Put(out, 0, 8);
  Put(out, layout.colorsUsed, 4);
  Put(out, 0, 4);
  out.resize(out.size() + (layout.headerSize > 40 ? layout.headerSize - 40 : 0), 0);
  for (const PaletteEntry& color : layout.colors) out.insert(out.end(), {color.blue, color.green, color.red, 0});
  out.resize(out.size() + layout.gap, 0);
  for (const Bytes& row : layout.rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.resize(out.size() + (4 - row.size() % 4) % 4, 0);
  }
  return out;
}

}  // namespace

Bytes BuildBmp(const BmpLayout& layout) {
  const Bytes rest = InfoHeaderAndRest(layout);
  Bytes out = {'B', 'M'};
  const std::size_t size = 14 + rest.size();
  Put(out, static_cast<std::uint32_t>(layout.fileSizeField < 0 ? size : layout.fileSizeField), 4);
  Put(out, 0, 4);
  const std::size_t offset = 14 + std::max<std::uint32_t>(layout.headerSize, 40) + 4 * layout.colors.size() + layout.gap;
  Put(out, static_cast<std::uint32_t>(layout.pixelOffset < 0 ? offset : layout.pixelOffset), 4);
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

Dib BuildDib(const BmpLayout& layout) { return InfoHeaderAndRest(layout); }

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

int RunImageMagick(const std::string& program, const std::vector<std::string>& args, std::string& out) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  std::vector<std::string> argv{"/usr/bin/" + program};
  argv.insert(argv.end(), args.begin(), args.end());
  testing_support::ChildProcess child(argv, {.output = pipeFds[1]});
  close(pipeFds[1]);
  out.clear();
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<std::size_t>(n));
  close(pipeFds[0]);
  return child.Wait();
}

}  // namespace image_test
