#include "mapmodel/DevicePictures.h"

#include <map>
#include <mutex>

#include "image/Dib.h"
#include "mapmodel/EmbeddedDevicePictures.h"

namespace {
const IDevicePictureProvider* g_DevicePictures = nullptr;

// The pictures read from the current provider by number; a number it has no picture for maps to none.
std::mutex g_SharedMutex;
std::map<int, std::shared_ptr<const CDib>> g_SharedPictures;
}  // namespace

const IDevicePictureProvider& GetDevicePictures() {
  static const CEmbeddedDevicePictures embedded;
  return g_DevicePictures ? *g_DevicePictures : embedded;
}

void SetDevicePictures(const IDevicePictureProvider* provider) {
  const std::lock_guard lock(g_SharedMutex);
  g_DevicePictures = provider;
  g_SharedPictures.clear();
}

std::shared_ptr<const CDib> SharedDevicePicture(int pictureId) {
  const std::lock_guard lock(g_SharedMutex);
  auto [found, added] = g_SharedPictures.try_emplace(pictureId);
  if (!added) return found->second;
  auto picture = std::make_shared<CDib>();
  if (GetDevicePictures().Load(pictureId, *picture) && !picture->IsEmpty()) found->second = std::move(picture);
  return found->second;
}

int ErrorPictureFor(int statusCode) {
  switch (statusCode) {
    case 5:
      return kPictureSystemKeyError;
    case 7:
      return kPictureDhcpError;
    case 8:
      return kPictureNotAvailable;
    case 9:
      return kPicturePasswordError;
    default:
      return 0;
  }
}
