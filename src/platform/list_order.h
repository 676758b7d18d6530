// The order of a sorted list box: names compared as the list box compares
// them (the user's locale, letter case ignored).
#pragma once

#include <string>
#include <vector>

#include "rules/natural_order.h"

namespace platform {

// Sorts names into list-box order; names that compare equal keep their
// order, and a name that is there already (byte for byte) is dropped.
// (Equal names compare equal, so the sort brings them together: no set of
// all names is needed, which matters at a million.)
void SortLikeListBox(std::vector<std::string>& names);

// The rank of every character of `names` in the list box's order (letter
// case ignored), for their natural order.
rules::CharacterRank ListBoxRanks(const std::vector<std::string>& names);

}  // namespace platform
