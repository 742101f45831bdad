#pragma once
// The map's drawing settings: fonts, colours and the distances the shapes measure with. The map document
// owns one; shapes read it at every appearance change, so a changed theme shows after the next one.
#include <string>

#include "image/DibHeader.h"

struct MapFont {
  std::string face;
  int height = 0;
  int weight = 400;
  bool operator==(const MapFont&) const = default;
};

class CPresentationTheme {
 public:
  const MapFont& GetTitleFont() const { return m_TitleFont; }
  const MapFont& GetTextFont() const { return m_TextFont; }
  int GetBendDistance() const { return m_BendDistance; }
  int GetHandleSize() const { return m_HandleSize; }
  int GetLineHeight() const { return m_LineHeight; }
  int GetTextFlags() const { return m_TextFlags; }
  ColorRef GetOutlineColor() const { return m_OutlineColor; }
  ColorRef GetNormalPortColor() const { return m_NormalPortColor; }
  ColorRef GetNormalFillColor() const { return m_NormalFillColor; }
  ColorRef GetNewDeviceColor() const { return m_NewDeviceColor; }
  ColorRef GetOfflineColor() const { return m_OfflineColor; }
  ColorRef GetChangedColor() const { return m_ChangedColor; }
  ColorRef GetFirstLinkColor() const { return m_FirstLinkColor; }
  ColorRef GetSecondLinkColor() const { return m_SecondLinkColor; }
  bool GetBendsFollowEnds() const { return m_BendsFollowEnds; }
  int GetGridStepX() const { return m_GridStepX; }
  int GetGridStepY() const { return m_GridStepY; }
  ColorRef GetBackgroundColor() const { return m_BackgroundColor; }
  void SetBackgroundColor(ColorRef color) { m_BackgroundColor = color; }
  ColorRef GetGridColor() const { return m_GridColor; }
  // A copy of the font at the zoom; the view draws captions with it.
  MapFont ScaleFont(const MapFont& font, double zoom) const {
    MapFont scaled = font;
    scaled.height = static_cast<int>(font.height * zoom);
    return scaled;
  }

 private:
  MapFont m_TitleFont{"Arial", 16, 700};
  MapFont m_TextFont{"Arial", 14, 400};
  int m_BendDistance = 10;
  int m_HandleSize = 4;
  int m_LineHeight = 20;
  int m_TextFlags = 0;
  ColorRef m_OutlineColor = Rgb(0, 0, 0);
  ColorRef m_NormalPortColor = Rgb(255, 255, 200);
  ColorRef m_NormalFillColor = Rgb(200, 255, 200);
  ColorRef m_NewDeviceColor = Rgb(255, 255, 0);
  ColorRef m_OfflineColor = Rgb(220, 220, 220);
  ColorRef m_ChangedColor = Rgb(255, 0, 0);
  ColorRef m_FirstLinkColor = Rgb(255, 153, 0);
  ColorRef m_SecondLinkColor = Rgb(255, 255, 255);
  bool m_BendsFollowEnds = true;
  int m_GridStepX = 10;
  int m_GridStepY = 10;
  ColorRef m_BackgroundColor = Rgb(224, 224, 224);
  ColorRef m_GridColor = Rgb(100, 100, 100);
};
