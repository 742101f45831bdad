#pragma once
// The pictures of the group views: the tree's five 20 by 20 icons (group, AP matching its template, AP
// differing, load-balance match, load-balance difference) and the five buttons' icons.
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/imaglist.h>

class CGroupIcons {
 public:
  static const wxColour kGroupColour;
  static const wxColour kMatchColour;
  static const wxColour kDiffersColour;
  static const wxColour kBalanceMatchColour;
  static const wxColour kBalanceDiffersColour;

  static wxImageList* MakeTreeImages();
  // A button's icon: a plain shape with a mark drawn over it.
  static wxBitmap MakeButtonIcon(int which);
};
