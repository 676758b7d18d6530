#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "rules/program_state.h"

namespace rules {

// newNames[i] := perName(current[i], i) for every entry; the previous
// contents are replaced at once.
template <typename PerName>
void MapNames(const NameList& current, NameList& newNames, PerName perName) {
  NameList result;
  result.reserve(current.size());
  for (size_t i = 0; i < current.size(); ++i) result.push_back(perName(current[i], i));
  newNames = std::move(result);
}

}  // namespace rules
