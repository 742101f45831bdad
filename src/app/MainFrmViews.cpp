// The lower pane's view switch, the refresh of the views, the device-event counters and the notices.
#include <wx/aui/aui.h>

#include "app/MainFrm.h"
#include "app/NoticePopup.h"
#include "app/ViewFactories.h"
#include "controls/SplitterWndEx.h"
#include "loadbalance/ui/LoadBalanceTreeView.h"
#include "log/ui/LogView.h"
#include "mainmodel/ui/EventDlg.h"
#include "map/MapViewFactory.h"
#include "map/TopologyVisualView.h"
#include "mapmodel/PellionDoc.h"
#include "platform/DebugTrace.h"
#include "uibase/FrameView.h"
#include "usage/ui/ClientView.h"

void CMainFrame::SwitchView(int number) {
  const ViewSwitchPlan plan = controller_->PlanSwitch(number);
  if (!plan.layoutOnly) {
    ApplyHeaderHeight(plan.layout.headerHeight, plan.layout.thinBars);
    if (plan.thinInnerBars) {
      innerSplitter_->AllowResize(false);
      innerSplitter_->HideBars();
    }
    // The old view goes first, so no member points to it whatever happens next.
    wxWindow* previous = innerSplitter_->GetWindow1();
    view_ = nullptr;
    controller_->ViewShown(0);
    const ViewFactory make = FindViewFactory(number);
    wxWindow* created = make ? make(innerSplitter_) : nullptr;
    wxWindow* next = created ? created : defaultView_;  // an empty pane when the view failed
    if (previous != next) {
      innerSplitter_->ReplaceWindow(previous, next);
      if (previous == defaultView_)
        previous->Hide();
      else
        previous->Destroy();
    }
    next->Show();
    if (!created) {
      DebugTrace("Failed to create %s\n", plan.layout.className);
      return;
    }
    view_ = created;
    controller_->ViewShown(number);
  }
  aui_.Update();
  Layout();
}

void CMainFrame::SelectView(int number) {
  if (number == selectedView_) return;
  selectedView_ = number;
  SwitchView(0);
}

bool CMainFrame::SetPlotMode(int mode) {
  plotChoice_.plotMode = mode;
  return true;
}

void CMainFrame::OpenApSheet(const std::string& ip, const std::string& mac, const std::string& caption,
                             ApSheetMode mode) {
  OpenApConfiguration(this, ip, mac, mode, caption,
                      [this](const CApSetTask& task, const std::string& title) { StartApSetJob(task, title); });
}

GroupViewServices CMainFrame::GroupServices() {
  // The sheet opens on its first page whichever page the view names.
  return {[this](const std::string& group) { StartApplyGroupTemplate(group); },
          [this](const std::string& ip, const std::string& mac, const std::string& caption, int) {
            OpenApSheet(ip, mac, caption, ApSheetMode::kCurrent);
          },
          [this](const std::string& ip, const std::string& mac, const std::string& caption, int) {
            OpenApSheet(ip, mac, caption, ApSheetMode::kPrevious);
          }};
}

CLoadBalanceTreeView::ApConfigurationOpener CMainFrame::LoadBalanceConfigurationOpener() {
  return [this](const std::string& ip, const std::string& mac, const std::string& caption, bool previous) {
    OpenApSheet(ip, mac, caption, previous ? ApSheetMode::kPrevious : ApSheetMode::kCurrent);
  };
}

void CMainFrame::RefreshAllViews(bool fullReload) {
  if (auto* clients = dynamic_cast<CClientView*>(view_)) clients->RefreshList();
  if (auto* shown = dynamic_cast<IFrameView*>(view_)) shown->RefreshView(fullReload);
  if (auto* tree = dynamic_cast<CLoadBalanceTreeView*>(view_)) tree->RefreshTree();
  if (auto* log = dynamic_cast<CLogView*>(view_)) log->RefreshLog();
  // A map view refreshes itself above, and a map opened later loads the document afresh. Without one the
  // document still follows a full reload, as the switch sheet reads its devices and links; device states
  // alone wait for the next map.
  if (fullReload && !dynamic_cast<CTopologyVisualView*>(view_)) GetPellionDoc().RefreshFromDatabase();
  UpdateEventCounters();
}

void CMainFrame::UpdateEventCounters() {
  const EventCounts counts = controller_->CountEvents();
  if (eventDlg_) {
    eventDlg_->SetChangedAp(std::to_string(counts.changedAp));
    eventDlg_->SetNewAp(std::to_string(counts.newAp));
    eventDlg_->SetReplacedAp(std::to_string(counts.replacedAp));
    eventDlg_->SetUnknownDevice(std::to_string(counts.unknownDevice));
    eventDlg_->SetNewSwitch(std::to_string(counts.newSwitch));
    eventDlg_->SetManagedSwitch(std::to_string(counts.managedSwitch));
    eventDlg_->SetManagedAp(std::to_string(counts.managedAp));
  }
  const std::array<bool, kNoticeCount> show = DecideNotices(counts.changedAp, counts.replacedAp);
  // Hide before show, so at most one notice is up at any moment.
  for (int kind = 0; kind < kNoticeCount; ++kind)
    if (!show[kind]) ShowNotice(static_cast<NoticeKind>(kind), false);
  for (int kind = 0; kind < kNoticeCount; ++kind)
    if (show[kind]) ShowNotice(static_cast<NoticeKind>(kind), true);
}

void CMainFrame::ShowNotice(NoticeKind kind, bool show) {
  CNoticePopup*& notice = notices_[static_cast<int>(kind)];
  if (!show) {
    if (notice) notice->Hide();
    return;
  }
  if (!notice) {
    notice = new CNoticePopup(this, kind,
                              {[this](const wxPoint& where) { noticePosition_ = where; },
                               [this, kind] { notices_[static_cast<int>(kind)] = nullptr; }});
  }
  notice->ShowAt(noticePosition_);
  noticeTimer_.StartOnce(kNoticeTimeoutMs);
}

void CMainFrame::HideNotices() {
  for (CNoticePopup* notice : notices_)
    if (notice) notice->Hide();
  noticeTimer_.Stop();
}
