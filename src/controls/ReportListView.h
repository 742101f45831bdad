#pragma once
// The virtual list window behind CReportCtrl: it holds no rows of its own and asks the model for every
// text, image, check mark and colour it draws, so large lists cost nothing to fill.
#include <wx/listctrl.h>

#include "listmodel/ReportListModel.h"

class ReportListView : public wxListCtrl {
 public:
  ReportListView(wxWindow* parent, const listmodel::CReportListModel& model, long style);

  // The part of the list that shows the rows (and receives their mouse clicks), and the column header.
  wxWindow* RowsWindow() const;
  wxWindow* HeaderWindow() const;

 protected:
  wxString OnGetItemText(long item, long column) const override;
  int OnGetItemImage(long item) const override;
  int OnGetItemColumnImage(long item, long column) const override;
  bool OnGetItemIsChecked(long item) const override;
  wxItemAttr* OnGetItemColumnAttr(long item, long column) const override;
  wxItemAttr* OnGetItemAttr(long item) const override;

 private:
  const listmodel::CReportListModel& m_model;
  mutable wxItemAttr m_attr;
};

// A model colour as the toolkit's colour, and back.
wxColour ToWxColour(listmodel::ColorRef color);
listmodel::ColorRef ToColorRef(const wxColour& colour);
