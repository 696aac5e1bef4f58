#pragma once
// Texts the main window's loading worker makes from the platform's replies.
#include <vector>

#include "base/text.h"

// The display names of the player's items, in the order of `items` (comma-separated
// identifiers, kept as written), each found in the item file's "identifier=name" lines; spaces
// are removed from a line's identifier part before comparing. Unknown identifiers add nothing.
std::vector<Text> MatchItemNames(const Text& itemFile, const Text& items);

// Country, province, city and isp of the IP-location reply run together, then " IP:" and the ip.
Text IpLocationText(const Text& reply);
