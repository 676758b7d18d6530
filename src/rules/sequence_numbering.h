// Sequence numbering: consecutive numbers in Arabic digits or Chinese
// numerals, optionally bracketed, in front of the name or before its
// extension.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/computation_outcome.h"
#include "rules/program_state.h"
#include "rules/rename_options.h"

namespace rules {

enum NumeralStyle : int { kArabic = 1, kChineseNumerals = 2, kFinancialNumerals = 3 };

// The numeral of one digit value; "错误001" for any value outside 0 to 9.
std::string DigitToNumeral(int style, int32_t digit);
// Every digit followed by the unit of its place; zeros are never dropped.
std::string NumberToNumeral(int style, int32_t number);

struct StemAndExtension {
  std::string stem;
  std::string extension;  // from the last "." on; empty when there is none
};
StemAndExtension SplitAtLastDot(std::string_view name);

ComputationOutcome AddSequenceNumbers(const RenameOptions& options, const NameList& current,
                                      NameList& newNames);

}  // namespace rules
