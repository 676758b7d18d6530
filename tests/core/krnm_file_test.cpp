#include "params/krnm_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace params {
namespace {

std::vector<std::string> ReadAll(std::string_view bytes, int lines) {
  KrnmReader reader(bytes);
  std::vector<std::string> read;
  for (int i = 0; i < lines; ++i) read.push_back(reader.NextLine());
  return read;
}

TEST(KrnmFile, TheExampleByteForByte) {
  rules::RenameOptions o;
  o.RenameType = rules::kAddCharacters;
  o.AddText = "ABC";
  o.AddPosition = "2";
  o.AddFromRight = true;
  o.SearchText = "-";
  o.ReplacementText = "_";
  o.NumberStyle = 0;
  o.StartNumber = "1";
  o.BracketType = 0;
  EXPECT_EQ(BuildKrnmFile(o),
            "KRNM\r\n请勿修改本文件内容，否则后果自负！！\r\n"
            "1\r\nABC\r\n2\r\n1\r\n\r\n\r\n0\r\n1\r\n0\r\n-\r\n_\r\n0\r\n0\r\n0\r\n\r\n1\r\n1\r\n1\r\n"
            "0\r\n0\r\n1\r\n");
}

TEST(KrnmFile, TwoWayOptionsAreStoredTheOtherWayRound) {
  rules::RenameOptions o;
  o.UseReplacement = false;
  o.ReplaceAll = false;
  o.DeleteAll = false;
  o.NumberAtLeft = false;
  o.RenameType = 0;
  o.CaseMode = 0;
  for (int p : {12, 13, 14, 19}) EXPECT_EQ(WriteParameter(o, p), "1") << p;
  for (int p : {1, 16, 17, 21}) EXPECT_EQ(WriteParameter(o, p), "") << p;  // nothing chosen
}

TEST(KrnmReader, LineEnds) {
  EXPECT_EQ(ReadAll("a\r\nb\nc\r", 4), (std::vector<std::string>{"a", "b", "c\r", ""}));
  EXPECT_EQ(ReadAll("a\r\r\nb", 2), (std::vector<std::string>{"a\r", "b"}));
  EXPECT_EQ(ReadAll("", 2), (std::vector<std::string>{"", ""}));
  // A double-byte character whose second byte is LF or a zero byte is not a line end.
  EXPECT_EQ(ReadAll(std::string("\x81\nx\ny", 5), 2), (std::vector<std::string>{"\x81\nx", "y"}));
  EXPECT_EQ(ReadAll(std::string("\x81\0x\ny", 5), 2), (std::vector<std::string>{std::string("\x81\0x", 3), "y"}));
}

TEST(KrnmReader, ZeroByteOrByte26EndsTheReadableData) {
  EXPECT_EQ(ReadAll(std::string("ab\0cd\nef\n", 9), 3), (std::vector<std::string>{"ab", "", ""}));
  EXPECT_EQ(ReadAll("a\nb\x1A" "c\nd\n", 4), (std::vector<std::string>{"a", "b", "", ""}));
}

// A line keeps its first kLongestLine bytes (whole characters); the rest
// is read past, so the next line is still found.
TEST(KrnmReader, LongLinesKeepTheirBeginning) {
  const std::string longest(kLongestLine, 'x');
  EXPECT_EQ(ReadAll(longest + "\r\nnext", 2), (std::vector<std::string>{longest, "next"}));
  const std::string huge = std::string(kLongestLine - 1, 'x') + "\xB1\xA8" + std::string(4'000'000, 'y');
  EXPECT_EQ(ReadAll(huge + "\r\nnext", 2),
            (std::vector<std::string>{std::string(kLongestLine - 1, 'x'), "next"}));
}

// A file of `start` and then `rest` bytes "z", made as it is read, and
// counted.
class LongSource final : public ByteSource {
 public:
  LongSource(std::string start, size_t rest) : start_(std::move(start)), size_(start_.size() + rest) {}
  size_t Read(char* buffer, size_t size) override {
    const size_t count = std::min(size, size_ - given_);
    for (size_t i = 0; i < count; ++i) buffer[i] = given_ + i < start_.size() ? start_[given_ + i] : 'z';
    given_ += count;
    return count;
  }
  size_t given() const { return given_; }

