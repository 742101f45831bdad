#include "controls/PellionView.h"

CPellionView::CPellionView(wxWindow* parent, wxWindowID id) : wxWindow(parent, id) {}
