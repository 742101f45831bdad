#pragma once
// The countries of the global settings page, in the order the settings row's country_index counts them.
// Codes are ISO 3166-1 numbers, except the program's own variants (France2, Japan0..6, the second
// South_Korea, TurKey). Names are shown exactly as written here.
#include <array>
#include <optional>

struct CountryEntry {
  const char* name;
  int code;
};

inline constexpr int kCountryCount = 116;
extern const std::array<CountryEntry, kCountryCount> g_CountryTable;

// The code of row index; none for an index outside the table.
std::optional<int> CountryCodeAt(int index);
