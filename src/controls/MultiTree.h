#pragma once
// A tree window in which several items can be selected at once: Ctrl+click toggles an item, Shift+click
// selects a span from the anchor, a press in empty space draws a rubber band that selects the rows it
// covers, the arrows move (with Shift: extend). The rules live in multitree::CMultiTreeModel; this window
// draws the visible rows and turns mouse and keys into the model's input. Each change of an item's
// selection is reported to the parent (EVT_MULTITREE_SEL_CHANGING may be vetoed), as are clicks and the
// start of a drag.
#include <wx/event.h>
#include <wx/scrolwin.h>

#include "controlmodel/MultiTreeModel.h"

// The item is the event's int; for SEL_CHANGED the extra long is 1 when selected.
wxDECLARE_EVENT(EVT_MULTITREE_SEL_CHANGING, wxNotifyEvent);
wxDECLARE_EVENT(EVT_MULTITREE_SEL_CHANGED, wxCommandEvent);
wxDECLARE_EVENT(EVT_MULTITREE_CLICK, wxCommandEvent);
wxDECLARE_EVENT(EVT_MULTITREE_RCLICK, wxCommandEvent);
wxDECLARE_EVENT(EVT_MULTITREE_BEGIN_DRAG, wxCommandEvent);
wxDECLARE_EVENT(EVT_MULTITREE_BEGIN_RDRAG, wxCommandEvent);

class CMultiTree : public wxScrolledCanvas, private multitree::MultiTreeObserver {
 public:
  static constexpr int kRowHeight = 20;
  static constexpr int kIndent = 18;

  // style: wxTR_NO_LINES is ignored; wxTR_MULTIPLE is implied. dragDisabled keeps drags from being reported.
  CMultiTree(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, bool dragDisabled = false);
  ~CMultiTree() override;

  multitree::CMultiTreeModel& Model() { return m_model; }
  multitree::ItemId InsertItem(const std::string& text, multitree::ItemId parent = multitree::kNoItem);
  void Expand(multitree::ItemId item, bool expand);
  // The rubber band tests labels only instead of whole rows.
  void SetBandLabel(bool labelsOnly) { m_bandLabel = labelsOnly; }
  // The row and label rectangles of a visible item (client coordinates); empty when it is hidden.
  wxRect GetItemRect(multitree::ItemId item, bool labelOnly) const;
  // The visible item at the client point, none in empty space; onButton tells whether the point is on
  // its expand button, onLabel whether it is on its label.
  multitree::ItemId HitTest(const wxPoint& point, bool* onButton = nullptr, bool* onLabel = nullptr) const;

 private:
  enum class Tracking { None, ClickOrDrag, Band };

  // Observer: selection changes, clicks and drags as events to the parent.
  bool SelChanging(multitree::ItemId item, bool selecting) override;
  void SelChanged(multitree::ItemId item, bool selected) override;
  void Clicked(multitree::Button button) override;
  void BeginDrag(multitree::ItemId item, multitree::Button button) override;

  void OnPaint(wxPaintEvent& event);
  void OnButtonDown(wxMouseEvent& event);
  void OnButtonUp(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void OnFocusChange(wxFocusEvent& event);
  void EndTracking();
  void UpdateBand(const wxPoint& client);
  void UpdateScrollRange();
  int ContentY(int clientY) const;

  multitree::CMultiTreeModel m_model;
  bool m_dragDisabled;
  bool m_bandLabel = false;
  Tracking m_tracking = Tracking::None;
  multitree::Button m_button = multitree::Button::Left;
  multitree::Modifiers m_modifiers;
  multitree::ItemId m_pressed = multitree::kNoItem;
  wxPoint m_pressContent;  // the press point in scrolled (content) coordinates
  wxRect m_band;           // in content coordinates; empty until the band shows
};
