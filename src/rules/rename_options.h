// The 21 rename options held by the Edit window's controls, gathered into
// one value at the moment an operation reads them. Numbers stay as the
// typed texts; each computation reads them with TextToNumber.
#pragma once

#include <string>

namespace rules {

enum RenameTypeValue : int {
  kAddCharacters = 1,
  kDeleteCharacters = 2,
  kReplaceCharacters = 3,
  kConvertCase = 4,
  kAddSequenceNumber = 5,
};

enum CaseModeValue : int { kAllUpper = 1, kAllLower = 2, kFirstLetterUpper = 3 };

constexpr int kNoSelection = -1;

struct RenameOptions {
  int RenameType = kAddCharacters;
  std::string AddText;
  std::string AddPosition;
  bool AddFromRight = false;
  std::string DeleteCount;
  std::string DeletePosition;
  bool DeleteFromRight = false;
  bool IgnoreCase = true;
  bool SearchFromRight = false;
  std::string SearchText;
  bool UseReplacement = true;
  std::string ReplacementText;
  bool ReplaceAll = true;
  bool DeleteAll = true;
  std::string NthValue;
  int CaseMode = kAllUpper;
  int NumberStyle = kNoSelection;  // item of the style list: 0, 1, 2
  bool AddBrackets = false;
  int BracketType = kNoSelection;  // item of the bracket list: 0 to 5
  std::string StartNumber;
  bool NumberAtLeft = true;
};

}  // namespace rules
