#include "controls/TreePropSheet.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>

#include "controlmodel/PropertyPath.h"
#include "controls/PropPageFrameDefault.h"

namespace {
constexpr int kMargin = 6;
constexpr int kTreeGap = 5;
constexpr int kDefaultImageSize = 20;
const wxSize kMinimumPageArea(320, 220);
}  // namespace

CTreePropSheet::CTreePropSheet() = default;

CTreePropSheet::CTreePropSheet(const std::string& caption, wxWindow* parent, int selectPage) {
  Create(caption, parent, selectPage);
}

CTreePropSheet::~CTreePropSheet() {
  if (tree_) tree_->SetImageList(nullptr);  // the list goes with the sheet, before the tree
}

bool CTreePropSheet::Create(const std::string& caption, wxWindow* parent, int selectPage) {
  if (!wxDialog::Create(parent, wxID_ANY, wxString::FromUTF8(caption))) return false;
  active_ = selectPage;
  new wxButton(this, wxID_OK, "OK");
  new wxButton(this, wxID_CANCEL, "Cancel");
  Bind(wxEVT_INIT_DIALOG, &CTreePropSheet::OnInitDialog, this);
  Bind(wxEVT_CHAR_HOOK, &CTreePropSheet::OnCharHook, this);
  Bind(wxEVT_TREE_SEL_CHANGING, &CTreePropSheet::OnSelChanging, this, kTreeId);
  Bind(wxEVT_TREE_SEL_CHANGED, &CTreePropSheet::OnSelChanged, this, kTreeId);
  return true;
}

bool CTreePropSheet::SetTreeViewMode(bool treeMode, bool pageCaption, bool treeImages) {
  wxCHECK_MSG(!HasWindow(), false, "the tree mode is set before the sheet is shown");
  treeMode_ = treeMode;
  if (treeMode) {
    pageCaption_ = pageCaption;
    treeImages_ = treeImages;
  }
  return true;
}

bool CTreePropSheet::SetTreePaneWidth(int width) {
  wxCHECK_MSG(!HasWindow(), false, "the tree width is set before the sheet is shown");
  treeWidth_ = width;
  return true;
}

int CTreePropSheet::SetEmptyPageDrawFlags(int flags) {
  wxCHECK_MSG(frame_, 0, "the page frame exists once the sheet is shown");
  const int previous = frame_->NoPageMessageFlags();
  frame_->SetNoPageMessageFlags(flags);
  return previous;
}

bool CTreePropSheet::SetFallbackImages(const wxImageList& images) {
  if (images.GetImageCount() != 2) return false;
  const wxSize size = images.GetSize();
  defaultImages_ = std::make_unique<wxImageList>(size.x, size.y, true, 2);
  for (int i = 0; i < 2; ++i) defaultImages_->Add(images.GetBitmap(i));
  if (HasWindow()) RebuildPageTree();
  return true;
}

bool CTreePropSheet::SetFallbackImages(const wxBitmap& strip, int imageWidth, const wxColour& mask) {
  if (!strip.IsOk() || imageWidth <= 0 || strip.GetWidth() != 2 * imageWidth) {
    defaultImages_.reset();
    return false;
  }
  defaultImages_ = std::make_unique<wxImageList>(imageWidth, strip.GetHeight(), true, 2);
  defaultImages_->Add(strip, mask);
  return true;
}

bool CTreePropSheet::AttachPageIcon(CTreePropPage* page, const wxIcon& icon) {
  if (!page || !icon.IsOk()) return false;
  page->icon_ = icon;
  page->useIcon_ = true;
  return true;
}

bool CTreePropSheet::AttachPageIcon(CTreePropPage* page, const wxImageList& images, int index) {
  if (index < 0 || index >= images.GetImageCount()) return false;
  return AttachPageIcon(page, images.GetIcon(index));
}

bool CTreePropSheet::ReleasePageIcon(CTreePropPage* page) {
  if (!page || !page->useIcon_ || !page->icon_.IsOk()) return false;
  page->icon_ = wxNullIcon;
  page->useIcon_ = false;
  return true;
}

std::string CTreePropSheet::FormatNoPageMessage(const std::string& format, const std::string& nodeText) {
  return ::FormatNoPageMessage(format, nodeText);
}

wxTreeCtrl* CTreePropSheet::MakeTreeControl() { return new wxTreeCtrl; }

CPropPageFrame* CTreePropSheet::MakePageFrame() { return new CPropPageFrameDefault; }

void CTreePropSheet::AddPage(CTreePropPage* page) {
  pages_.push_back(page);
  if (!HasWindow()) return;
  page->Reparent(frame_->FrameWindow());
  if (treeMode_) {
    RebuildPageTree();
    SelectActivePageNode();
  }
}

