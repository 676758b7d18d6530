#pragma once

#include <cstddef>
#include <string>

#include "rules/program_state.h"

namespace rules {

// newNames[i] := perName(current[i], i) for every entry. Each entry's
// previous text goes as its new one comes, so 100,000 names never stand
// in memory twice; should a computation fail part way, no new names are
// left at all (a batch then renames nothing) rather than some of them.
template <typename PerName>
void MapNames(const NameList& current, NameList& newNames, PerName perName) {
  newNames.resize(current.size());
  try {
    for (size_t i = 0; i < current.size(); ++i) newNames[i] = perName(current[i], i);
  } catch (...) {
    newNames.clear();
    throw;
  }
}

}  // namespace rules
