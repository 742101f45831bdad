#pragma once
// The fixed list of country names and the numeric codes an AP holds its country as, serving both
// directions: the name a code shows as, and the code a chosen name stands for. Names are spelt exactly as
// the APs' administrators know them from the AP's own pages, underscores and letter case included.
#include <string>
#include <vector>

struct CountryCodeEntry {
  std::string name;
  int code = 0;
};

class CountryCodeTable {
 public:
  CountryCodeTable() { Fill(); }

  // Empties the list and appends the 115 rows in their fixed order.
  void Fill();
  const std::vector<CountryCodeEntry>& Entries() const { return entries_; }
  // The names in table order, as the country box lists them.
  std::vector<std::string> Names() const;
  // The code of the first row with exactly this name (case counts); -1 when none.
  int GetCodeByName(const std::string& name) const;
  // The name of the first row with the code; "unknown" when none.
  std::string GetNameByCode(int code) const;

 private:
  std::vector<CountryCodeEntry> entries_;
};
