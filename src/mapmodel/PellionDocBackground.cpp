// The map document's background picture: any picture file the installed converter decodes becomes a BMP
// file of a name no other load uses, which the bitmap class then reads, turns and resizes.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "image/Dib.h"
#include "mapmodel/PellionDoc.h"
#include "platform/MessageBox.h"

namespace {

CPellionDoc::PictureToBmp& PictureConverter() {
  static CPellionDoc::PictureToBmp converter;
  return converter;
}

// A new empty file in the temporary folder, removed when this goes; its path is empty when none could be
// made. A fixed name would let two programs, or a link planted there, receive the picture.
class UniqueTempBmp {
 public:
  UniqueTempBmp() {
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "tmpBackground-XXXXXX.bmp").string();
    if (error) return;
    const int fd = mkstemps(pattern.data(), 4);
    if (fd < 0) return;
    close(fd);
    m_Path = pattern;
  }
  ~UniqueTempBmp() {
    if (!m_Path.empty()) std::filesystem::remove(m_Path);
  }
  UniqueTempBmp(const UniqueTempBmp&) = delete;
  UniqueTempBmp& operator=(const UniqueTempBmp&) = delete;
  const std::string& Path() const { return m_Path; }

 private:
  std::string m_Path;
};

void LoadFailed() { platform::MessageBox("Load location map failed!"); }

}  // namespace

CPellionDoc::PictureToBmp CPellionDoc::SetPictureConverter(PictureToBmp converter) {
  return std::exchange(PictureConverter(), std::move(converter));
}

void CPellionDoc::LoadBackgroundMap(const std::string& path, int width, int height, int rotation) {
  std::string file = path;
  if (file.empty()) {
    const CLocationRecord* current = GetCurrentLocation();
    if (!current) return;
    file = current->filename;
    width = current->width;
    height = current->height;
    rotation = current->rotateangle;
    if (file.empty()) return;
  }
  UniqueTempBmp bmp;
  if (bmp.Path().empty() || !PictureConverter() || !PictureConverter()(file, bmp.Path()) || !GetCurrentLocation()) {
    LoadFailed();
    return;
  }
  auto picture = std::make_unique<CDib>();
  if (!picture->Load(bmp.Path())) {
    LoadFailed();
    return;
  }
  if (rotation == 90) picture->Rotate90();
  if (rotation == 180) picture->Rotate180();
  if (rotation == 270) picture->Rotate270();
  if (width != 0 && height != 0) picture->Resize(width, height);
  m_Background = std::move(picture);
  CLocationRecord& current = *GetCurrentLocation();
  current.filename = file;
  current.width = width;
  current.height = height;
  current.rotateangle = rotation;
  SetPositionsChanged(1);
  RedrawViews();
}

void CPellionDoc::ClearBackgroundMap() {
  m_Background.reset();
  if (CLocationRecord* current = GetCurrentLocation()) {
    current->filename.clear();
    current->width = current->height = current->rotateangle = 0;
  }
}
