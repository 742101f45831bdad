#pragma once
// An owner-drawn push button: flat (a border only while hovered) or raised, with an image beside, above or
// under its text, six state colours, an optional check-box behaviour, a drop-down menu, a web link, sounds,
// a hover cursor and a tool tip. A press sends the ordinary button event.
#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/icon.h>
#include <wx/menu.h>

#include <array>
#include <string>

#include "controlmodel/ButtonColours.h"
#include "platform/Window.h"

class CBtnST : public wxControl {
 public:
  // What to draw when the mouse is out: a grey or a darker copy of the "in" image.
  enum DerivedImage { BTNST_AUTO_GRAY = -2, BTNST_AUTO_DARKER = -3 };
  enum Alignment { ST_ALIGN_HORIZ = 0, ST_ALIGN_VERT = 1, ST_ALIGN_HORIZ_RIGHT = 2, ST_ALIGN_OVERLAP = 3 };
  enum PressedStyle { BTNST_PRESSED_LEFTRIGHT = 0, BTNST_PRESSED_TOPBOTTOM = 1 };
  static constexpr size_t kLinkLimit = 260;

  CBtnST(wxWindow* parent, wxWindowID id, const wxString& label, bool checkBox = false, bool defaultButton = false);
  ~CBtnST() override;

  int SetIcons(const wxIcon& in, const wxIcon& out = wxNullIcon);
  int SetIcons(const wxIcon& in, DerivedImage out);
  int SetImages(const wxBitmap& in, const wxColour& inTransparent, const wxBitmap& out = wxNullBitmap,
                const wxColour& outTransparent = *wxBLACK);
  int SetImages(const wxBitmap& in, const wxColour& inTransparent, DerivedImage out);
  int SetFlatLook(bool flat, bool repaint = true);
  int SetImageAlignment(int alignment, bool repaint = true);
  int SetPressedOffsetStyle(int style, bool repaint = true);
  int SetChecked(int state, bool repaint = true);
  bool IsChecked() const { return checkBox_ && checked_; }
  int ResetColors(bool repaint = true);
  int SetStateColor(int index, const wxColour& colour, bool repaint = true);
  int GetStateColor(int index, wxColour& colour) const;
  int ShadeStateColor(int index, int shade, bool repaint = true);
  int SetTrackAlways(bool always);
  int SetHoverCursor(const wxCursor& cursor, bool repaint = true);
  int SetBorderVisible(bool visible, bool repaint = true);
  int SetFlatFocusVisible(bool visible, bool repaint = true);
  int SetTipText(const wxString& text, bool activate = true);
  int EnableTip(bool activate);
  int UseBalloonTip();
  bool IsDefaultButton() const { return default_; }
  int SetTransparentLook(bool repaint = true);
  int CaptureBackground(wxDC* parentDc);
  int SetLinkUrl(const std::string& url);
  // The menu's first submenu opens under the button; its choice goes to the owner as a menu command.
  int SetDropMenu(wxMenu* menu, wxWindow* owner, bool repaint = true);
  // Sent the menu's address and the parameter just before the menu opens.
  int SetDropMenuCallback(platform::WindowId window, std::uint32_t message, std::intptr_t parameter);
  int FitToImage();
  // A sound file played when the mouse enters, or with onClick when the button is pressed; empty clears it.
  int SetButtonSound(const std::string& file, bool onClick = false, bool asynchronous = true);

  bool IsHovered() const { return mouseOver_; }
  bool IsPressed() const;
  const std::string& LinkUrl() const { return link_; }

 protected:
  virtual void DrawItem(wxDC& dc);
  virtual void DrawBackground(wxDC& dc, const wxRect& area);
  virtual void DrawBorder(wxDC& dc, const wxRect& area);
  virtual void DrawTheIcon(wxDC& dc, const wxRect& area, wxRect& textArea);
  virtual void DrawTheText(wxDC& dc, const wxRect& textArea);
  wxSize DoGetBestSize() const override;

 private:
  struct Image {
    wxBitmap picture;
    bool IsOk() const { return picture.IsOk(); }
  };
  void FreeImages();
  static wxBitmap Derive(const wxBitmap& in, DerivedImage how, const wxColour& transparent);
  static wxBitmap Masked(const wxBitmap& in, const wxColour& transparent);
  void Repaint(bool repaint);
  void EndHover();
  void Click();
  void PlaySound(int which);
  wxRect ImagePlace(const wxRect& client, const wxSize& image, bool hasText, wxRect& textArea) const;

  void OnPaint(wxPaintEvent& event);
  void OnEnter(wxMouseEvent& event);
  void OnLeave(wxMouseEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnFocus(wxFocusEvent& event);
  void OnSysColourChanged(wxSysColourChangedEvent& event);
  void OnSetCursor(wxSetCursorEvent& event);

  bool showDisabledBitmap_ = true;
  wxPoint imageOffset_{3, 3};
  wxPoint pressedOffset_{1, 1};
  bool flat_ = true;
  bool mouseOver_ = false;
  bool transparent_ = false;
  bool pressed_ = false;
  bool default_ = false;
  bool checkBox_ = false;
  int alignment_ = ST_ALIGN_HORIZ;
  bool drawBorder_ = true;
  bool drawFlatFocus_ = false;
  CButtonColours colours_;
  wxWindow* menuOwner_ = nullptr;
  bool menuShown_ = false;
  wxMenu* menu_ = nullptr;  // owned
  wxCursor cursor_;
  wxString tipText_;
  wxBitmap background_;
  bool alwaysTrack_ = true;
  bool checked_ = false;
  long tipStyle_ = 0;
  std::string link_;
  std::array<Image, 2> images_;  // [0] in, [1] out
  platform::WindowId callbackWindow_ = platform::kNoWindow;
  std::uint32_t callbackMessage_ = 0;
  std::intptr_t callbackParameter_ = 0;
  struct Sound {
    std::string file;
    bool asynchronous = true;
  };
  std::array<Sound, 2> sounds_;  // [0] on hover, [1] on click
};
