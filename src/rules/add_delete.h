// Adding characters at, and deleting characters from, a byte position
// counted from either end of the whole name.
#pragma once

#include <string>
#include <string_view>

#include "rules/computation_outcome.h"
#include "rules/program_state.h"
#include "rules/rename_options.h"

namespace rules {

std::string AddCharactersToName(std::string_view name, std::string_view text, double position,
                                bool fromRight);
std::string DeleteCharactersFromName(std::string_view name, double position, double count,
                                     bool fromRight);

ComputationOutcome AddCharacters(const RenameOptions& options, const NameList& current,
                                 NameList& newNames);
ComputationOutcome DeleteCharacters(const RenameOptions& options, const NameList& current,
                                    NameList& newNames);

}  // namespace rules
