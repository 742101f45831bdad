#include "image/Dib.h"

#include <fstream>
#include <istream>
#include <ostream>

#include "image/DibConvert.h"
#include "image/DibFile.h"
#include "image/DibFilters.h"
#include "image/DibGeometry.h"
#include "image/DibPalette.h"

bool CDib::Replace(DibHandle dib) {
  if (!dib) return false;
  Destroy();
  dib_ = std::move(dib);
  return Rebuild();
}

bool CDib::BuildPalette() {
  palette_.reset();
  if (dib_) palette_ = PaletteFromDib(*dib_);
  return palette_.has_value();
}

bool CDib::BuildBitmap() {
  section_.reset();
  if (dib_) section_ = DibToDibSection(*dib_);
  return section_.has_value();
}

bool CDib::Rebuild() {
  BuildPalette();
  return BuildBitmap();
}

void CDib::Destroy() { FreeDib(dib_); }

bool CDib::Create(std::int32_t width, std::int32_t height) { return Replace(NewScreenDib(width, height)); }

bool CDib::Create(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel) {
  return Replace(NewDib(width, height, bitsPerPixel));
}

bool CDib::Create(DibView packed) {
  if (!dib::LayoutFits(packed)) return false;
  return Replace(Dib(packed.begin(), packed.begin() + DibTotalBytes(packed)));
}

bool CDib::Create(DibView packed, std::uint16_t bitsPerPixel) {
  if (!dib::LayoutFits(packed)) return false;
  if (DibBitCount(packed) == bitsPerPixel) return Create(packed);
  return Replace(ConvertDib(packed, bitsPerPixel, nullptr));
}

bool CDib::CreateFromDibSection(const DibSection& section) { return Replace(DibFromDibSection(section)); }

bool CDib::CreateFromDibSection(const DibSection& section, std::uint16_t bitsPerPixel) {
  if (section.BitCount() == bitsPerPixel) return CreateFromDibSection(section);
  return Replace(ConvertDib(section.Packed(), bitsPerPixel, nullptr));
}

bool CDib::CreateFromBitmap(const RgbImage* bitmap, const Palette* palette) {
  if (!bitmap) return false;
  return Replace(DibFromDdb(*bitmap, palette));
}

bool CDib::CreateFromBitmapToDepth(const RgbImage* bitmap, const Palette* palette, std::uint16_t bitsPerPixel) {
  if (!bitmap) return false;
  return Replace(DibFromDdb(*bitmap, palette, bitsPerPixel));
}

bool CDib::LoadFromResource(std::span<const std::uint8_t> resource) {
  if (dib::Read16(resource, 0) != dib::kBmpType) return false;
  return Create(resource.subspan(dib::kFileHeaderSize));
}

bool CDib::Load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return file && Read(file);
}

bool CDib::Save(const std::string& path) {
  if (!dib_) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  return file && Write(file) && file.flush();
}

