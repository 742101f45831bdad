#pragma once
// The report list of the trap view, under a name of its own.
#include "controls/ReportCtrl.h"

class CTrapListCtrl : public CReportCtrl {};
