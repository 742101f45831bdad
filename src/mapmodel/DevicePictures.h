#pragma once
// Device pictures by number. The device shapes ask the current provider for the picture of their status;
// the program's own artwork (CEmbeddedDevicePictures) is the provider unless another is set, and tests
// set one that has no pictures to see the shapes without them.
#include <memory>

class CDib;

enum DevicePictureId : int {
  kPictureSwitch = 312,
  kPictureSwitchOffline = 314,
  kPictureSwitchNew = 315,
  kPictureSwitchChanged = 316,
  kPictureAp = 317,
  kPictureApOffline = 318,
  kPictureApNew = 319,
  kPictureApChanged = 320,
  kPictureApReplace = 321,
  kPictureUnknown = 338,
  kPictureSystemKeyError = 361,
  kPictureDhcpError = 363,
  kPictureNotAvailable = 366,
  kPicturePasswordError = 367,
};

// The picture every kind shows for a device in error (5 system key, 7 DHCP, 8 not available, 9 password),
// or 0 for any other status.
int ErrorPictureFor(int statusCode);

class IDevicePictureProvider {
 public:
  virtual ~IDevicePictureProvider() = default;
  // Loads the picture of the number into picture; false, and picture left empty, when there is none.
  virtual bool Load(int pictureId, CDib& picture) const = 0;
};

const IDevicePictureProvider& GetDevicePictures();
// Replaces the provider; none brings back the program's own artwork. The caller keeps it alive.
// The shared pictures are read again from the new provider.
void SetDevicePictures(const IDevicePictureProvider* provider);
// The current provider's picture of the number, read once and shared by every shape that shows it (a map
// holds thousands of shapes and a handful of pictures); none when the provider has no such picture.
std::shared_ptr<const CDib> SharedDevicePicture(int pictureId);