void CTreePropSheet::RemovePage(int index) {
  if (index < 0 || index >= GetPageCount()) return;
  pages_[index]->Destroy();
  pages_.erase(pages_.begin() + index);
  if (active_ >= GetPageCount()) active_ = std::max(0, GetPageCount() - 1);
  if (!HasWindow()) return;
  if (GetPageCount() > 0) ActivatePage(active_);
  if (treeMode_) {
    RebuildPageTree();
    SelectActivePageNode();
  }
}

bool CTreePropSheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return false;
  if (!HasWindow()) {
    active_ = index;
    return true;
  }
  if (!ActivatePage(index)) return false;
  if (treeMode_) {
    SelectActivePageNode();
    UpdateFrameCaption();
  }
  return true;
}

wxSize CTreePropSheet::PageAreaSize() const {
  wxSize area = kMinimumPageArea;
  for (const CTreePropPage* page : pages_) area.IncTo(page->GetBestSize());
  return area;
}

void CTreePropSheet::OnInitDialog(wxInitDialogEvent& event) {
  event.Skip();
  if (initialised_) return;  // the toolkit initialises a dialog at every Show
  if (treeMode_) {
    const wxSize size = defaultImages_ ? defaultImages_->GetSize() : wxSize(kDefaultImageSize, kDefaultImageSize);
    treeImageList_ = std::make_unique<wxImageList>(size.x, size.y, true, 1);
  }
  frame_ = MakePageFrame();
  if (!frame_->CreateFrameWindow(wxCLIP_SIBLINGS, wxRect(), this, kFrameId)) {
    delete frame_;
    frame_ = nullptr;
    return;
  }
  wxClientDC dc(this);
  stripHeight_ = dc.GetTextExtent("Mg").y + 8;  // the height of a tab's row
  frame_->EnableCaption(pageCaption_);
  frame_->SetCaptionStripHeight(stripHeight_);
  if (treeMode_) {
    tree_ = MakeTreeControl();
    tree_->Create(this, kTreeId, wxDefaultPosition, wxDefaultSize,
                  wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN,
                  wxDefaultValidator, "PageTree");
    tree_->AddRoot(wxString());
    if (treeImages_) tree_->SetImageList(treeImageList_.get());
  }
  for (CTreePropPage* page : pages_) page->Reparent(frame_->FrameWindow());
  initialised_ = true;
  LayoutSheet();
  if (active_ < 0 || active_ >= GetPageCount()) active_ = 0;
  if (GetPageCount() > 0) ActivatePage(active_);
  if (treeMode_) {
    RebuildPageTree();
    SelectActivePageNode();
    UpdateFrameCaption();
  }
  FindWindow(wxID_OK)->SetLabel("OK");
  FindWindow(wxID_CANCEL)->SetLabel("Cancel");
}

void CTreePropSheet::LayoutSheet() {
  const wxSize pageArea = PageAreaSize();
  const int captionHeight = pageCaption_ ? stripHeight_ + 1 : 0;
  const int left = kMargin + (tree_ ? treeWidth_ : 0);
  const wxRect frame(left, kMargin, pageArea.x, pageArea.y + captionHeight);
  frame_->FrameWindow()->SetSize(frame);
  if (tree_) tree_->SetSize(kMargin, kMargin, treeWidth_ - kTreeGap, frame.height);
  wxWindow* ok = FindWindow(wxID_OK);
  wxWindow* cancel = FindWindow(wxID_CANCEL);
  const wxSize button = ok->GetBestSize();
  const int buttonTop = frame.GetBottom() + 1 + kMargin;
  cancel->SetSize(frame.GetRight() + 1 - button.x, buttonTop, button.x, button.y);
  ok->SetSize(frame.GetRight() + 1 - 2 * button.x - kMargin, buttonTop, button.x, button.y);
  SetClientSize(frame.GetRight() + 1 + kMargin, buttonTop + button.y + kMargin);
  const wxRect message = frame_->MessageRect();
  for (CTreePropPage* page : pages_) page->SetSize(message);
  CentreOnParent();
}

