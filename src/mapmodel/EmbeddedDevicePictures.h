#pragma once
// The program's own device pictures: small 24-bit drawings made in code on a white background (white is
// drawn transparent), one per picture number, each made once and copied out.
#include <map>
#include <memory>

#include "mapmodel/DevicePictures.h"

class CEmbeddedDevicePictures : public IDevicePictureProvider {
 public:
  CEmbeddedDevicePictures();
  ~CEmbeddedDevicePictures() override;
  bool Load(int pictureId, CDib& picture) const override;

 private:
  std::map<int, std::unique_ptr<CDib>> m_Pictures;
};