bool CDib::Read(std::istream& file) {
  const std::streampos start = file.tellg();
  if (start < 0 || !file.seekg(0, std::ios::end)) return false;
  const std::streamoff length = file.tellg() - start;
  DibHandle dib = ReadBmpImage(static_cast<std::uint64_t>(length), [&](std::uint64_t offset, std::span<std::uint8_t> bytes) {
    file.clear();
    file.seekg(start + static_cast<std::streamoff>(offset));
    return static_cast<bool>(file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
  });
  return dib && Create(*dib);
}

bool CDib::Write(std::ostream& file) {
  if (!dib_) return false;
  const std::optional<BmpFileLayout> layout = PrepareBmpFile(*dib_);
  if (!layout) return false;
  file.write(reinterpret_cast<const char*>(layout->fileHeader.data()), layout->fileHeader.size());
  file.write(reinterpret_cast<const char*>(dib_->data()), static_cast<std::streamsize>(layout->dibBytes));
  return static_cast<bool>(file);
}

bool CDib::Serialize(std::iostream& archive, bool storing) {
  archive.flush();
  return storing ? Write(archive) : Read(archive);
}

bool CDib::Rotate90() { return Apply(RotateDibQuarter); }

bool CDib::Rotate180() {
  return Apply([](DibView dib) {
    const DibHandle once = RotateDibQuarter(dib);
    return once ? RotateDibQuarter(*once) : std::nullopt;
  });
}

bool CDib::Rotate270() {
  return Apply([](DibView dib) {
    DibHandle turned = RotateDibQuarter(dib);
    for (int turn = 1; turn < 3 && turned; ++turn) turned = RotateDibQuarter(*turned);
    return turned;
  });
}

bool CDib::Resize(std::int32_t width, std::int32_t height) {
  return Apply([=](DibView dib) { return ResizeDib(dib, width, height); });
}

bool CDib::Rotate(double degrees, ColorRef background) {
  return Apply([=](DibView dib) { return RotateDib(dib, degrees, background); });
}

bool CDib::MirrorHorizontally() { return Apply(MirrorDib); }
bool CDib::FlipVertically() { return Apply(FlipDib); }

bool CDib::Scale(double xFactor, double yFactor) {
  const auto width = static_cast<std::int32_t>(GetWidth() * xFactor);
  const auto height = static_cast<std::int32_t>(GetHeight() * yFactor);
  return Resize(width, height);
}

bool CDib::ChangeBitCount(std::uint16_t bitsPerPixel) {
  return Apply([=](DibView dib) {
    return bitsPerPixel < 9 ? QuantizeDib(dib, bitsPerPixel, 1u << bitsPerPixel)
                            : ConvertDib(dib, bitsPerPixel, nullptr);
  });
}

bool CDib::ToGray(int method, double redWeight, double greenWeight, double blueWeight) {
  if (!dib_) return false;
  Dib changed = *dib_;
  if (!GrayDib(changed, method, redWeight, greenWeight, blueWeight)) return false;
  return Replace(std::move(changed));
}

bool CDib::Solarize(int threshold) {
  return Apply([=](DibView dib) { return SolarizeDib(dib, threshold); });
}

bool CDib::Negate() { return Solarize(256); }

bool CDib::Emboss(int offset) {
  return Apply([=](DibView dib) { return EmbossDib(dib, offset); });
}

bool CDib::Spread(int size) {
  return Apply([=](DibView dib) { return SpreadDib(dib, size); });
}

std::unique_ptr<CDib> CDib::Clone() const {
  if (!dib_) return nullptr;
  auto copy = std::make_unique<CDib>();
  copy->Replace(DuplicateGlobalBlock(*dib_));
  return copy;
}

std::int32_t CDib::GetWidth() const { return dib_ ? DibWidth(*dib_) : 0; }
std::int32_t CDib::GetHeight() const { return dib_ ? DibHeight(*dib_) : 0; }
std::uint16_t CDib::GetBitCount() const { return dib_ ? dib::Read16(*dib_, dib::kBitCount) : 0; }
std::uint32_t CDib::GetCompression() const { return dib_ ? dib::Read32(*dib_, dib::kCompression) : 0; }

std::uint32_t CDib::GetRowBytes() const {
  return dib_ ? static_cast<std::uint32_t>(dib::RowBytes(GetWidth(), GetBitCount())) : 0;
}

std::uint16_t CDib::GetColorCount() const { return dib_ ? DibColorCount(*dib_) : 0; }
std::uint32_t CDib::GetColorTableSize() const { return dib_ ? DibColorTableBytes(*dib_) : 0; }
std::size_t CDib::GetSize() const { return dib_ ? DibTotalBytes(DibView(*dib_)) : 0; }
const std::uint8_t* CDib::GetBits() const { return dib_ ? DibBits(DibView(*dib_)) : nullptr; }
const std::uint8_t* CDib::GetBitmapInfo() const { return dib_ ? dib_->data() : nullptr; }
