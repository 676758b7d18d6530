#include "rules/case_conversion.h"

#include "rules/gbk_text.h"
#include "rules/map_names.h"

namespace rules {

std::optional<std::string> ConvertCaseOfName(std::string_view name, int caseMode) {
  switch (caseMode) {
    case kAllUpper:
      return TextToUpper(name);
    case kAllLower:
      return TextToLower(name);
    case kFirstLetterUpper:
      // Only the first byte is looked at; a lead byte alone is left as it is.
      return TextToUpper(TextLeft(name, 1)) + TextRight(name, Truncate(TextLength(name) - 1.0));
    default:
      return std::nullopt;
  }
}

ComputationOutcome ConvertCase(const RenameOptions& options, const NameList& current,
                               NameList& newNames) {
  if (!ConvertCaseOfName({}, options.CaseMode)) return {NewNamesResult::KeptAsBefore, {}};
  MapNames(current, newNames, [&](const std::string& name, size_t) {
    return *ConvertCaseOfName(name, options.CaseMode);
  });
  return {};
}

}  // namespace rules
