#pragma once
// CPicture: one picture decoded from a file or from memory (BMP, GIF, ICO, JPEG or PNG; other formats
// are refused), drawn scaled onto a device context and written out as a 24-bit BMP file, which is how the
// map document turns any chosen background into a bitmap it can turn and resize.
#include <wx/dc.h>
#include <wx/image.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CDib;

class CPicture {
 public:
  // Reads the whole file; false, with nothing held and every size 0, when it cannot be read or decoded.
  bool Load(const std::string& path);
  bool LoadFromBuffer(const std::uint8_t* data, std::size_t size);
  void FreePicture();
  bool IsLoaded() const { return m_Image.IsOk(); }

  int GetWidth() const { return m_Width; }
  int GetHeight() const { return m_Height; }
  // The size of the file or buffer last loaded.
  int GetDataSize() const { return m_DataSize; }
  const wxImage& GetImage() const { return m_Image; }

  // Draws the whole picture into the rectangle; a width or height of -1 is the picture's own.
  void Render(wxDC& dc, int x, int y, int width, int height) const;
  bool DrawToRect(wxDC& dc, const wxRect& rect) const;
  // The picture mx and my times its size, plus extra, from the top-left point.
  bool DrawMagnified(wxDC& dc, const wxPoint& topLeft, const wxPoint& extra, int mx, int my) const;
  // The size in the context's pixels: the picture's own counts at 96 pixels per inch.
  bool UpdateSizeForDC(const wxDC& dc);

  // The picture as a BMP file of 24 bits per pixel; transparent parts come out white.
  bool SaveToMemory(const std::string& path) const;
  std::vector<std::uint8_t> SaveToBuffer() const;

 private:
  bool Decode(const std::uint8_t* data, std::size_t size);
  bool ToBmp(CDib& bmp) const;

  wxImage m_Image;
  int m_Width = 0;
  int m_Height = 0;
  int m_DataSize = 0;
};

// Decodes the picture file and writes it as a BMP file: the map document's picture converter.
bool ConvertPictureToBmp(const std::string& picturePath, const std::string& bmpPath);
