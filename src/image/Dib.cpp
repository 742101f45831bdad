#include "image/Dib.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <thread>

#include "image/DibConvert.h"
#include "image/DibFile.h"
#include "image/DibFilters.h"
#include "image/DibGeometry.h"
#include "image/DibPalette.h"
#include "image/DibTransition.h"

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
  if (resource.size() < dib::kFileHeaderSize || dib::Read16(resource, 0) != dib::kBmpType) return false;
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
  DibHandle dib =
      ReadBmpImage(static_cast<std::uint64_t>(length), [&](std::uint64_t offset, std::span<std::uint8_t> bytes) {
        file.clear();
        file.seekg(start + static_cast<std::streamoff>(offset));
        return static_cast<bool>(
            file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
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

namespace {

// What an erased picture leaves behind.
constexpr ColorRef kWindowColor = Rgb(255, 255, 255);

void EndPass(unsigned delayMs, const CDib::ShowPass& shown) {
  if (shown) shown();
  std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
}

// The origins of the square tiles that cover a picture, row by row.
std::vector<std::pair<int, int>> Tiles(int width, int height, int size) {
  std::vector<std::pair<int, int>> tiles;
  for (int top = 0; top < height; top += size)
    for (int left = 0; left < width; left += size) tiles.emplace_back(left, top);
  return tiles;
}

// Takes a tile at random and puts the last one in its place.
std::pair<int, int> TakeRandomTile(std::vector<std::pair<int, int>>& tiles) {
  const auto index =
      std::min(static_cast<std::size_t>(std::rand() / (RAND_MAX + 1.0) * tiles.size()), tiles.size() - 1);
  const std::pair<int, int> tile = tiles[index];
  tiles[index] = tiles.back();
  tiles.pop_back();
  return tile;
}

// The bytes a fade changes: the colour table of a palettised picture, else the pixels of a 24-bit one,
// three by three (blue, green, red).
std::vector<std::size_t> FadedBytes(const Dib& dib) {
  std::vector<std::size_t> offsets;
  if (DibBitCount(dib) <= 8) {
    for (std::size_t i = 0; i < DibColorCount(dib); ++i) offsets.push_back(dib::kInfoHeaderSize + 4 * i);
    return offsets;
  }
  for (std::int64_t row = 0; row < DibHeight(dib); ++row)
    for (std::int64_t x = 0; x < DibWidth(dib); ++x)
      offsets.push_back(DibBitsOffset(dib) + DibRowBytes(dib) * row + 3 * x);
  return offsets;
}

int CeilingStep(int difference, int passesLeft) {
  return difference >= 0 ? (difference + passesLeft - 1) / passesLeft : -((-difference + passesLeft - 1) / passesLeft);
}

}  // namespace

bool CDib::StretchBlt(RgbImage& canvas, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                      int sourceHeight, std::uint32_t rasterOp) const {
  return section_ && StretchTransfer(canvas, x, y, width, height, section_->ToRgb(), sourceX, sourceY, sourceWidth,
                                     sourceHeight, rasterOp);
}

bool CDib::BitBlt(RgbImage& canvas, int x, int y, int width, int height, int sourceX, int sourceY,
                  std::uint32_t rasterOp) const {
  return StretchBlt(canvas, x, y, width, height, sourceX, sourceY, width, height, rasterOp);
}

bool CDib::StretchBlt(RgbImage& canvas, const Rect& destination, const Rect& source, std::uint32_t rasterOp) const {
  return StretchBlt(canvas, destination.left, destination.top, destination.Width(), destination.Height(), source.left,
                    source.top, source.Width(), source.Height(), rasterOp);
}

bool CDib::Draw(RgbImage& canvas, int x, int y, std::uint32_t rasterOp) const {
  return BitBlt(canvas, x, y, GetWidth(), GetHeight(), 0, 0, rasterOp);
}

bool CDib::DrawTransparent(RgbImage& canvas, int x, int y, ColorRef transparent) const {
  if (!section_) return false;
  DrawTransparentDdb(canvas, section_->ToRgb(), x, y, transparent);
  return true;
}

bool CDib::Display(int effect, RgbImage& canvas, int x, int y, int step, unsigned delayMs, std::uint32_t rasterOp,
                   const ShowPass& shown) {
  if (effect == kMosaicEffect) return MosaicIn(canvas, x, y, step, delayMs, rasterOp, shown);
  if (effect == kFadeEffect) return FadeIn(canvas, x, y, step, delayMs, shown);
  if (!section_ || effect < kFirstStripEffect || effect > kLastStripEffect || step < 1) return false;
  const int bound = TransitionBound(effect, GetWidth(), GetHeight(), step);
  for (int p = 0;; p += TransitionAdvance(effect, step)) {
    const bool last = p >= bound;
    if (last) p = bound;
    for (const TransitionStrip& strip : TransitionStrips(effect, GetWidth(), GetHeight(), step, p)) {
      if (strip.destination.Width() > 0 && strip.destination.Height() > 0)
        BitBlt(canvas, x + strip.destination.left, y + strip.destination.top, strip.destination.Width(),
               strip.destination.Height(), strip.sourceX, strip.sourceY, rasterOp);
    }
    EndPass(delayMs, shown);
    if (last) return true;
  }
}

bool CDib::Clear(int effect, RgbImage& canvas, int x, int y, int step, unsigned delayMs, const ShowPass& shown) {
  if (effect == kMosaicEffect) return MosaicOut(canvas, x, y, step, delayMs, shown);
  if (effect == kFadeEffect) return FadeOut(canvas, x, y, step, delayMs, shown);
  if (!section_ || effect < kFirstStripEffect || effect > kLastStripEffect || step < 1) return false;
  Draw(canvas, x, y, kSrcCopy);
  const int bound = TransitionBound(effect, GetWidth(), GetHeight(), step);
  for (int p = 0;; p += TransitionAdvance(effect, step)) {
    const bool last = p >= bound;
    if (last) p = bound;
    for (const TransitionStrip& strip : TransitionStrips(effect, GetWidth(), GetHeight(), step, p)) {
      const Rect& d = strip.destination;
      FillRect(canvas, {x + d.left, y + d.top, x + d.right, y + d.bottom}, kWindowColor);
    }
    EndPass(delayMs, shown);
    if (last) return true;
  }
}

bool CDib::MosaicIn(RgbImage& canvas, int x, int y, int tileSize, unsigned delayMs, std::uint32_t rasterOp,
                    const ShowPass& shown) {
  if (!section_ || tileSize < 1) return false;
  for (auto tiles = Tiles(GetWidth(), GetHeight(), tileSize); !tiles.empty();) {
    const auto [left, top] = TakeRandomTile(tiles);
    BitBlt(canvas, x + left, y + top, tileSize, tileSize, left, top, rasterOp);
    EndPass(delayMs, shown);
  }
  return true;
}

bool CDib::MosaicOut(RgbImage& canvas, int x, int y, int tileSize, unsigned delayMs, const ShowPass& shown) {
  if (!section_ || tileSize < 1) return false;
  Draw(canvas, x, y, kSrcCopy);
  for (auto tiles = Tiles(GetWidth(), GetHeight(), tileSize); !tiles.empty();) {
    const auto [left, top] = TakeRandomTile(tiles);
    FillRect(canvas, {x + left, y + top, x + left + tileSize + 1, y + top + tileSize + 1}, kWindowColor);
    EndPass(delayMs, shown);
  }
  return true;
}

void CDib::FadeTowards(Dib& working, const std::vector<std::uint8_t>& target, RgbImage& canvas, int x, int y,
                       int passes, unsigned delayMs, const ShowPass& shown) {
  const std::vector<std::size_t> offsets = FadedBytes(working);
  // A picture without colour table changes far more bytes per pass, so it waits less.
  const unsigned wait = DibBitCount(working) <= 8 ? delayMs : delayMs / 10;
  for (int passesLeft = std::max(passes, 1);; passesLeft = std::max(passesLeft - 1, 1)) {
    bool reached = true;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
      std::uint8_t* bgr = working.data() + offsets[i];
      const std::uint8_t* goal = target.data() + 3 * i;
      reached &= StepColorTowards(CeilingStep(goal[2] - bgr[2], passesLeft), CeilingStep(goal[1] - bgr[1], passesLeft),
                                  CeilingStep(goal[0] - bgr[0], passesLeft), goal[2], goal[1], goal[0], &bgr[2],
                                  &bgr[1], &bgr[0]);
    }
    Replace(working);
    Draw(canvas, x, y, kSrcCopy);
    EndPass(wait, shown);
    if (reached) return;
  }
}

bool CDib::FadeIn(RgbImage& canvas, int x, int y, int passes, unsigned delayMs, const ShowPass& shown) {
  if (!section_) return false;
  const Dib kept = *dib_;
  DibHandle working = DibBitCount(kept) <= 8 || DibBitCount(kept) == 24 ? kept : ConvertDib(kept, 24, nullptr);
  if (!working) return false;
  std::vector<std::uint8_t> picture;
  for (std::size_t offset : FadedBytes(*working)) {
    picture.insert(picture.end(), working->begin() + offset, working->begin() + offset + 3);
    std::fill_n(working->begin() + offset, 3, 0);
  }
  Replace(*working);
  Draw(canvas, x, y, kSrcCopy);
  if (shown) shown();
  FadeTowards(*working, picture, canvas, x, y, passes, delayMs, shown);
  return Replace(Dib(kept));
}

bool CDib::FadeOut(RgbImage& canvas, int x, int y, int passes, unsigned delayMs, const ShowPass& shown) {
  if (!section_) return false;
  Draw(canvas, x, y, kSrcCopy);
  const Dib kept = *dib_;
  DibHandle working = DibBitCount(kept) <= 8 || DibBitCount(kept) == 24 ? kept : ConvertDib(kept, 24, nullptr);
  if (!working) return false;
  FadeTowards(*working, std::vector<std::uint8_t>(3 * FadedBytes(*working).size(), 0), canvas, x, y, passes, delayMs,
              shown);
  return Replace(Dib(kept));
}
