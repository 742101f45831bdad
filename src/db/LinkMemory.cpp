#include "db/LinkMemory.h"

namespace {

bool SameSourceEnd(const LinkRow& a, const LinkRow& b) { return a.src_mac == b.src_mac && a.src_port == b.src_port; }
bool SameDestEnd(const LinkRow& a, const LinkRow& b) { return a.dest_mac == b.dest_mac && a.dest_port == b.dest_port; }

enum class Verdict { NoMatch, Known, Replace };

Verdict Compare(const LinkRow& remembered, const LinkRow& link) {
  if (SameSourceEnd(remembered, link)) return SameDestEnd(remembered, link) ? Verdict::Known : Verdict::Replace;
  if (SameDestEnd(remembered, link)) return Verdict::Replace;
  if (link.src_mac == remembered.dest_mac && link.src_port == remembered.dest_port) {
    const bool leadsElsewhere = link.dest_mac != remembered.src_mac && link.dest_port != remembered.src_port;
    return leadsElsewhere ? Verdict::Replace : Verdict::Known;
  }
  return Verdict::NoMatch;
}

}  // namespace

bool FoldLinks(std::vector<LinkRow>& remembered, const std::vector<LinkRow>& current) {
  bool changed = false;
  for (const LinkRow& link : current) {
    Verdict verdict = Verdict::NoMatch;
    auto it = remembered.begin();
    for (; it != remembered.end(); ++it) {
      verdict = Compare(*it, link);
      if (verdict != Verdict::NoMatch) break;
    }
    if (verdict == Verdict::Known) continue;
    if (verdict == Verdict::Replace) remembered.erase(it);
    remembered.push_back(link);
    changed = true;
  }
  return changed;
}
