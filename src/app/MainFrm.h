#pragma once
// The main window: the menu bar, the status bar and the receiver of the worker threads' messages.
#include <wx/frame.h>

#include <memory>

#include "platform/Window.h"

class CGuiMessageReceiver;
class CQuillonLibrary;

class CMainFrame : public wxFrame {
 public:
  CMainFrame();
  ~CMainFrame() override;

  platform::WindowId GetWindowId() const { return windowId_; }

 private:
  void BuildMenuBar();
  std::intptr_t OnMessage(const platform::Message& message);
  void OnStatusText(std::intptr_t stage);
  void OnExit(wxCommandEvent& event);
  void OnModifySystemPassword(wxCommandEvent& event);
  void RunQuillon(wxCommandEvent& event);

  std::shared_ptr<CGuiMessageReceiver> receiver_;
  platform::WindowId windowId_ = platform::kNoWindow;
  std::unique_ptr<CQuillonLibrary> quillon_;
};
