// Case conversion of the ASCII letters of whole names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/computation_outcome.h"
#include "rules/program_state.h"
#include "rules/rename_options.h"

namespace rules {

// nullopt when `caseMode` is none of the three modes.
std::optional<std::string> ConvertCaseOfName(std::string_view name, int caseMode);

ComputationOutcome ConvertCase(const RenameOptions& options, const NameList& current,
                               NameList& newNames);

}  // namespace rules