 private:
  std::string start_;
  size_t size_, given_ = 0;
};

// Loading reads no further than the lines it applies, and a line without
// an end costs bounded memory.
TEST(KrnmReader, ReadsOnlyAsFarAsTheLinesAskedFor) {
  LongSource source("KRNM\r\nwarning\r\n1\r\n", size_t{1} << 30);  // a gigabyte more
  KrnmReader reader(source);
  EXPECT_EQ(reader.NextLine(), "KRNM");
  EXPECT_EQ(reader.NextLine(), "warning");
  EXPECT_EQ(reader.NextLine(), "1");
  EXPECT_LE(source.given(), size_t{1} << 16);

  LongSource line("", size_t{100} << 20);
  KrnmReader longReader(line);
  EXPECT_EQ(longReader.NextLine().size(), kLongestLine);
  EXPECT_EQ(longReader.NextLine(), "");
}

// Applies the lines of a file body (P1 onwards) to `o`.
void ApplyLines(rules::RenameOptions& o, std::string_view body) {
  KrnmReader reader(body);
  for (int p = 1; p <= kParameterCount; ++p) ApplyParameter(o, p, reader.NextLine());
}

TEST(ApplyParameter, SaveThenLoadRestoresEveryValue) {
  for (int type = 1; type <= 5; ++type) {
    for (int item = 0; item < 6; ++item) {
      rules::RenameOptions saved;
      saved.RenameType = type;
      saved.AddText = "文件 x";
      saved.AddPosition = "-3";
      saved.AddFromRight = type % 2;
      saved.DeleteCount = "7";
      saved.DeletePosition = "2";
      saved.DeleteFromRight = !(type % 2);
      saved.IgnoreCase = item % 2;
      saved.SearchFromRight = true;
      saved.SearchText = "第";
      saved.ReplacementText = "章";
      saved.UseReplacement = item % 2;
      saved.ReplaceAll = !(item % 2);
      saved.DeleteAll = item > 2;
      saved.NthValue = "2";
      saved.CaseMode = item % 3 + 1;
      saved.NumberStyle = item % 3;
      saved.AddBrackets = item != 4;
      saved.BracketType = item;
      saved.StartNumber = "99999";
      saved.NumberAtLeft = item < 3;
      rules::RenameOptions loaded;
      const std::string file = BuildKrnmFile(saved);
      KrnmReader reader(file);
      ASSERT_EQ(reader.NextLine(), kTagLine);
      ASSERT_EQ(reader.NextLine(), kWarningLine);
      for (int p = 1; p <= kParameterCount; ++p) ApplyParameter(loaded, p, reader.NextLine());
      EXPECT_EQ(BuildKrnmFile(loaded), BuildKrnmFile(saved)) << type << " " << item;
    }
  }
}

TEST(ApplyParameter, FileEndingAfterP8AppliesEmptyValues) {
  rules::RenameOptions o;
  o.SearchFromRight = true;
  o.SearchText = "s";
  o.ReplacementText = "r";
  o.NthValue = "3";
  o.StartNumber = "5";
  o.CaseMode = rules::kAllLower;
  o.NumberStyle = 2;
  o.BracketType = 4;
  ApplyLines(o, "2\r\nA\r\n1\r\n1\r\n4\r\n5\r\n1\r\n0\r\n");
  EXPECT_EQ(o.RenameType, rules::kDeleteCharacters);
  EXPECT_FALSE(o.IgnoreCase);
  EXPECT_FALSE(o.SearchFromRight);
  EXPECT_EQ(o.SearchText + o.ReplacementText + o.NthValue + o.StartNumber, "");
  EXPECT_FALSE(o.UseReplacement);  // 单选框直接删除 checked
  EXPECT_FALSE(o.ReplaceAll);      // 单选框替换第N checked
  EXPECT_FALSE(o.DeleteAll);       // 单选框删除第N checked
  EXPECT_FALSE(o.NumberAtLeft);    // 单选框序号居右 checked
  EXPECT_TRUE(o.AddBrackets);
  EXPECT_EQ(o.CaseMode, rules::kAllLower);  // empty values change nothing here
  EXPECT_EQ(o.NumberStyle, 2);
  EXPECT_EQ(o.BracketType, 4);
}

TEST(ApplyParameter, ValuesOutsideTheListedOnes) {
  rules::RenameOptions o;
  for (const char* odd : {"0", "7", "1 ", " 1", "01", "x", "12", ""}) {
    ApplyParameter(o, 1, odd);
    ApplyParameter(o, 16, odd);
    ApplyParameter(o, 17, odd);
    ApplyParameter(o, 21, odd);
  }
  EXPECT_EQ(o.RenameType, 1);
  EXPECT_EQ(o.CaseMode, 1);
  EXPECT_EQ(o.NumberStyle, -1);
  EXPECT_EQ(o.BracketType, -1);
  ApplyParameter(o, 4, "yes");
  EXPECT_FALSE(o.AddFromRight);  // checked only by "1"
  ApplyParameter(o, 20, "yes");
  EXPECT_TRUE(o.AddBrackets);  // unchecked only by "0"
  ApplyParameter(o, 12, "2");
  EXPECT_FALSE(o.UseReplacement);  // true only by "0"
  ApplyParameter(o, 21, "6");
  EXPECT_EQ(o.BracketType, 5);
}

// Each row of the table names its own place in the options, of its kind,
// and every value of it is written and read back there and nowhere else.
TEST(ParameterTable, EveryParameterOwnsOnePlaceAndComesBack) {
  using K = Parameter::Kind;
  std::set<std::ptrdiff_t> places;  // where in the options, by offset
  for (int p = 1; p <= kParameterCount; ++p) {
    SCOPED_TRACE(p);
    const Parameter& row = kParameters[static_cast<size_t>(p - 1)];
    rules::RenameOptions probe;
    const void* place = row.text ? static_cast<const void*>(&(probe.*row.text))
                        : row.flag ? static_cast<const void*>(&(probe.*row.flag))
                                   : static_cast<const void*>(&(probe.*row.number));
    EXPECT_EQ((row.text != nullptr) + (row.flag != nullptr) + (row.number != nullptr), 1);
    EXPECT_EQ(row.text != nullptr, row.kind == K::Text);
    EXPECT_EQ(row.number != nullptr, row.kind == K::Radio || row.kind == K::ListItem);
    EXPECT_TRUE(places.insert(static_cast<const char*>(place) - reinterpret_cast<const char*>(&probe)).second);

    const int values = row.number ? row.count : row.flag ? 2 : 1;
    for (int value = 0; value < values; ++value) {
      rules::RenameOptions saved, loaded;
      if (row.text) saved.*row.text = "值" + std::to_string(p);
      if (row.flag) saved.*row.flag = value == 1;
      if (row.number) saved.*row.number = value + (row.kind == K::Radio ? 1 : 0);
      ApplyParameter(loaded, p, WriteParameter(saved, p));
      EXPECT_EQ(BuildKrnmFile(loaded), BuildKrnmFile(saved)) << value;
      // Nothing else changed: every other line reads as in fresh options.
      for (int other = 1; other <= kParameterCount; ++other) {
        if (other != p) EXPECT_EQ(WriteParameter(loaded, other), WriteParameter({}, other)) << other;
      }
    }
  }
  EXPECT_EQ(places.size(), static_cast<size_t>(kParameterCount));
}

}  // namespace
}  // namespace params
