#include "rules/case_conversion.h"

#include <gtest/gtest.h>

namespace rules {
namespace {

NameList Converted(int caseMode, const NameList& current) {
  RenameOptions options;
  options.CaseMode = caseMode;
  NameList newNames;
  EXPECT_EQ(ConvertCase(options, current, newNames).newNames, NewNamesResult::Computed);
  return newNames;
}

// 0x81 0x61 and 0x81 0x41: double-byte characters whose trail bytes are letters.
const std::string kLowerTrail = "\x81\x61";
const std::string kUpperTrail = "\x81\x41";

TEST(ConvertCase, AllUpper) {
  EXPECT_EQ(Converted(kAllUpper, {"MyFile.txt", "报告a.doc", kLowerTrail + "b"}),
            (NameList{"MYFILE.TXT", "报告A.DOC", kLowerTrail + "B"}));
}

TEST(ConvertCase, AllLower) {
  EXPECT_EQ(Converted(kAllLower, {"MyFile.TXT", kUpperTrail + "B"}),
            (NameList{"myfile.txt", kUpperTrail + "b"}));
}

TEST(ConvertCase, FirstLetterUpperLooksAtTheFirstByteOnly) {
  EXPECT_EQ(Converted(kFirstLetterUpper,
                      {"myFILE.txt", "1abc.txt", "报告.txt", "_abc", "", "a", kLowerTrail}),
            (NameList{"MyFILE.txt", "1abc.txt", "报告.txt", "_abc", "", "A", kLowerTrail}));
}

TEST(ConvertCase, UnknownModeLeavesNewNamesAsTheyWere) {
  RenameOptions options;
  options.CaseMode = 0;
  NameList newNames{"kept"};
  EXPECT_EQ(ConvertCase(options, {"a"}, newNames).newNames, NewNamesResult::KeptAsBefore);
  EXPECT_EQ(newNames, NameList{"kept"});
}

}  // namespace
}  // namespace rules
