#include "mapmodel/EmbeddedDevicePictures.h"

#include <cstdlib>

#include "image/Dib.h"
#include "image/RgbImage.h"

namespace {

struct Colour {
  std::uint8_t r, g, b;
};

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kBlue{40, 90, 200};
constexpr Colour kGrey{150, 150, 150};
constexpr Colour kGreen{40, 170, 60};
constexpr Colour kPink{240, 130, 190};
constexpr Colour kRed{220, 30, 30};
constexpr Colour kPurple{140, 60, 180};
constexpr Colour kGold{210, 170, 40};
constexpr Colour kLight{235, 235, 235};

// A white canvas with a few drawing steps, enough for small device symbols.
class Painter {
 public:
  Painter(int width, int height) {
    m_Image.width = width;
    m_Image.height = height;
    m_Image.pixels.assign(static_cast<std::size_t>(width) * height * 3, 255);
  }

  void Dot(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= m_Image.width || y >= m_Image.height) return;
    std::uint8_t* p = m_Image.At(x, y);
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }
  void Fill(int left, int top, int right, int bottom, Colour c) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) Dot(x, y, c);
  }
  void Frame(int left, int top, int right, int bottom, Colour c) {
    Line(left, top, right - 1, top, c);
    Line(left, bottom - 1, right - 1, bottom - 1, c);
    Line(left, top, left, bottom - 1, c);
    Line(right - 1, top, right - 1, bottom - 1, c);
  }
  void Box(int left, int top, int right, int bottom, Colour fill) {
    Fill(left, top, right, bottom, fill);
    Frame(left, top, right, bottom, kBlack);
  }
  void Line(int x0, int y0, int x1, int y1, Colour c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    for (int error = dx + dy;;) {
      Dot(x0, y0, c);
      if (x0 == x1 && y0 == y1) break;
      const int twice = 2 * error;
      if (twice >= dy) error += dy, x0 += sx;
      if (twice <= dx) error += dx, y0 += sy;
    }
  }
  void Disc(int cx, int cy, int radius, Colour c) {
    for (int y = -radius; y <= radius; ++y)
      for (int x = -radius; x <= radius; ++x)
        if (x * x + y * y <= radius * radius) Dot(cx + x, cy + y, c);
  }
  // A question mark of thick strokes in a box of the size at (left, top).
  void Question(int left, int top, int size, Colour c) {
    const int u = size / 5;
    Fill(left + u, top, left + 4 * u, top + u, c);
    Fill(left + 3 * u, top, left + 4 * u, top + 2 * u + u / 2, c);
    Fill(left + 2 * u, top + 2 * u, left + 4 * u, top + 3 * u, c);
    Fill(left + 2 * u, top + 2 * u, left + 3 * u, top + 4 * u - u / 2, c);
    Fill(left + 2 * u, top + 4 * u, left + 3 * u, top + 5 * u, c);
  }
  void Cross(int left, int top, int size, Colour c) {
    for (int w = 0; w < 3; ++w) {
      Line(left + w, top, left + size - 1, top + size - 1 - w, c);
      Line(left + size - 1 - w, top, left, top + size - 1 - w, c);
    }
  }
  const RgbImage& Image() const { return m_Image; }

 private:
  RgbImage m_Image;
};

RgbImage Switch(Colour body) {
  Painter p(75, 35);
  p.Box(1, 6, 74, 30, body);
  for (int column = 0; column < 8; ++column) {
    p.Box(6 + column * 8, 11, 12 + column * 8, 17, kLight);
    p.Box(6 + column * 8, 20, 12 + column * 8, 26, kLight);
  }
  return p.Image();
}

// An access point: a box with an antenna and two bars of signal.
void DrawAp(Painter& p, int left, int top, Colour body) {
  p.Box(left + 4, top + 16, left + 36, top + 28, body);
  p.Line(left + 10, top + 16, left + 10, top + 3, kBlack);
  p.Disc(left + 10, top + 3, 2, body);
  p.Line(left + 15, top + 6, left + 19, top + 2, body);
  p.Line(left + 15, top + 10, left + 23, top + 2, body);
  p.Fill(left + 26, top + 20, left + 32, top + 24, kLight);
}

RgbImage Ap(Colour body) {
  Painter p(40, 30);
  DrawAp(p, 0, 0, body);
  return p.Image();
}

RgbImage ApWithQuestion(Colour body) {
  Painter p(40, 30);
  DrawAp(p, 0, 0, body);
  p.Question(26, 1, 12, kRed);
  return p.Image();
}

RgbImage KeyWithCross() {
  Painter p(60, 45);
  p.Disc(16, 22, 10, kGold);
  p.Disc(16, 22, 4, kWhite);
  p.Fill(25, 20, 52, 25, kGold);
  p.Fill(44, 25, 48, 31, kGold);
  p.Fill(36, 25, 40, 29, kGold);
  p.Cross(18, 4, 36, kRed);
  return p.Image();
}

RgbImage ApAndServer() {
  Painter p(50, 50);
  DrawAp(p, 0, 18, kBlue);
  p.Box(34, 4, 48, 34, kGrey);
  p.Fill(37, 8, 45, 10, kBlack);
  p.Fill(37, 13, 45, 15, kBlack);
  p.Line(36, 34, 24, 38, kBlack);
  p.Question(36, 18, 10, kRed);
  return p.Image();
}

RgbImage Padlock() {
  Painter p(32, 32);
  p.Frame(9, 2, 23, 16, kBlack);
  p.Frame(10, 3, 22, 15, kBlack);
  p.Box(5, 13, 27, 31, kGold);
  p.Question(11, 16, 10, kBlack);
  return p.Image();
}

}  // namespace

CEmbeddedDevicePictures::CEmbeddedDevicePictures() {
  const std::pair<int, RgbImage> drawings[] = {
      {kPictureSwitch, Switch(kBlue)},
      {kPictureSwitchOffline, Switch(kGrey)},
      {kPictureSwitchNew, Switch(kGreen)},
      {kPictureSwitchChanged, Switch(kPink)},
      {kPictureAp, Ap(kBlue)},
      {kPictureApOffline, Ap(kGrey)},
      {kPictureApNew, Ap(kGreen)},
      {kPictureApChanged, Ap(kRed)},
      {kPictureApReplace, Ap(kPurple)},
      {kPictureUnknown, ApWithQuestion(kGrey)},
      {kPictureSystemKeyError, KeyWithCross()},
      {kPictureDhcpError, ApAndServer()},
      {kPictureNotAvailable, ApWithQuestion(kBlue)},
      {kPicturePasswordError, Padlock()},
  };
  for (const auto& [id, image] : drawings) {
    auto picture = std::make_unique<CDib>();
    if (picture->CreateFromBitmapToDepth(&image, nullptr, 24)) m_Pictures[id] = std::move(picture);
  }
}

CEmbeddedDevicePictures::~CEmbeddedDevicePictures() = default;

bool CEmbeddedDevicePictures::Load(int pictureId, CDib& picture) const {
  auto found = m_Pictures.find(pictureId);
  if (found == m_Pictures.end()) return false;
  return picture.Create(DibView(*found->second->GetHandle()));
}
