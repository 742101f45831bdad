#pragma once
// The load-balance pane: the load-balance groups as a tree with their APs below them, a row of five
// buttons over it and the summary panel beside it. Its commands (buttons, pop-up menus, and those the AP
// list hands over) ask the user on the UI thread and then do their device work on a worker thread while
// the pane waits with a progress window; the tree shows the groups as the database holds them.
#include <wx/panel.h>
#include <wx/timer.h>
#include <wx/treectrl.h>

#include <functional>
#include <memory>
#include <string>

#include "lbmodel/LoadBalanceCommands.h"
#include "lbmodel/ManagerLoadBalanceService.h"
#include "loadbalance/ui/LoadBalanceJob.h"

class CLoadBalanceListView;
class CProgressWnd;
class wxImageList;
class wxTextCtrl;

class CLoadBalanceTreeView : public wxPanel {
 public:
  enum { IDC_TREE = 1282, IDC_SUMMARY = 1303, kSummaryTimer = 10 };
  static constexpr int kButtonRowHeight = 30;
  static constexpr int kSummaryIntervalMs = 5000;
  // Opens an AP's configuration sheet (previous: its stored configuration) with its address, MAC and caption.
  using ApConfigurationOpener =
      std::function<void(const std::string& ip, const std::string& mac, const std::string& caption, bool previous)>;

  explicit CLoadBalanceTreeView(wxWindow* parent, wxWindowID id = wxID_ANY);
  ~CLoadBalanceTreeView() override;

  // Loads the groups into the tree and gives the buttons their icons and tips.
  void OnInitialUpdate();
  // Reads the groups afresh and rebuilds the tree.
  void RefreshTree();
  // The AP list beside the tree (null: none): join, drops and the list's commands work through it.
  void SetListView(CLoadBalanceListView* list);
  // The main window's load-balance flag: the summary panel is shown (and kept current) while it is set.
  void SetSummaryShown(bool shown);
  void UpdateSummary();
  void SetApConfigurationOpener(ApConfigurationOpener opener) { m_openConfiguration = std::move(opener); }

  // The commands; a command needing a group checks the item last clicked.
  void OnAddGroup();
  void OnAddAp();
  void OnDeleteGroup();
  void OnDeleteGroupAps();
  void OnDeleteApNode();
  void OnRenameGroup();
  void OnSetGroupBalancing(bool on);
  void OnJoinGroup();
  void OnApConfiguration(bool previous);
  // The AP of the AP list's row last right-clicked.
  void OnListApConfiguration(bool previous);

  wxTreeCtrl* Tree() const { return m_tree; }
  wxTextCtrl* Summary() const { return m_summary; }
  CLoadBalanceCommands& Commands() { return m_commands; }
  // The item the user last clicked (invalid: none), as the commands read it.
  wxTreeItemId SelectedItem() const { return m_selected; }
  void SetSelectedItem(const wxTreeItemId& item) { m_selected = item; }
  bool Busy() const { return m_job.Busy(); }

 private:
  void CreateButtons();
  void PlaceControls();
  // Mirrors the commands' tree into the window.
  void ShowTree();
  std::string ItemText(const wxTreeItemId& item) const;
  // The buttons' check: an item is selected and names a group; else the message and false.
  bool CheckGroupSelected();
  // Runs the work off the UI thread; afterwards the tree, the AP list and the summary are shown anew, and
  // the members of shownGroup selected in the AP list.
  void RunCommand(const std::string& title, std::function<bool()> work, const std::string& shownGroup = {});
  void ShowPopup(const wxTreeItemId& item, const wxPoint& where);
  void OnCommand(wxCommandEvent& event);
  void OnTreeLeftDown(wxMouseEvent& event);
  void OnTreeRightDown(wxMouseEvent& event);
  void OnItemActivated(wxTreeEvent& event);
  void OnBeginDrag(wxTreeEvent& event);
  void OnEndDrag(wxTreeEvent& event);

  CManagerLoadBalanceService m_service;
  CLoadBalanceCommands m_commands;
  CLoadBalanceJob m_job{*this};
  wxTreeCtrl* m_tree = nullptr;
  wxTextCtrl* m_summary = nullptr;
  std::unique_ptr<wxImageList> m_images;
  wxTreeItemId m_selected;
  wxTreeItemId m_dragGroup;
  wxLongLong m_lastLeftDown = 0;
  CLoadBalanceListView* m_listView = nullptr;
  CProgressWnd* m_progress = nullptr;
  wxTimer m_summaryTimer{this, kSummaryTimer};
  bool m_summaryShown = false;
  ApConfigurationOpener m_openConfiguration;
};
