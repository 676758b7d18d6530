#include "rules/compute_new_names.h"

#include "rules/add_delete.h"
#include "rules/case_conversion.h"
#include "rules/replace.h"
#include "rules/sequence_numbering.h"

namespace rules {

ComputationOutcome ComputeNewNames(const RenameOptions& options, ProgramState& state) {
  switch (options.RenameType) {
    case kAddCharacters:
      return AddCharacters(options, state.CurrentNames, state.NewNames);
    case kDeleteCharacters:
      return DeleteCharacters(options, state.CurrentNames, state.NewNames);
    case kReplaceCharacters:
      return ReplaceCharacters(options, state.CurrentNames, state.NewNames);
    case kConvertCase:
      return ConvertCase(options, state.CurrentNames, state.NewNames);
    case kAddSequenceNumber:
      return AddSequenceNumbers(options, state.CurrentNames, state.NewNames);
    default:
      return {NewNamesResult::KeptAsBefore, {}};
  }
}

}  // namespace rules
