#include "app/AboutDialog.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/Resources.h"

namespace {
constexpr int kTitleBarButtons = 120;
}  // namespace

CAboutDialog::CAboutDialog(wxWindow* parent)
    : wxDialog(parent, res::IDD_ABOUTBOX,
               wxString::FromUTF8(std::string(res::kAboutCaptionPrefix) + res::kAppTitle)) {
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(new wxStaticText(this, res::IDC_VERSION, wxString::FromUTF8(res::kVersionText)),
              wxSizerFlags().Border(wxALL, 12));
  layout->Add(CreateStdDialogButtonSizer(wxOK), wxSizerFlags().Expand().Border(wxALL & ~wxTOP, 12));
  SetSizerAndFit(layout);
  // The window manager cuts a caption wider than the dialog: leave room for the caption in its (often
  // bold and larger) font and for the title bar's buttons.
  const int captionWidth = GetTextExtent(GetTitle()).x * 3 / 2 + kTitleBarButtons;
  if (GetClientSize().x < captionWidth) SetClientSize(captionWidth, GetClientSize().y);
  CentreOnParent();
}
