// Runs the computation of the chosen rename type over the picked names.
#pragma once

#include "rules/computation_outcome.h"
#include "rules/program_state.h"
#include "rules/rename_options.h"

namespace rules {

// Builds NewNames from CurrentNames by the computation that
// options.RenameType selects; an unknown type leaves NewNames as it was.
ComputationOutcome ComputeNewNames(const RenameOptions& options, ProgramState& state);

}  // namespace rules
