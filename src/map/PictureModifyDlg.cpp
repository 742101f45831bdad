#include "map/PictureModifyDlg.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valnum.h>

#include "image/Dib.h"
#include "map/PictureFileDialog.h"
#include "map/WxMapCanvas.h"
#include "platform/MessageBox.h"

namespace {

constexpr int kMinSide = 100;
constexpr int kMaxSide = 3000;

// A field of digits only; the range is checked when the size is taken, so that typing may pass through
// smaller numbers on the way.
wxTextCtrl* SizeEdit(wxWindow* parent, int id, int* value) {
  wxIntegerValidator<int> validator(value);
  validator.SetMin(0);
  return new wxTextCtrl(parent, id, "", wxDefaultPosition, wxSize(90, -1), 0, validator);
}

}  // namespace

CPictureModifyDlg::CPictureModifyDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Modify Picture") {
  // The size fields sit inside their group box: checks and transfers reach them through it.
  SetExtraStyle(GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
  auto* previewBox = new wxStaticBoxSizer(wxVERTICAL, this, "Preview");
  m_Preview = new wxWindow(previewBox->GetStaticBox(), kPreviewAreaId, wxDefaultPosition, wxSize(206, 163));
  m_Preview->SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_Preview->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { PaintPreview(); });
  previewBox->Add(m_Preview, 1, wxEXPAND | wxALL, 6);

  auto* resizeBox = new wxStaticBoxSizer(wxVERTICAL, this, "Resize");
  auto* fields = new wxFlexGridSizer(3, 4, 6);
  m_WidthEdit = SizeEdit(resizeBox->GetStaticBox(), kWidthId, &m_Width);
  m_HeightEdit = SizeEdit(resizeBox->GetStaticBox(), kHeightId, &m_Height);
  for (auto [label, edit] : {std::pair{"Width", m_WidthEdit}, std::pair{"Height", m_HeightEdit}}) {
    fields->Add(new wxStaticText(resizeBox->GetStaticBox(), wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(edit);
    fields->Add(new wxStaticText(resizeBox->GetStaticBox(), wxID_ANY, "Pixels"), 0, wxALIGN_CENTER_VERTICAL);
  }
  resizeBox->Add(fields, 0, wxALL, 4);
  auto* preview = new wxButton(resizeBox->GetStaticBox(), kPreviewId, "Preview");
  resizeBox->Add(preview, 0, wxALIGN_CENTER | wxALL, 4);

  auto* rotateBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Rotate");
  auto* left = new wxButton(rotateBox->GetStaticBox(), kRotateLeftId, "Rotate Left");
  auto* right = new wxButton(rotateBox->GetStaticBox(), kRotateRightId, "Rotate Right");
  rotateBox->Add(left, 0, wxALL, 4);
  rotateBox->Add(right, 0, wxALL, 4);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* done = new wxButton(this, wxID_OK, "Done");
  auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
  cancel->SetDefault();
  buttons->Add(done, 0, wxALL, 4);
  buttons->Add(cancel, 0, wxALL, 4);

  auto* side = new wxBoxSizer(wxVERTICAL);
  side->Add(resizeBox, 0, wxEXPAND | wxBOTTOM, 6);
  side->Add(rotateBox, 0, wxEXPAND | wxBOTTOM, 6);
  side->Add(buttons, 0, wxALIGN_RIGHT);
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(previewBox, 0, wxALL, 8);
  top->Add(side, 0, wxALL, 8);
  SetSizerAndFit(top);

  left->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnRotateLeft(); });
  right->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnRotateRight(); });
  preview->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnPreview(); });
  done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDone(); });
}

void CPictureModifyDlg::SetPicture(CDib* picture) {
  m_Picture = picture;
  ShowPictureSize();
}

void CPictureModifyDlg::OnRotateLeft() {
  if (m_Picture && m_Picture->Rotate90()) Rotated(90);
}

void CPictureModifyDlg::OnRotateRight() {
  if (m_Picture && m_Picture->Rotate270()) Rotated(270);
}

void CPictureModifyDlg::Rotated(int degrees) {
  m_Angle = (m_Angle + degrees) % 360;
  m_Modified = true;
  ShowPictureSize();
  Refresh();
}

// The edits always show the picture's present size.
void CPictureModifyDlg::ShowPictureSize() {
  if (!m_Picture) return;
  m_Width = m_Picture->GetWidth();
  m_Height = m_Picture->GetHeight();
  TransferDataToWindow();
  m_Preview->Refresh();
}

bool CPictureModifyDlg::OnPreview() {
  const int keptWidth = m_Width;
  const int keptHeight = m_Height;
  if (!TakeTypedSize()) return false;
  if (!m_Picture) return true;
  if (!m_Picture->Resize(m_Width, m_Height)) {
    m_Width = keptWidth;
    m_Height = keptHeight;
    TransferDataToWindow();
    platform::MessageBox("Change failed!");
    return false;
  }
  m_Modified = true;
  ShowPictureSize();
  Refresh();
  return true;
}

void CPictureModifyDlg::OnDone() {
  if (OnPreview()) EndModal(wxID_OK);
}

bool CPictureModifyDlg::TakeTypedSize() {
  for (wxTextCtrl* field : {m_WidthEdit, m_HeightEdit}) {
    long typed = 0;
    if (field->GetValue().ToLong(&typed) && typed >= kMinSide && typed <= kMaxSide &&
        field->GetValidator()->TransferFromWindow())
      continue;
    platform::MessageBox("Please enter an integer between 100 and 3000.");
    field->SetFocus();
    field->SelectAll();
    return false;
  }
  return true;
}

void CPictureModifyDlg::PaintPreview() {
  wxAutoBufferedPaintDC dc(m_Preview);
  dc.SetBackground(wxBrush(m_Preview->GetBackgroundColour()));
  dc.Clear();
  if (!m_Picture || m_Picture->GetWidth() <= 0 || m_Picture->GetHeight() <= 0) return;
  const wxSize area = m_Preview->GetClientSize();
  const wxSize fitted = FitPreview(m_Picture->GetWidth(), m_Picture->GetHeight(), std::min(area.x, area.y));
  if (fitted.x <= 0 || fitted.y <= 0) return;
  dc.DrawBitmap(wxBitmap(DibToImage(*m_Picture).Scale(fitted.x, fitted.y)), 0, 0);
}
