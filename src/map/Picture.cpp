#include "map/Picture.h"

#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "image/Dib.h"
#include "image/GifDecoder.h"

namespace {

// The formats read here; a file of any other kind is refused even when a handler for it exists.
constexpr wxBitmapType kReadable[] = {wxBITMAP_TYPE_BMP, wxBITMAP_TYPE_GIF, wxBITMAP_TYPE_ICO, wxBITMAP_TYPE_JPEG,
                                      wxBITMAP_TYPE_PNG};

void AddReadableHandlers() {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_BMP)) wxImage::AddHandler(new wxBMPHandler);
  if (!wxImage::FindHandler(wxBITMAP_TYPE_GIF)) wxImage::AddHandler(new wxGIFHandler);
  if (!wxImage::FindHandler(wxBITMAP_TYPE_ICO)) wxImage::AddHandler(new wxICOHandler);
  if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
}

// A GIF through our own checked decoder (the toolkit's writes out of bounds on some damaged files).
wxImage LoadGif(const std::uint8_t* data, std::size_t size) {
  std::optional<GifPicture> gif = DecodeGif(data, size);
  if (!gif) return wxImage();
  wxImage image(gif->width, gif->height, false);
  std::copy(gif->rgb.begin(), gif->rgb.end(), image.GetData());
  if (!gif->alpha.empty()) {
    image.SetAlpha();
    std::copy(gif->alpha.begin(), gif->alpha.end(), image.GetAlpha());
  }
  return image;
}

// The picture's pixels, with any transparency laid over white.
RgbImage ToRgb(const wxImage& image) {
  RgbImage rgb;
  rgb.width = image.GetWidth();
  rgb.height = image.GetHeight();
  const std::size_t count = static_cast<std::size_t>(rgb.width) * rgb.height;
  const unsigned char* data = image.GetData();
  rgb.pixels.assign(data, data + count * 3);
  if (image.HasAlpha()) {
    const unsigned char* alpha = image.GetAlpha();
    for (std::size_t i = 0; i < count; ++i)
      for (int c = 0; c < 3; ++c) rgb.pixels[i * 3 + c] = (rgb.pixels[i * 3 + c] * alpha[i] + 255 * (255 - alpha[i])) / 255;
  } else if (image.HasMask()) {
    const unsigned char r = image.GetMaskRed(), g = image.GetMaskGreen(), b = image.GetMaskBlue();
    for (std::size_t i = 0; i < count * 3; i += 3)
      if (rgb.pixels[i] == r && rgb.pixels[i + 1] == g && rgb.pixels[i + 2] == b)
        rgb.pixels[i] = rgb.pixels[i + 1] = rgb.pixels[i + 2] = 255;
  }
  return rgb;
}

}  // namespace

bool CPicture::Load(const std::string& path) {
  FreePicture();
  std::ifstream file(path, std::ios::binary);
  if (!file || std::filesystem::is_directory(path)) return false;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const bool loaded = !bytes.empty() && LoadFromBuffer(bytes.data(), bytes.size());
  if (loaded) m_DataSize = static_cast<int>(bytes.size());
  return loaded;
}

bool CPicture::LoadFromBuffer(const std::uint8_t* data, std::size_t size) {
  FreePicture();
  AddReadableHandlers();
  // A damaged file is the caller's to report: no log lines, and none of the toolkit's checks that a
  // handler trips over on the way.
  wxLogNull quiet;
  const wxAssertHandler_t asserts = wxSetAssertHandler(nullptr);
  const bool loaded = Decode(data, size);
  wxSetAssertHandler(asserts);
  if (!loaded) FreePicture();
  return loaded;
}

bool CPicture::Decode(const std::uint8_t* data, std::size_t size) {
  for (wxBitmapType type : kReadable) {
    wxMemoryInputStream stream(data, size);
    wxImageHandler* handler = wxImage::FindHandler(type);
    if (!handler || !handler->CanRead(stream)) continue;
    if (type == wxBITMAP_TYPE_GIF) {
      m_Image = LoadGif(data, size);
    } else {
      wxMemoryInputStream decoded(data, size);
      m_Image.LoadFile(decoded, type);
    }
    if (!m_Image.IsOk()) break;
    m_Width = m_Image.GetWidth();
    m_Height = m_Image.GetHeight();
    m_DataSize = static_cast<int>(size);
    return true;
  }
  return false;
}

void CPicture::FreePicture() {
  m_Image = wxImage();
  m_Width = m_Height = m_DataSize = 0;
}

void CPicture::Render(wxDC& dc, int x, int y, int width, int height) const {
  if (!IsLoaded()) return;
  if (width == -1) width = m_Width;
  if (height == -1) height = m_Height;
  if (width <= 0 || height <= 0) return;
  const wxImage shown = width == m_Width && height == m_Height ? m_Image : m_Image.Scale(width, height);
  dc.DrawBitmap(wxBitmap(shown), x, y, true);
}

bool CPicture::DrawToRect(wxDC& dc, const wxRect& rect) const {
  if (!IsLoaded()) return false;
  Render(dc, rect.x, rect.y, rect.width, rect.height);
  return true;
}

bool CPicture::DrawMagnified(wxDC& dc, const wxPoint& topLeft, const wxPoint& extra, int mx, int my) const {
  if (!IsLoaded()) return false;
  Render(dc, topLeft.x, topLeft.y, extra.x + m_Image.GetWidth() * mx, extra.y + m_Image.GetHeight() * my);
  return true;
}

bool CPicture::UpdateSizeForDC(const wxDC& dc) {
  if (!IsLoaded() || !dc.IsOk()) {
    m_Width = m_Height = 0;
    return false;
  }
  const wxSize ppi = dc.GetPPI();
  m_Width = static_cast<int>(std::lround(static_cast<double>(m_Image.GetWidth()) * ppi.x / 96));
  m_Height = static_cast<int>(std::lround(static_cast<double>(m_Image.GetHeight()) * ppi.y / 96));
  return true;
}

bool CPicture::SaveToMemory(const std::string& path) const {
  CDib bmp;
  if (!ToBmp(bmp)) return false;
  return bmp.Save(path);
}

std::vector<std::uint8_t> CPicture::SaveToBuffer() const {
  CDib bmp;
  std::ostringstream bytes;
  if (!ToBmp(bmp) || !bmp.Write(bytes)) return {};
  const std::string text = bytes.str();
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

bool CPicture::ToBmp(CDib& bmp) const {
  if (!IsLoaded()) return false;
  const RgbImage rgb = ToRgb(m_Image);
  return bmp.CreateFromBitmapToDepth(&rgb, nullptr, 24);
}

bool ConvertPictureToBmp(const std::string& picturePath, const std::string& bmpPath) {
  CPicture picture;
  return picture.Load(picturePath) && picture.SaveToMemory(bmpPath);
}
