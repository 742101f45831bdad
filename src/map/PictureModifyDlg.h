#pragma once
// The "Modify Picture" dialog: turns the map's background picture by quarter turns and resizes it to a
// typed width and height (100 to 3000 pixels), showing it fitted in its preview. Every change is made to
// the caller's picture at once; the angle adds up the turns, and "modified" tells the caller on Cancel
// that the stored picture must be loaded again.
#include <wx/dialog.h>

class CDib;
class wxTextCtrl;

class CPictureModifyDlg : public wxDialog {
 public:
  enum : int { kRotateLeftId = 1015, kRotateRightId = 1017, kWidthId = 1023, kHeightId = 1025, kPreviewAreaId = 1029,
               kPreviewId = 1375 };

  explicit CPictureModifyDlg(wxWindow* parent);

  // Set before the dialog runs.
  void SetPicture(CDib* picture);
  void SetAngle(int angle) { m_Angle = angle; }

  int GetPictureWidth() const { return m_Width; }
  int GetPictureHeight() const { return m_Height; }
  int GetAngle() const { return m_Angle; }
  bool IsModified() const { return m_Modified; }

  void OnRotateLeft();
  void OnRotateRight();
  // Applies the typed size; false when the values were refused or the resize failed.
  bool OnPreview();
  void OnDone();

  wxTextCtrl* GetWidthEdit() const { return m_WidthEdit; }
  wxTextCtrl* GetHeightEdit() const { return m_HeightEdit; }
  wxWindow* GetPreviewArea() const { return m_Preview; }

 private:
  // Both typed values into the fields; false, with the range shown, when one is not a number in range.
  bool TakeTypedSize();
  void Rotated(int degrees);
  void ShowPictureSize();
  void PaintPreview();

  int m_Width = 0;
  int m_Height = 0;
  int m_Angle = 0;
  CDib* m_Picture = nullptr;
  bool m_Modified = false;
  wxTextCtrl* m_WidthEdit;
  wxTextCtrl* m_HeightEdit;
  wxWindow* m_Preview;
};