void CTreePropSheet::RebuildPageTree() {
  if (!HasWindow() || !tree_) return;
  guard_ = true;  // emptying the tree changes its selection; that is no choice of the user's
  tree_->DeleteChildren(tree_->GetRootItem());
  items_.clear();
  CPageTree::Images images;
  if (treeImages_) {
    treeImageList_->RemoveAll();
    for (const CTreePropPage* page : pages_)
      images.tabImages.push_back(page->HasIcon() ? treeImageList_->Add(page->Icon()) : -1);
    if (defaultImages_)
      for (int i = 0; i < 2; ++i) treeImageList_->Add(defaultImages_->GetBitmap(i));
    images.count = treeImageList_->GetImageCount();
    images.defaults = defaultImages_ != nullptr;
  }
  std::vector<std::string> captions;
  for (const CTreePropPage* page : pages_) captions.push_back(page->Caption());
  model_.Rebuild(captions, treeImages_ ? &images : nullptr);
  // A parent node always comes before its children.
  for (int node = 0; node < model_.NodeCount(); ++node) {
    const PageTreeNode& entry = model_.Node(node);
    const wxTreeItemId parent = entry.parent == CPageTree::kRoot ? tree_->GetRootItem() : items_[entry.parent];
    items_.push_back(tree_->AppendItem(parent, wxString::FromUTF8(entry.text), entry.image, entry.image));
  }
  tree_->ExpandAll();
  guard_ = false;
}

int CTreePropSheet::NodeOf(const wxTreeItemId& item) const {
  auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

int CTreePropSheet::SelectedNode() const { return tree_ ? NodeOf(tree_->GetSelection()) : -1; }

void CTreePropSheet::SelectNode(int node) {
  if (node >= 0 && node < static_cast<int>(items_.size())) tree_->SelectItem(items_[node]);
}

void CTreePropSheet::SelectPageNode(int page) {
  if (tree_) SelectNode(FindPageNode(page));
}

bool CTreePropSheet::ActivatePage(int index) {
  if (index < 0 || index >= GetPageCount()) return false;
  CTreePropPage* next = pages_[index];
  if (index == active_ && next->IsShown()) return true;
  if (active_ >= 0 && active_ < GetPageCount() && pages_[active_]->IsShown()) {
    if (!pages_[active_]->OnKillActive()) return false;
    pages_[active_]->Hide();
  }
  active_ = index;
  next->SetSize(frame_->MessageRect());
  next->Show();
  return true;
}

// Hides the page while a node without a page is chosen; the page stays the active one.
bool CTreePropSheet::DeactivateCurrentPage() {
  if (active_ < 0 || active_ >= GetPageCount() || !pages_[active_]->IsShown()) return true;
  if (!pages_[active_]->OnKillActive()) return false;
  pages_[active_]->Hide();
  return true;
}

void CTreePropSheet::OnSelChanging(wxTreeEvent& event) {
  if (guard_) return;
  guard_ = true;
  const int node = NodeOf(event.GetItem());
  const int page = node >= 0 ? model_.Node(node).page : -1;
  const bool done = page < 0 || page >= GetPageCount() ? DeactivateCurrentPage() : ActivatePage(page);
  if (!done) event.Veto();
  tree_->SetFocus();
  guard_ = false;
}

void CTreePropSheet::OnSelChanged(wxTreeEvent&) { UpdateFrameCaption(); }

void CTreePropSheet::UpdateFrameCaption() {
  if (!frame_ || !tree_) return;
  const int node = SelectedNode();
  if (node < 0) return;
  const bool pageShown = active_ >= 0 && active_ < GetPageCount() && pages_[active_]->IsShown();
  const std::string text = model_.Node(node).text;
  if (!pageShown) frame_->SetNoPageMessage(FormatNoPageMessage(emptyPageText_, text));
  if (!frame_->HasCaptionStrip()) return;
  wxIcon icon;
  const int image = model_.Node(node).image;
  if (treeImages_) {
    if (image >= 0 && image < treeImageList_->GetImageCount()) icon = treeImageList_->GetIcon(image);
  } else if (pageShown && pages_[active_]->HasIcon()) {
    icon = pages_[active_]->Icon();
  }
  frame_->SetHeading(text, icon);
}

void CTreePropSheet::SelectNextNode() {
  if (!HasWindow()) return;
  if (!tree_) {
    if (active_ >= 0 && active_ < GetPageCount()) SetActivePage((active_ + 1) % GetPageCount());
    return;
  }
  SelectNode(model_.NextNode(SelectedNode()));
}

void CTreePropSheet::SelectPreviousNode() {
  if (!HasWindow()) return;
  if (!tree_) {
    if (active_ >= 0 && active_ < GetPageCount()) SetActivePage((active_ + GetPageCount() - 1) % GetPageCount());
    return;
  }
  SelectNode(model_.PreviousNode(SelectedNode()));
}

void CTreePropSheet::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_TAB && event.ControlDown()) {
    if (event.ShiftDown())
      SelectPreviousNode();
    else
      SelectNextNode();
    return;
  }
  event.Skip();
}
