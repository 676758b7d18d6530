#pragma once

#include <string>

#include "exec/rename_plan.h"
#include "rules/program_state.h"

namespace exec {

// Why the batch will fail on `row`, in one short sentence for the
// preview's tip; empty for a row that is not marked. `current` names the
// row that a duplicate loses its name to.
std::string MarkReason(const RenamePlan& plan, size_t row, const rules::NameList& current);

}  // namespace exec
