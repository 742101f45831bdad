#include "alerts/ui/AlertPageFailure.h"

#include <wx/window.h>

#include "platform/MessageBox.h"

void ShowAlertPageFailure(wxWindow* page, const alert_pages::Failure& failure) {
  platform::MessageBox(failure.message, {}, platform::MB_ICONERROR);
  if (wxWindow* field = page->FindWindow(failure.control)) field->SetFocus();
}
