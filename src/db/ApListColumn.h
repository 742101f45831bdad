#pragma once
// One column the administrator chose for the AP list: the property it shows and its header text.
#include <string>

struct ApListColumn {
  std::string field_name;    // an ap_property column or one of the device fields
  std::string display_name;  // the header text
};
