#include "rules/replace.h"

#include <cmath>

#include "rules/gbk_text.h"
#include "rules/map_names.h"
#include "rules/replace_all.h"
#include "rules/rename_messages.h"

namespace rules {
namespace {

constexpr double kNthTolerance = 0.0000001;

// Counts occurrences from the left without overlap and replaces the N-th;
// a name with fewer occurrences, or an N that is not a whole number of 1 or
// more, stays as it is.
std::string ReplaceNthFromLeft(std::string_view name, std::string_view search,
                               std::string_view replacement, double nth, bool ignoreCase) {
  const double nameLength = TextLength(name);
  const double searchLength = TextLength(search);
  double found = 0;
  int32_t start = 1;
  while (found - nth <= kNthTolerance) {
    const int position = TextFind(name, search, start, ignoreCase);
    if (position == kNoMatch) break;
    start = Truncate(position + searchLength);
    found += 1;
    if (std::fabs(found - nth) <= kNthTolerance) {
      return TextLeft(name, Truncate(start - 1 - searchLength)) + std::string(replacement) +
             TextRight(name, Truncate(nameLength - start + 1));
    }
  }
  return std::string(name);
}

std::optional<std::string> ReplaceFromLeft(std::string_view name, const ReplaceRule& rule) {
  if (rule.all) {
    return ReplaceAllFromLeft(name, rule.search, rule.replacement, rule.ignoreCase);
  }
  return ReplaceNthFromLeft(name, rule.search, rule.replacement, rule.nth, rule.ignoreCase);
}

bool EndsInLoneLeadByte(std::string_view name) {
  size_t last = 0;
  for (size_t i = 0; i < name.size(); i += IsOperationLeadByte(name[i]) ? 2 : 1) last = i;
  return !name.empty() && last == name.size() - 1 && IsOperationLeadByte(name[last]);
}

ReplaceRule Reversed(const ReplaceRule& rule) {
  ReplaceRule reversed = rule;
  reversed.search = ReverseCharacters(rule.search);
  reversed.replacement = ReverseCharacters(rule.replacement);
  return reversed;
}

ReplaceRule RuleFromOptions(const RenameOptions& options) {
  ReplaceRule rule;
  rule.search = options.SearchText;
  rule.replacement = options.UseReplacement ? options.ReplacementText : std::string();
  rule.all = options.UseReplacement ? options.ReplaceAll : options.DeleteAll;
  rule.nth = TextToNumber(options.NthValue);
  rule.ignoreCase = options.IgnoreCase;
  rule.fromRight = options.SearchFromRight;
  return rule;
}

}  // namespace

std::optional<std::string> ReplaceInName(std::string_view name, const ReplaceRule& rule) {
  if (!rule.fromRight) return ReplaceFromLeft(name, rule);
  // Right to left is left to right on the names read backwards, character
  // by character, so the replacement comes out as typed. A lead byte alone
  // at the end is no character and matches nothing: read backwards it would
  // pair with the byte before it, so it stays aside.
  const size_t body = name.size() - (EndsInLoneLeadByte(name) ? 1 : 0);
  const auto reversedResult = ReplaceFromLeft(ReverseCharacters(name.substr(0, body)), Reversed(rule));
  if (!reversedResult) return std::nullopt;
  return ReverseCharacters(*reversedResult) + std::string(name.substr(body));
}

bool ReplacementKeepsMatching(const ReplaceRule& rule) {
  if (!rule.all || rule.search.empty()) return false;
  const ReplaceRule searched = rule.fromRight ? Reversed(rule) : rule;
  return TextFind(searched.replacement, searched.search, searched.ignoreCase) != kNoMatch;
}

ComputationOutcome ReplaceCharacters(const RenameOptions& options, const NameList& current,
                                     NameList& newNames) {
  const ReplaceRule rule = RuleFromOptions(options);
  std::optional<Notice> refusal;
  if (rule.search.empty()) {
    refusal = Notice{messages::kWarningTitle, messages::kEmptySearchText};
  } else if (ReplacementKeepsMatching(rule)) {
    refusal = Notice{messages::kWarningTitle, messages::kReplacementContainsSearch};
  }
  if (refusal) {
    newNames = current;
    return {NewNamesResult::SetToCurrentNames, refusal};
  }

  bool someNameDidNotEnd = false;
  MapNames(current, newNames, [&](const std::string& name, size_t) {
    auto replaced = ReplaceInName(name, rule);
    if (!replaced) {
      someNameDidNotEnd = true;
      return name;
    }
    return std::move(*replaced);
  });
  ComputationOutcome outcome;
  if (someNameDidNotEnd) outcome.notice = Notice{messages::kWarningTitle, messages::kReplacementDoesNotEnd};
  return outcome;
}

}  // namespace rules
