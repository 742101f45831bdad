#pragma once
// How an alert page answers a failed check: it becomes the sheet's page, says why in an error box and
// puts the focus on the field.
#include "alerts/AlertPageRules.h"

class wxWindow;

void ShowAlertPageFailure(wxWindow* page, const alert_pages::Failure& failure);
