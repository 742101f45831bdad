#pragma once
// The MACs of an AP's filter list: the APs, the templates and the database spell one MAC with or without
// ':' and in either letter case.
#include <string>

namespace groups {

// A MAC as the filter commands carry it: without ':' and blanks.
std::string FilterMac(const std::string& mac);
// Whether two spellings name one filter MAC: their forms without ':' and blanks, ignoring letter case.
bool SameFilterMac(const std::string& a, const std::string& b);

}  // namespace groups
