#pragma once
// The client list's filters: the columns a filter may compare (the only names that reach a statement),
// and the texts of the radio mode codes.
#include <optional>
#include <string>

struct ClientFilterType {
  const char* item;    // the text in the filter-type box
  const char* column;  // the column it filters on
};

inline constexpr int kClientFilterTypeCount = 4;
inline constexpr ClientFilterType kClientFilterTypes[kClientFilterTypeCount] = {
    {"AP IP Address", "ip"}, {"Client MAC", "mac_client"}, {"RSSI", "RSSI_client"}, {"Mode", "mode_client"}};
inline constexpr int kModeFilterType = 3;

// The column with its table ("device_list_prev.ip", "client_connect_ap.mac_client", ...); none for a name
// that is not one of the filter columns.
std::optional<std::string> QualifiedFilterColumn(const std::string& column);
// "g-mode", "b-mode", "turbo-g-mode" for "1", "2", "3"; "" for any other code.
std::string ModeText(const std::string& code);
// The code of a mode text; "" for any other text.
std::string ModeCode(const std::string& text);
