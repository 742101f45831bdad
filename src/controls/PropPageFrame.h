#pragma once
// The window a tree property sheet lays behind its pages: a caption strip above the page area (a heading with
// an optional icon) and, while no page is shown, a message in the page area. This is the interface with its
// state and replaceable drawing steps; CPropPageFrameDefault is the window.
#include <wx/dc.h>
#include <wx/icon.h>
#include <wx/window.h>

#include <string>

class CPropPageFrame {
 public:
  virtual ~CPropPageFrame() = default;

  virtual bool CreateFrameWindow(long style, const wxRect& rect, wxWindow* parent, wxWindowID id) = 0;
  virtual wxWindow* FrameWindow() = 0;
  virtual void EnableCaption(bool on);
  virtual void SetCaptionStripHeight(int height);
  // The frame keeps no hold on the icon: the caller may drop it once this returns.
  virtual void SetHeading(const std::string& text, const wxIcon& icon = wxNullIcon);
  virtual void SetNoPageMessage(const std::string& text);
  // wx alignment flags; centred on one line at first.
  virtual void SetNoPageMessageFlags(int flags);
  virtual void PaintFrame(wxDC& dc);
  virtual wxRect MessageRect();
  virtual void PaintMessage(wxDC& dc, const wxRect& rect, const std::string& text, int flags);
  virtual wxRect CaptionRect();
  virtual void PaintCaption(wxDC& dc, const wxRect& rect, const std::string& text, const wxIcon& icon);

  bool HasCaptionStrip() const { return captionStrip_; }
  int CaptionStripHeight() const { return captionStripHeight_; }
  const std::string& Heading(wxIcon* icon = nullptr) const;
  const std::string& NoPageMessage() const { return noPageMessage_; }
  int NoPageMessageFlags() const { return noPageMessageFlags_; }

 protected:
  // Marks the area for repainting when the window exists.
  void InvalidateArea(const wxRect& area);
  wxRect ClientRect();

 private:
  bool captionStrip_ = false;
  int captionStripHeight_ = 0;
  std::string heading_;
  wxIcon headingIcon_;
  std::string noPageMessage_;
  int noPageMessageFlags_ = wxALIGN_CENTER;
};
