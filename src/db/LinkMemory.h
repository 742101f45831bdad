#pragma once
// The memory of links (device_map_prev): every link ever seen, where a link seen differently at the same
// end replaces the old one, so that a device that left the network keeps its last link.
#include <vector>

#include "db/LinkRow.h"

// Folds the links of the latest pass into the remembered ones. For each current link, the first
// remembered link (in order, links appended by this fold included) that shares an end decides:
//  - same switch port: the link is known when the device end matches too, else it replaces that link;
//  - same device end: it replaces that link;
//  - the current link starts where that link ends: it replaces that link when it leads elsewhere (its
//    device MAC and its device port both differ from the remembered switch's), else it is the same link
//    seen from the other side and is dropped.
// A link that shares no end is appended; a replaced link leaves its place and the new one goes last.
// Texts compare exactly. True when the remembered links changed.
bool FoldLinks(std::vector<LinkRow>& remembered, const std::vector<LinkRow>& current);
