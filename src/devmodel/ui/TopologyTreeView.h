#pragma once
// The device tree pane: the tree control filling the pane, the commands of its context menus (by the
// device kind of the item) and the rebuild that keeps the selected device.
#include <wx/panel.h>

#include <memory>

#include "devmodel/DeviceCommands.h"
#include "devmodel/PortStateReader.h"
#include "devmodel/ui/DeviceViewServices.h"
#include "uibase/FrameView.h"

class CTopologyTreeCtrl;
class CTopologyTreeItem;

class CTopologyTreeView : public wxPanel, public IFrameView {
 public:
  static constexpr int kTreeId = 1137;
  // The context menus: AP, switch, any other device.
  static constexpr int kApMenu = 125;
  static constexpr int kSwitchMenu = 142;
  static constexpr int kOtherMenu = 340;

  // portStates: the spanning-tree reader of the redundant links; by default over SNMP.
  CTopologyTreeView(wxWindow* parent, DeviceViewServices services,
                    std::unique_ptr<IPortStateReader> portStates = std::make_unique<CSnmpPortStateReader>());
  ~CTopologyTreeView() override;

  void ReloadTree();
  void RefreshView(bool fullReload) override;
  CTopologyTreeCtrl* Tree() const { return tree_; }
  static wxMenu* MakeMenu(int menu);

 private:
  void ShowItemMenu(const CTopologyTreeItem& item);
  SelectedDevice SelectedDeviceOf() const;
  void OnCommand(wxCommandEvent& event);

  DeviceViewServices services_;
  CDeviceViewsHost host_;
  CDeviceCommands commands_;
  std::unique_ptr<IPortStateReader> portStates_;
  CTopologyTreeCtrl* tree_ = nullptr;
};
