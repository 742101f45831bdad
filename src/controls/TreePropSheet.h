#pragma once
// A property sheet whose pages are chosen in a tree on its left instead of tabs. A page's caption is its
// path in the tree; a node that has no page of its own shows the frame's empty-page text instead, and the
// caption strip above the page area names the node chosen. Ctrl+Tab and Ctrl+Shift+Tab walk the nodes.
#include <wx/dialog.h>
#include <wx/imaglist.h>
#include <wx/treectrl.h>

#include <memory>
#include <vector>

#include "controlmodel/PageTree.h"
#include "controls/PropPageFrame.h"
#include "controls/TreePropPage.h"

class CTreePropSheet : public wxDialog {
 public:
  static constexpr int kTreeId = 0x7EEE;
  // The frame takes any id: wxWidgets refuses ids above 0x7FFF.
  static constexpr int kFrameId = wxID_ANY;

  CTreePropSheet();
  CTreePropSheet(const std::string& caption, wxWindow* parent = nullptr, int selectPage = 0);
  ~CTreePropSheet() override;

  bool Create(const std::string& caption, wxWindow* parent = nullptr, int selectPage = 0);

  // Pages are made with the sheet as their parent; the sheet owns them.
  void AddPage(CTreePropPage* page);
  void RemovePage(int index);
  bool SetActivePage(int index);
  int GetActiveIndex() const { return active_; }
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CTreePropPage* GetPage(int index) const { return pages_[index]; }

  // Only before the window is shown.
  bool SetTreeViewMode(bool treeMode = true, bool pageCaption = false, bool treeImages = false);
  bool SetTreePaneWidth(int width);
  void SetEmptyPageText(const std::string& format) { emptyPageText_ = format; }
  // Only once the window exists; returns the flags before.
  int SetEmptyPageDrawFlags(int flags);
  // Two images: for nodes without a page, and for pages without an image of their own.
  bool SetFallbackImages(const wxImageList& images);
  bool SetFallbackImages(const wxBitmap& strip, int imageWidth, const wxColour& mask);
  wxTreeCtrl* PageTreeControl() const { return tree_; }
  CPropPageFrame* PageFrame() const { return frame_; }
  const CPageTree& Tree() const { return model_; }

  static bool AttachPageIcon(CTreePropPage* page, const wxIcon& icon);
  static bool AttachPageIcon(CTreePropPage* page, const wxImageList& images, int index);
  static bool ReleasePageIcon(CTreePropPage* page);

  void SelectNextNode();
  void SelectPreviousNode();
  int SelectedNode() const;

 protected:
  virtual std::string FormatNoPageMessage(const std::string& format, const std::string& nodeText);
  virtual wxTreeCtrl* MakeTreeControl();
  virtual CPropPageFrame* MakePageFrame();

 private:
  bool HasWindow() const { return initialised_; }
  void OnInitDialog(wxInitDialogEvent& event);
  void OnSelChanging(wxTreeEvent& event);
  void OnSelChanged(wxTreeEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void LayoutSheet();
  void RebuildPageTree();
  int FindPageNode(int page) const { return model_.FindPageNode(page); }
  void SelectPageNode(int page);
  void SelectActivePageNode() { SelectPageNode(active_); }
  bool ActivatePage(int index);
  bool DeactivateCurrentPage();
  void UpdateFrameCaption();
  void SelectNode(int node);
  int NodeOf(const wxTreeItemId& item) const;
  wxSize PageAreaSize() const;

  bool treeMode_ = true;
  bool pageCaption_ = false;
  bool treeImages_ = false;
  bool initialised_ = false;
  bool guard_ = false;
  wxTreeCtrl* tree_ = nullptr;
  CPropPageFrame* frame_ = nullptr;  // a child window of the sheet, which destroys it
  std::unique_ptr<wxImageList> treeImageList_;
  std::unique_ptr<wxImageList> defaultImages_;
  std::string emptyPageText_;
  int treeWidth_ = 150;
  int stripHeight_ = 0;

  std::vector<CTreePropPage*> pages_;
  int active_ = 0;
  CPageTree model_;
  std::vector<wxTreeItemId> items_;  // the tree item of each model node
};
