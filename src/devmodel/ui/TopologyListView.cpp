#include "devmodel/ui/TopologyListView.h"

#include <wx/menu.h>
#include <wx/sizer.h>

#include "controls/ColumnFit.h"
#include "controls/ReportCtrl.h"
#include "controls/ReportListView.h"
#include "db/AccessDatabase.h"
#include "db/ApProperties.h"
#include "devmodel/DeviceCommandIds.h"
#include "devmodel/ui/ApListHeadCustomDlg.h"
#include "devmodel/ui/DeviceIcons.h"
#include "mapmodel/PellionDoc.h"
#include "platform/MessageBox.h"

namespace {

using listmodel::ROW_ANY;
using listmodel::ROW_FOCUSED;
using listmodel::ROW_SELECTED;
using listmodel::ROW_UNSELECTED;

constexpr int kReplacing = 4;
constexpr int kChanged = 3;

}  // namespace

CTopologyListView::CTopologyListView(wxWindow* parent, DeviceViewServices services, bool firmwareInstance)
    : wxPanel(parent, wxID_ANY),
      services_(std::move(services)),
      host_(this, services_),
      commands_(host_),
      firmwareInstance_(firmwareInstance) {
  list_ = new CReportCtrl();
  list_->CreateReportList(this, kListId, nullptr);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(list_, 1, wxEXPAND);
  SetSizer(sizer);
  images_.reset(device_icons::MakeApListImages());
  list_->SetImageList(images_.get());
  list_->SetGridLines(true);

  wxWindow* rows = list_->GetListView()->RowsWindow();
  rows->Bind(wxEVT_RIGHT_DOWN, &CTopologyListView::OnRowsRightDown, this);
  rows->Bind(wxEVT_LEFT_DCLICK, &CTopologyListView::OnRowsDoubleClick, this);
  if (wxWindow* header = list_->GetHeaderCtrl()) header->Bind(wxEVT_RIGHT_UP, &CTopologyListView::OnHeaderRightUp, this);
  list_->GetListView()->Bind(wxEVT_LIST_COL_END_DRAG, &CTopologyListView::OnColumnResized, this);
  Bind(wxEVT_MENU, &CTopologyListView::OnCommand, this);

  ApListFilter filter;
  HeaderFilter header;
  if (firmwareInstance_) {
    filter.managedOnly = 1;
  } else if (services_.readHeaderFilter && services_.readHeaderFilter(header)) {
    filter = {header.column, CHeaderBarModel::StoredFilterValue(header.column, header.text), header.managedOnly};
  }
  model_.LoadDefaultColumns();
  // The filter is stored without a fill; ReloadList fills once.
  model_.SetFilter(filter);
  ReloadList();
  if (services_.document) SelectRow(model_.FindRowByKey(services_.document->GetSelectedDeviceMac()));
}

CTopologyListView::~CTopologyListView() {
  if (!services_.document) return;
  const std::vector<std::string> macs = SelectedMacs();
  services_.document->SetSelectedDeviceMac(macs.empty() ? std::string() : macs.front());
}

wxMenu* CTopologyListView::MakeMenu(int menu) {
  auto* popup = new wxMenu;
  if (menu == kHeaderMenu) {
    popup->Append(devcmd::MenuItemId(devcmd::kListCustomColumns), "Custom ...");
    return popup;
  }
  popup->Append(devcmd::MenuItemId(devcmd::kListConfiguration), "Configuration");
  popup->Append(devcmd::MenuItemId(devcmd::kListReloadPrevious), "Reload Previous Configuration");
  popup->Append(devcmd::MenuItemId(devcmd::kListSaveToDatabase), "Save To Database");
  popup->Append(devcmd::MenuItemId(devcmd::kListDeleteFromDatabase), "Delete From Database");
  popup->Append(devcmd::MenuItemId(devcmd::kListReplace), "Replace");
  return popup;
}

void CTopologyListView::ReloadList() {
  const std::vector<std::string> selected = SelectedMacs();
  model_.Reload();
  list_->DeleteAllItems();
  list_->RemoveAllColumns();
  for (size_t i = 0; i < model_.Headings().size(); ++i) list_->InsertColumn(static_cast<int>(i), model_.Headings()[i]);
  ShowRows();
  SizeColumns();
  if (list_->GetColumnCount() > 0 && list_->GetItemCount() > 0) list_->SortItems(0, true);
  if (!selected.empty()) SelectRow(model_.FindRowByKey(selected.front()));
}

