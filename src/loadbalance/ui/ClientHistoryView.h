#pragma once
// The client-history pane: every wireless client MAC ever recorded on the left, and on the right the
// association history of the client picked there, for the date and time window chosen in the band at the
// top, one page of up to 100 rows at a time. Export writes the connected-clients report.
#include <wx/panel.h>

#include <string>

#include "controls/ReportCtrl.h"
#include "lbmodel/ClientHistoryPager.h"

class wxBitmapButton;
class wxButton;
class wxDatePickerCtrl;
class wxStaticText;
class wxTimePickerCtrl;

class CClientHistoryView : public wxPanel {
 public:
  enum {
    IDC_BEGIN_DATE = 1249, IDC_END_DATE = 1251, IDC_BEGIN_TIME = 1261, IDC_END_TIME = 1264,
    IDC_QUERY = 1286, IDC_FIRST = 1297, IDC_PREV = 1270, IDC_NEXT = 1295, IDC_LAST = 1296, IDC_RESET = 1298,
    IDC_EXPORT = 1356, IDC_PAGE_LABEL = 1236, IDC_MAC_LIST = 1327, IDC_HISTORY_LIST = 1256
  };
  static constexpr int kBandHeight = 30;

  explicit CClientHistoryView(wxWindow* parent, wxWindowID id = wxID_ANY);

  // Fills the MAC list once and runs the query for its top row.
  void OnInitialUpdate();
  // Checks the window and loads the history of the selected MAC.
  void OnQuery();
  void OnFirstPage();
  void OnPrevPage();
  void OnNextPage();
  void OnLastPage();
  // The connected-clients report.
  void OnExport();

  CReportCtrl& MacList() { return m_macList; }
  CReportCtrl& HistoryList() { return m_historyList; }
  std::string PageLabel() const;
  wxDatePickerCtrl* BeginDate() const { return m_beginDate; }
  wxTimePickerCtrl* BeginTime() const { return m_beginTime; }
  wxDatePickerCtrl* EndDate() const { return m_endDate; }
  wxTimePickerCtrl* EndTime() const { return m_endTime; }
  wxBitmapButton* PagingButton(int id) const;

 private:
  static constexpr int kBeginOffsetSeconds = 86400;  // the begin date starts a day back

  void CreateBand();
  void SetUpLists();
  void FillMacList();
  void ShowPage();
  void ShowButtons();
  void OnMacSelected(wxListEvent& event);
  void OnSize(wxSizeEvent& event);

  wxDatePickerCtrl* m_beginDate = nullptr;
  wxTimePickerCtrl* m_beginTime = nullptr;
  wxDatePickerCtrl* m_endDate = nullptr;
  wxTimePickerCtrl* m_endTime = nullptr;
  wxStaticText* m_pageLabel = nullptr;
  CReportCtrl m_macList;
  CReportCtrl m_historyList;
  CClientHistoryPager m_pager;
  int m_selectedMacRow = 0;
  std::string m_selectedMac;
};
