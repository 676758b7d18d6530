#include "rules/add_delete.h"

#include "rules/gbk_text.h"
#include "rules/map_names.h"

namespace rules {

// Every length is computed as a double and truncated by itself, so that
// positions outside the name clamp at its ends.
std::string AddCharactersToName(std::string_view name, std::string_view text, double position,
                                bool fromRight) {
  const double length = TextLength(name);
  const double keptBefore = fromRight ? length - position : position;
  const double keptAfter = fromRight ? position : length - position;
  return TextLeft(name, Truncate(keptBefore)) + std::string(text) +
         TextRight(name, Truncate(keptAfter));
}

std::string DeleteCharactersFromName(std::string_view name, double position, double count,
                                     bool fromRight) {
  const double length = TextLength(name);
  const double keptBefore = fromRight ? length - position - count : position;
  const double keptAfter = fromRight ? position : length - position - count;
  return TextLeft(name, Truncate(keptBefore)) + TextRight(name, Truncate(keptAfter));
}

ComputationOutcome AddCharacters(const RenameOptions& options, const NameList& current,
                                 NameList& newNames) {
  const double position = TextToNumber(options.AddPosition);
  MapNames(current, newNames, [&](const std::string& name, size_t) {
    return AddCharactersToName(name, options.AddText, position, options.AddFromRight);
  });
  return {};
}

ComputationOutcome DeleteCharacters(const RenameOptions& options, const NameList& current,
                                    NameList& newNames) {
  const double position = TextToNumber(options.DeletePosition);
  const double count = TextToNumber(options.DeleteCount);
  MapNames(current, newNames, [&](const std::string& name, size_t) {
    return DeleteCharactersFromName(name, position, count, options.DeleteFromRight);
  });
  return {};
}

}  // namespace rules
