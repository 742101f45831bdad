#include "app/JobProgressWnd.h"

#include "platform/Window.h"

CJobProgressWnd::CJobProgressWnd(wxWindow* parent, const std::string& title, std::uint32_t cancelMessage)
    : CProgressWnd(parent, title), cancelMessage_(cancelMessage) {}

void CJobProgressWnd::OnCancel() {
  Hide();
  platform::PostMessage(platform::GetMainWindow(), cancelMessage_);
  if (wxWindow* main = GetParent()) main->Raise();
}
