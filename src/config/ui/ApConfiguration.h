#pragma once
// The entry points that open one AP's configuration sheet from the device views and the main frame. Each
// loads the configuration, shows the sheet modally and, on OK, hands the change list to startJob (the main
// frame's StartApSetJob). They return 1 when the user confirmed with OK, else 0.
#include <wx/window.h>

#include <functional>
#include <string>

#include "config/ApSetThread.h"
#include "config/ApSheetContext.h"

// Starts the AP-set job of the task; caption titles its progress window.
using ApSetJobStarter = std::function<void(const CApSetTask& task, const std::string& caption)>;

// The AP's configuration as the database knows it, or as the AP reports it when nothing is stored.
int ShowApConfiguration(wxWindow* parent, const std::string& ip, const std::string& mac, const std::string& caption,
                        const ApSetJobStarter& startJob);
// The configuration stored before the AP changed, to send back to it.
int ShowApPreviousConfiguration(wxWindow* parent, const std::string& ip, const std::string& mac,
                                const std::string& caption, const ApSetJobStarter& startJob);
// A replaced AP's configuration for the AP that took its place.
int ReplaceApConfiguration(wxWindow* parent, const std::string& newIp, const std::string& newMac,
                           const std::string& replacedMac, const ApSetJobStarter& startJob);

// One door for the three: mode picks the entry point; replacedMac is read only for the replacement.
int OpenApConfiguration(wxWindow* parent, const std::string& ip, const std::string& mac, ApSheetMode mode,
                        const std::string& caption, const ApSetJobStarter& startJob,
                        const std::string& replacedMac = {});
