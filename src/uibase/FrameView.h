#pragma once
// What a view in the main window's lower pane may offer the frame: a refresh after the database changed.
// A view without it is left alone by the frame's refresh.
class IFrameView {
 public:
  virtual ~IFrameView() = default;
  // fullReload: the view rereads the database; otherwise it only updates device states.
  virtual void RefreshView(bool fullReload) = 0;
};
