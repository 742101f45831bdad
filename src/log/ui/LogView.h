#pragma once
// The log browser: the action log or the system log, 50 rows a page, newest first, filtered by level
// (system log only) and by a text that the date and time or the description must contain. It opens on
// the action log, all levels ticked, no filter and an empty filter history.
#include <wx/panel.h>

#include "log/FilterHistory.h"
#include "log/LogBrowser.h"

class wxBitmapButton;
class wxCheckBox;
class wxChoice;
class wxComboBox;
class wxListCtrl;
class wxStaticText;

class CLogView : public wxPanel {
 public:
  enum {
    IDC_FIRST_PAGE = 1230,
    IDC_PREV_PAGE = 1206,
    IDC_NEXT_PAGE = 1209,
    IDC_LAST_PAGE = 1213,
    IDC_SEARCH = 1232,
    IDC_CLEAR_FILTER = 1234,
    IDC_LOG_TYPE = 1228,
    IDC_FILTER_TYPE = 11075,
    IDC_FILTER = 1226,
    IDC_LIST = 1221,
    IDC_PAGE = 1236,
    IDC_LEVEL_LABEL = 1245,
    IDC_CRITICAL = 1238,
    IDC_WARNING = 1243,
    IDC_INFO = 1240,
    IDC_DEBUG = 1242,
  };
  // Where the list begins, below the controls: lower for the system log, whose level boxes show.
  static constexpr int kSystemListTop = 62;
  static constexpr int kActionListTop = 36;

  explicit CLogView(wxWindow* parent, wxWindowID id = wxID_ANY);

  // Reads the controls and shows page 1 of what they select.
  void RefreshLog();
  const CLogBrowser& Browser() const { return m_browser; }
  wxListCtrl* List() const { return m_list; }

 private:
  void BuildControls();
  void LayoutList();
  void ResizeColumns();
  void SetColumns();
  void UpdatePaging();
  void ReadFilter();
  int LevelBits() const;
  void Page(void (CLogBrowser::*move)(LogListTarget&));

  void OnSize(wxSizeEvent& event);
  void OnFilterEditChange(wxCommandEvent& event);
  void OnSearch(wxCommandEvent& event);
  void OnLogTypeChange(wxCommandEvent& event);
  void OnClearFilter(wxCommandEvent& event);

  CLogBrowser m_browser;
  CFilterHistory m_history;
  wxChoice* m_logType = nullptr;
  wxChoice* m_filterType = nullptr;
  wxComboBox* m_filter = nullptr;
  wxBitmapButton* m_first = nullptr;
  wxBitmapButton* m_previous = nullptr;
  wxBitmapButton* m_next = nullptr;
  wxBitmapButton* m_last = nullptr;
  wxBitmapButton* m_search = nullptr;
  wxBitmapButton* m_clearFilter = nullptr;
  wxListCtrl* m_list = nullptr;
  wxStaticText* m_page = nullptr;
  wxStaticText* m_levelLabel = nullptr;
  wxCheckBox* m_levels[4] = {};  // Critical, Warning, Info, Debug
};
