#include "mapmodel/DevicePictures.h"

#include "mapmodel/EmbeddedDevicePictures.h"

namespace {
const IDevicePictureProvider* g_DevicePictures = nullptr;
}  // namespace

const IDevicePictureProvider& GetDevicePictures() {
  static const CEmbeddedDevicePictures embedded;
  return g_DevicePictures ? *g_DevicePictures : embedded;
}

void SetDevicePictures(const IDevicePictureProvider* provider) { g_DevicePictures = provider; }

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
