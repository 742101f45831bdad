#include "app/LanManagementView.h"

CLanManagementView::CLanManagementView(wxWindow* parent) : wxTreeCtrl(parent, wxID_ANY) {}