void CTopologyListView::SizeColumns() {
  const size_t rows = model_.Rows().size();
  int imageWidth = 0, imageHeight = 0;
  images_->GetSize(0, imageWidth, imageHeight);
  for (size_t column = 0; column < model_.Headings().size(); ++column) {
    const std::string& heading = model_.Headings()[column];
    auto known = columnWidths_.find(heading);
    int width = known != columnWidths_.end() ? known->second : 0;
    if (!width) {
      std::vector<std::string> texts;
      texts.reserve(rows);
      for (const ApListViewRow& row : model_.Rows()) texts.push_back(row.cells[column].text);
      width = ColumnWidthForTexts(*list_->GetListView(), heading, std::move(texts), column == 0 ? imageWidth : 0);
      // Fitted to rows, the width stays; fitted to the heading alone, the first rows fit it again.
      if (rows > 0) columnWidths_[heading] = width;
    }
    list_->GetListView()->SetColumnWidth(static_cast<int>(column), width);
  }
}

void CTopologyListView::OnColumnResized(wxListEvent& event) {
  event.Skip();
  // The list takes the new width after telling of it.
  CallAfter([this, column = event.GetColumn()] {
    if (column < 0 || column >= list_->GetColumnCount()) return;
    columnWidths_[list_->GetColumnHeading(column)] = list_->GetListView()->GetColumnWidth(column);
  });
}

void CTopologyListView::SetFilter(const std::string& column, const std::string& text, int managedOnly) {
  const std::vector<std::string> selected = SelectedMacs();
  model_.SetFilter({column, text, managedOnly});
  ShowRows();
  if (!selected.empty()) SelectRow(model_.FindRowByKey(selected.front()));
}

void CTopologyListView::RefreshView(bool) { ReloadList(); }

void CTopologyListView::ShowRows() {
  list_->DeleteAllItems();
  for (size_t i = 0; i < model_.Rows().size(); ++i) ShowRow(static_cast<int>(i));
}

// Appends the model's row; the item's data is the row's index in the model.
void CTopologyListView::ShowRow(int index) {
  const ApListViewRow& row = model_.Rows()[index];
  const int item = list_->InsertItem(list_->GetItemCount(), row.cells[0].text, row.image,
                                     static_cast<std::uintptr_t>(index));
  for (size_t column = 0; column < row.cells.size(); ++column) {
    if (column > 0) list_->SetItemText(item, static_cast<int>(column), row.cells[column].text);
    list_->SetItemBkColor(item, static_cast<int>(column), ToColorRef(device_icons::ShadeColour(row.cells[column].shade)),
                          false);
  }
  list_->SetItemImage(item, 0, row.image);
}

std::vector<int> CTopologyListView::SelectedRows() const {
  std::vector<int> rows;
  for (int item = 0; item < list_->GetItemCount(); ++item)
    if (list_->RowMatchesStates(item, ROW_SELECTED)) rows.push_back(item);
  return rows;
}

std::vector<std::string> CTopologyListView::SelectedMacs() const {
  std::vector<std::string> macs;
  for (int item : SelectedRows()) macs.push_back(model_.Rows().at(list_->GetItemData(item)).mac);
  return macs;
}

void CTopologyListView::SelectRow(int index) {
  if (index < 0) return;
  for (int item = 0; item < list_->GetItemCount(); ++item) {
    if (static_cast<int>(list_->GetItemData(item)) != index) continue;
    list_->ApplyRowStates(item, ROW_SELECTED | ROW_FOCUSED);
    return;
  }
}

bool CTopologyListView::GetSelectedAps(std::vector<std::string>& macs) {
  for (const std::string& mac : SelectedMacs()) macs.push_back(mac);
  if (!macs.empty()) return true;
  platform::MessageBox("Please select AP!");
  return false;
}

bool CTopologyListView::GetSelectedApsForUpgrade(std::vector<std::string>& ips) {
  std::string hardware;
  bool first = true;
  for (const std::string& mac : SelectedMacs()) {
    CApProperties properties;
    CAccessDatabase().GetApProperty(properties, mac, 0);
    if (first) hardware = properties.enterpriseAPSysHWid;
    first = false;
    if (properties.enterpriseAPSysHWid != hardware) {
      platform::MessageBox("have different model, cannot upgrade together!");
      return false;
    }
    ips.push_back(properties.ip);
  }
  if (!ips.empty()) return true;
  platform::MessageBox("Please select AP!");
  return false;
}

