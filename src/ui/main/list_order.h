// The order of a sorted list box: names compared as the list box compares
// them (the user's locale, letter case ignored).
#pragma once

#include <string>
#include <vector>

namespace ui {

// Sorts GBK names into list-box order; names that compare equal keep their
// order.
void SortLikeListBox(std::vector<std::string>& names);

}  // namespace ui
