#pragma once
// The CSV text of the reports: a title line, a header line and a line per row, each padded to the widths
// of its kind's format and ended with CR LF.
#include <string>
#include <vector>

#include "db/ClientReportRecord.h"
#include "db/RecorderReportRecord.h"

enum ReportKind { kUsersReport = 1, kTrafficReport = 2, kClientReport = 4, kGroupReport = 5 };

// Clients per AP and round; rounds without a client give no line.
std::string ClientReportCsv(const std::vector<ClientReportRecord>& rows);
// Users (kind 1) or traffic (kind 2) per AP and round, or users per group (kind 5; rows without a group give
// no line).
std::string RecorderReportCsv(int kind, const std::vector<RecorderReportRecord>& rows);
