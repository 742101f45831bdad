#pragma once
// CDib: the in-memory picture. It holds one packed DIB and, made from it after every change, the drawable
// section and the palette of its colour table. Every operation that makes a new DIB adopts it through one
// replace-and-rebuild step; an operation that fails before a new DIB exists keeps the previous picture.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "image/DibDraw.h"
#include "image/DibHeader.h"
#include "image/DibSection.h"
#include "image/RgbImage.h"

class CDib {
 public:
  CDib() = default;

  bool Create(std::int32_t width, std::int32_t height);  // screen depth, every pixel byte 0xFF
  bool Create(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel);  // zero-filled
  // A copy of a packed DIB, converted when the depth differs; false when the DIB does not fit its bytes.
  bool Create(DibView packed);
  bool Create(DibView packed, std::uint16_t bitsPerPixel);
  bool CreateFromDibSection(const DibSection& section);
  bool CreateFromDibSection(const DibSection& section, std::uint16_t bitsPerPixel);
  // From a screen picture; false at once without one.
  bool CreateFromBitmap(const RgbImage* bitmap, const Palette* palette);
  bool CreateFromBitmapToDepth(const RgbImage* bitmap, const Palette* palette, std::uint16_t bitsPerPixel);
  // A BMP image held in memory (a resource): it must begin with "BM"; the DIB starts 14 bytes in.
  bool LoadFromResource(std::span<const std::uint8_t> resource);

  bool Load(const std::string& path);
  bool Save(const std::string& path);
  // A BMP image from the stream's position to its end (see ReadBmpImage).
  bool Read(std::istream& file);
  // The BMP image: file header, then the DIB with its image-size field set; false when empty.
  bool Write(std::ostream& file);
  // A CDib in an archive is a complete BMP image at the archive's position.
  bool Serialize(std::iostream& archive, bool storing);

  bool Rotate90();  // a quarter turn counter-clockwise
  bool Rotate180();
  bool Rotate270();  // a quarter turn clockwise
  bool Resize(std::int32_t width, std::int32_t height);
  bool Rotate(double degrees, ColorRef background);
  bool MirrorHorizontally();
  bool FlipVertically();
  bool Scale(double xFactor, double yFactor);
  // Up to 8 bits through an octree palette of 2 to the bits colours, deeper by plain conversion.
  bool ChangeBitCount(std::uint16_t bitsPerPixel);
  bool ToGray(int method, double redWeight, double greenWeight, double blueWeight);
  bool Solarize(int threshold);
  bool Negate();
  bool Emboss(int offset);
  bool Spread(int size);
  // A new object holding a copy; none when this one is empty.
  std::unique_ptr<CDib> Clone() const;

  // Drawing onto a canvas of screen pixels (the window layer shows the canvas); false when empty or when
  // the transfer fails.
  bool BitBlt(RgbImage& canvas, int x, int y, int width, int height, int sourceX, int sourceY,
              std::uint32_t rasterOp) const;
  bool StretchBlt(RgbImage& canvas, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, std::uint32_t rasterOp) const;
  bool StretchBlt(RgbImage& canvas, const Rect& destination, const Rect& source, std::uint32_t rasterOp) const;
  bool Draw(RgbImage& canvas, int x, int y, std::uint32_t rasterOp) const;
  // Every pixel of the transparent colour leaves the canvas as it was.
  bool DrawTransparent(RgbImage& canvas, int x, int y, ColorRef transparent) const;

  // Transitions (effects 1 to 20) that draw the picture, or erase it to the window colour, in passes.
  // After every pass `shown` lets the window present the canvas, then the delay passes. Effect 19 uses
  // the step as the tile size, effect 20 as the number of passes. False when empty or for another effect.
  using ShowPass = std::function<void()>;
  bool Display(int effect, RgbImage& canvas, int x, int y, int step, unsigned delayMs, std::uint32_t rasterOp,
               const ShowPass& shown = {});
  bool Clear(int effect, RgbImage& canvas, int x, int y, int step, unsigned delayMs, const ShowPass& shown = {});
  bool MosaicIn(RgbImage& canvas, int x, int y, int tileSize, unsigned delayMs, std::uint32_t rasterOp,
                const ShowPass& shown = {});
  bool MosaicOut(RgbImage& canvas, int x, int y, int tileSize, unsigned delayMs, const ShowPass& shown = {});
  // From black to the picture and back; the object holds its own picture again afterwards.
  bool FadeIn(RgbImage& canvas, int x, int y, int passes, unsigned delayMs, const ShowPass& shown = {});
  bool FadeOut(RgbImage& canvas, int x, int y, int passes, unsigned delayMs, const ShowPass& shown = {});

  bool IsEmpty() const { return !dib_.has_value(); }
  std::int32_t GetWidth() const;
  std::int32_t GetHeight() const;
  std::uint16_t GetBitCount() const;
  std::uint32_t GetCompression() const;
  std::uint32_t GetRowBytes() const;
  std::uint16_t GetColorCount() const;
  std::uint32_t GetColorTableSize() const;
  std::size_t GetSize() const;
  // Addresses inside the DIB; none when empty.
  const std::uint8_t* GetBits() const;
  const std::uint8_t* GetBitmapInfo() const;
  const DibHandle& GetHandle() const { return dib_; }
  const std::optional<Palette>& GetPalette() const { return palette_; }
  const std::optional<DibSection>& GetBitmap() const { return section_; }

  // The palette of the colour table (false without one), the section (false when none can be made, such
  // as for a compressed DIB), and both; Rebuild answers with the section's result.
  bool BuildPalette();
  bool BuildBitmap();
  bool Rebuild();
  void Destroy();

 private:
  // Adopts the new DIB and rebuilds; false and nothing changed without one.
  bool Replace(DibHandle dib);
  // Moves the colours of the picture toward the target values over the passes, drawing each pass.
  void FadeTowards(Dib& working, const std::vector<std::uint8_t>& target, RgbImage& canvas, int x, int y, int passes,
                   unsigned delayMs, const ShowPass& shown);
  // Runs one DIB operation on the current DIB and adopts its result.
  template <typename Operation>
  bool Apply(Operation operation) {
    if (!dib_) return false;
    return Replace(operation(DibView(*dib_)));
  }

  DibHandle dib_;
  std::optional<DibSection> section_;
  std::optional<Palette> palette_;
};
