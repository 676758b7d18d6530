// Character replacement: every or the N-th occurrence of a search text,
// searched from the left or from the right of the whole name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/computation_outcome.h"
#include "rules/program_state.h"
#include "rules/rename_options.h"

namespace rules {

struct ReplaceRule {
  std::string search;       // never empty
  std::string replacement;  // empty when occurrences are deleted
  bool all = true;          // false: only the N-th occurrence
  double nth = 0;
  bool ignoreCase = true;
  bool fromRight = false;
};

// nullopt when replace-all did not end within kMaxReplacePasses passes.
std::optional<std::string> ReplaceInName(std::string_view name, const ReplaceRule& rule);

// True when replace-all could never end: the replacement, in the direction
// searched, holds the search text under the case rule in force.
bool ReplacementKeepsMatching(const ReplaceRule& rule);

ComputationOutcome ReplaceCharacters(const RenameOptions& options, const NameList& current,
                                     NameList& newNames);

}  // namespace rules
