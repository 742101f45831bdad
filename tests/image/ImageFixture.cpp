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

Bytes InfoHeaderAndRest(const BmpSpec& spec) {
  Bytes out;
  Put(out, spec.headerSize, 4);
  Put(out, static_cast<std::uint32_t>(spec.width), 4);
  Put(out, static_cast<std::uint32_t>(spec.height), 4);
  Put(out, 1, 2);
  Put(out, spec.bits, 2);
  Put(out, spec.compression, 4);
  Put(out, spec.imageSize, 4);
  Put(out, 0, 8);
  Put(out, spec.colorsUsed, 4);
  Put(out, 0, 4);
  out.resize(out.size() + (spec.headerSize > 40 ? spec.headerSize - 40 : 0), 0);
  for (const PaletteEntry& color : spec.colors) out.insert(out.end(), {color.blue, color.green, color.red, 0});
  out.resize(out.size() + spec.gap, 0);
  for (const Bytes& row : spec.rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.resize(out.size() + (4 - row.size() % 4) % 4, 0);
  }
  return out;
}

}  // namespace

Bytes BuildBmp(const BmpSpec& spec) {
  const Bytes rest = InfoHeaderAndRest(spec);
  Bytes out = {'B', 'M'};
  const std::size_t size = 14 + rest.size();
  Put(out, static_cast<std::uint32_t>(spec.fileSizeField < 0 ? size : spec.fileSizeField), 4);
  Put(out, 0, 4);
  const std::size_t offset = 14 + std::max<std::uint32_t>(spec.headerSize, 40) + 4 * spec.colors.size() + spec.gap;
  Put(out, static_cast<std::uint32_t>(spec.pixelOffset < 0 ? offset : spec.pixelOffset), 4);
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

Dib BuildDib(const BmpSpec& spec) { return InfoHeaderAndRest(spec); }

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