void CTopologyListView::OnCommand(wxCommandEvent& event) {
  const std::vector<std::string> macs = SelectedMacs();
  switch (devcmd::CommandOfMenuItem(event.GetId())) {
    case devcmd::kListConfiguration: commands_.ListConfiguration(macs, false); break;
    case devcmd::kListReloadPrevious: commands_.ListConfiguration(macs, true); break;
    case devcmd::kListReplace: commands_.ListReplace(macs); break;
    case devcmd::kListSaveToDatabase: {
      const std::vector<int> items = SelectedRows();
      commands_.ListSave(macs, [&](size_t i) {
        const int index = static_cast<int>(list_->GetItemData(items[i]));
        if (!model_.RefreshSavedRow(index)) return;
        const ApListViewRow& row = model_.Rows()[index];
        for (size_t column = 0; column < row.cells.size(); ++column) {
          list_->SetItemText(items[i], static_cast<int>(column), row.cells[column].text);
          list_->SetItemBkColor(items[i], static_cast<int>(column),
                                ToColorRef(device_icons::ShadeColour(RowShade::Window)), false);
        }
        list_->SetItemImage(items[i], 0, row.image);
      });
      break;
    }
    case devcmd::kListDeleteFromDatabase: {
      const std::vector<int> items = SelectedRows();
      commands_.ListDelete(macs, [&](const std::vector<size_t>& deleted) {
        std::vector<int> indexes;
        for (size_t i : deleted) indexes.push_back(static_cast<int>(list_->GetItemData(items[i])));
        for (auto i = deleted.rbegin(); i != deleted.rend(); ++i) list_->DeleteItem(items[*i]);
        model_.RemoveRows(indexes);
        // Item data are model indexes: renumber what stays.
        ShowRows();
      });
      break;
    }
    case devcmd::kListCustomColumns: CustomColumns(); break;
    case devcmd::kListResetFilter: SetFilter(model_.Filter().column, model_.Filter().text, model_.Filter().managedOnly); break;
    default: event.Skip();
  }
}

void CTopologyListView::CustomColumns() {
  CApListHeadCustomDlg dialog(this);
  dialog.SetColumns(model_.DefaultColumns(), model_.CustomColumns());
  if (dialog.ShowModal() == wxID_OK) ReloadList();
}

void CTopologyListView::OnRowsRightDown(wxMouseEvent& event) {
  // The menu acts on the selection: a row outside it becomes the selection first, while a click on a
  // selected row keeps a selection of several.
  int flags = 0;
  const long item = list_->GetListView()->HitTest(event.GetPosition(), flags);
  if (item < 0 && SelectedRows().empty()) return;
  if (item >= 0 && !list_->RowMatchesStates(static_cast<int>(item), ROW_SELECTED)) {
    list_->ApplyStatesToMatchingRows(ROW_SELECTED, ROW_UNSELECTED);
    list_->ApplyRowStates(static_cast<int>(item), ROW_SELECTED | ROW_FOCUSED);
  }
  std::unique_ptr<wxMenu> menu(MakeMenu(kRowMenu));
  PopupMenu(menu.get(), ScreenToClient(list_->GetListView()->RowsWindow()->ClientToScreen(event.GetPosition())));
}

void CTopologyListView::OnHeaderRightUp(wxMouseEvent& event) {
  std::unique_ptr<wxMenu> menu(MakeMenu(kHeaderMenu));
  PopupMenu(menu.get(), ScreenToClient(list_->GetHeaderCtrl()->ClientToScreen(event.GetPosition())));
  event.Skip();
}

void CTopologyListView::OnRowsDoubleClick(wxMouseEvent& event) {
  event.Skip();  // the list's own handling first
  int flags = 0;
  if (list_->GetListView()->HitTest(event.GetPosition(), flags) < 0) return;
  CallAfter([this] { OpenSelected(); });
}

void CTopologyListView::OpenSelected() {
  const std::vector<std::string> macs = SelectedMacs();
  if (macs.empty()) return;
  const int status = model_.Rows()[model_.FindRowByKey(macs.front())].status;
  if (status == kChanged)
    commands_.ListConfiguration(macs, true);
  else if (status == kReplacing)
    commands_.ListReplace(macs);
  else
    commands_.ListConfiguration(macs, false);
}

wxWindow* CTopologyListView::PeerWindow() { return list_->GetListView()->RowsWindow(); }

int CTopologyListView::RowAt(const wxPoint& clientPoint) {
  int flags = 0;
  return static_cast<int>(list_->GetListView()->HitTest(clientPoint, flags));
}

std::string CTopologyListView::MacOfRow(int row) {
  if (row < 0 || row >= list_->GetItemCount()) return {};
  return model_.Rows().at(list_->GetItemData(row)).mac;
}

void CTopologyListView::SetDropHighlight(int row, bool on) {
  if (row < 0 || row >= list_->GetItemCount()) return;
  list_->GetListView()->SetItemState(row, on ? wxLIST_STATE_DROPHILITED : 0, wxLIST_STATE_DROPHILITED);
}
