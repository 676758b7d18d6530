// The natural order of names, and the rows of the shared lists moved into
// a new order together.
#include "rules/natural_order.h"

#include "exec/row_order.h"

#include <gtest/gtest.h>

#include <map>

#include <string>
#include <vector>

#include "rules/program_state.h"
#include "rules/rename_options.h"
#include "rules/sequence_numbering.h"

namespace rules {
namespace {

// The file box's order as these tests model it: ASCII letters without
// their case, every other character by its bytes, after ASCII.
uint32_t ModelRank(std::string_view character) {
  uint32_t bytes = 0;
  for (const char byte : character) bytes = bytes << 8 | static_cast<unsigned char>(byte);
  if (character.size() > 1) return 0x1000 + (bytes & 0x0FFFFFFF);
  return 1 + (bytes >= 'a' && bytes <= 'z' ? bytes - 32 : bytes);
}

int Compare(const std::string& a, const std::string& b) {
  const std::vector<std::string> names = {a, b};  // the keys look into the names
  const NaturalKeys keys(names, ModelRank);
  return keys.Compare(0, 1);
}

const std::string kFourByte = "\x81\x30\x81\x30";  // a GB18030 four-byte code: its 2nd and 4th bytes are "0"

TEST(NaturalOrder, ComparesDigitRunsByTheirValue) {
  struct Row {
    std::string before, after;
  };
  const std::vector<Row> table = {
      {"2", "10"},
      {"1.jpg", "2.jpg"},
      {"2.jpg", "12.jpg"},
      {"a2b", "a10b"},
      {"7", "007"},                       // equal values: fewer leading zeros first
      {"07", "007"},
      {"a007b", "a7c"},                   // the zeros only break a tie
      {"x0", "x00"},
      {std::string(29, '9'), "1" + std::string(29, '0')},  // longer than any integer
      {"1" + std::string(40, '0') + "1", "1" + std::string(40, '0') + "2"},
      {"报告2.doc", "报告10.doc"},
      {"报告10.doc", "总结1.doc"},       // the text first: the characters decide
      {kFourByte + "5", kFourByte + "10"},  // a code's digit bytes are no digits
      {"ABC2", "abc10"},                  // letter case ignored
      {"file2.txt", "file10.jpg"},        // the extension is text like any other
      {"a.txt", "a1.txt"},                // "." before a digit, as the file box has them
      {"a", "a1"},
      {"a1", "a1b"},
      {"", "0"},
  };
  for (const Row& row : table) {
    EXPECT_LT(Compare(row.before, row.after), 0) << row.before << " < " << row.after;
    EXPECT_GT(Compare(row.after, row.before), 0) << row.after << " > " << row.before;
  }
  EXPECT_EQ(Compare("File10.TXT", "file10.txt"), 0);
  EXPECT_EQ(Compare(kFourByte + "1", kFourByte + "1"), 0);
}

TEST(NaturalOrder, TwelvePhotosInTheOrderAPersonReadsThem) {
  std::vector<std::string> names;
  for (int i = 12; i >= 1; --i) names.push_back(std::to_string(i) + ".jpg");
  names.push_back("1.JPG");  // equal to "1.jpg": keeps its place after it
  std::vector<std::string> sorted;
  for (size_t row : NaturalOrder(names, ModelRank)) sorted.push_back(names[row]);
  EXPECT_EQ(sorted, (std::vector<std::string>{"1.jpg", "1.JPG", "2.jpg", "3.jpg", "4.jpg", "5.jpg", "6.jpg",
                                              "7.jpg", "8.jpg", "9.jpg", "10.jpg", "11.jpg", "12.jpg"}));
  std::vector<std::string> backwards;
  for (size_t row : NaturalOrder(names, ModelRank, true)) backwards.push_back(names[row]);
  EXPECT_EQ(backwards.front(), "12.jpg");
  EXPECT_EQ(backwards[11], "1.jpg");  // equal names keep their order backwards too
  EXPECT_EQ(backwards[12], "1.JPG");
}

// Entry k of each list still belongs to the same file, and Undo still takes
// the rows of the last batch backwards.
TEST(NaturalOrder, ReorderMovesTheThreeListsAndUndoOrderTogether) {
  ProgramState state;
  state.CurrentNames = {"x10", "x2", "x1"};
  state.NewNames = {"n10", "n2", "n1"};
  state.UndoNames = {"u10", "u2", "u1"};
  state.UndoOrder = {2, 0, 1};  // the rows holding x1, x10, x2
  state.Reorder(NaturalOrder(state.CurrentNames, ModelRank));
  EXPECT_EQ(state.CurrentNames, (NameList{"x1", "x2", "x10"}));
  EXPECT_EQ(state.NewNames, (NameList{"n1", "n2", "n10"}));
  EXPECT_EQ(state.UndoNames, (NameList{"u1", "u2", "u10"}));
  EXPECT_EQ(state.UndoOrder, (std::vector<size_t>{0, 2, 1}));  // still x1, x10, x2
}

// Numbers go in the order shown: after a natural sort, "2.jpg" is the
// second file and gets the second number, not the fifth.
TEST(NaturalOrder, NumberingFollowsTheOrderShown) {
  ProgramState state;
  state.CurrentNames = {"1.jpg", "10.jpg", "11.jpg", "12.jpg", "2.jpg"};
  state.NewNames = state.UndoNames = state.CurrentNames;
  state.Reorder(NaturalOrder(state.CurrentNames, ModelRank));
  RenameOptions options;
  options.RenameType = kAddSequenceNumber;
  options.NumberStyle = 0;
  options.NumberAtLeft = false;
  options.AddBrackets = true;
  options.BracketType = 0;
  NameList numbered;
  AddSequenceNumbers(options, state.CurrentNames, numbered);
  EXPECT_EQ(numbered, (NameList{"1(1).jpg", "2(2).jpg", "10(3).jpg", "11(4).jpg", "12(5).jpg"}));
}

// A folder whose files have the sizes and times a test gives them.
class FactsFolder final : public exec::FileOperations {
 public:
  std::map<std::string, exec::FileIdentity> files;  // name (upper case) -> size, time
  bool Exists(const std::string&, const std::string&) override { return false; }
  exec::RenameOutcome Rename(const std::string&, const std::string&, const std::string&,
                             const exec::BeforeMiddleName&) override {
    return {};
  }
  exec::FolderListing ListFolder(const std::string&) override {
    exec::FolderListing listing;
    for (const auto& [name, identity] : files) {
      listing.keys.push_back(std::u16string(name.begin(), name.end()));
      listing.identities.push_back(identity);
    }
    return listing;
  }
  std::optional<std::string> NameOnDisk(const std::string&, const std::string&) override { return {}; }
  bool NameKey(std::string_view name, std::u16string& key) override {
    key.clear();
    for (const char c : name) key.push_back(static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 32 : c));
    return true;
  }
};

std::vector<std::string> Shown(const NameList& names, const std::vector<size_t>& order) {
  std::vector<std::string> shown;
  for (size_t row : order) shown.push_back(names[row]);
  return shown;
}

// By time (oldest first) or size (smallest first); ties, then files that
// are not there, in natural order of their names.
TEST(RowOrder, ByTimeAndSizeTiesInNameOrder) {
  FactsFolder folder;
  folder.files = {{"B10", {300, 20, 1}}, {"B2", {100, 30, 2}}, {"A", {100, 20, 3}}, {"C", {50, 10, 4}}};
  ProgramState state;
  state.FolderPath = "C:\\d\\";
  state.CurrentNames = {"b10", "gone", "b2", "a", "c"};
  using exec::FileFact;
  EXPECT_EQ(Shown(state.CurrentNames, exec::OrderByFileFact(state, folder, FileFact::LastWrite, ModelRank)),
            (std::vector<std::string>{"c", "a", "b10", "b2", "gone"}));
  EXPECT_EQ(Shown(state.CurrentNames, exec::OrderByFileFact(state, folder, FileFact::Size, ModelRank)),
            (std::vector<std::string>{"c", "a", "b2", "b10", "gone"}));
}

// Selected rows move one place past their unselected neighbour, a block
// together; at the end of the list they stay. The picked order comes back
// from any order.
TEST(RowOrder, MovesBackwardsAndThePickedOrder) {
  const NameList names = {"0", "1", "2", "3", "4"};
  struct Row {
    bool up;
    std::vector<size_t> selected;
    std::vector<std::string> shown;
  };
  const std::vector<Row> table = {
      {true, {2}, {"0", "2", "1", "3", "4"}},
      {true, {2, 3}, {"0", "2", "3", "1", "4"}},
      {true, {0, 3}, {"0", "1", "3", "2", "4"}},
      {true, {0, 1}, {"0", "1", "2", "3", "4"}},
      {true, {}, {"0", "1", "2", "3", "4"}},
      {false, {2}, {"0", "1", "3", "2", "4"}},
      {false, {1, 2}, {"0", "3", "1", "2", "4"}},
      {false, {4, 1}, {"0", "2", "1", "3", "4"}},
      {false, {3, 4}, {"0", "1", "2", "3", "4"}},
  };
  for (const Row& row : table) {
    const auto order = row.up ? exec::MovedUp(names.size(), row.selected) : exec::MovedDown(names.size(), row.selected);
    EXPECT_EQ(Shown(names, order), row.shown) << (row.up ? "up" : "down") << " " << row.selected.size();
  }
  EXPECT_EQ(Shown(names, exec::Reversed(names.size())), (std::vector<std::string>{"4", "3", "2", "1", "0"}));

  ProgramState state;
  state.CurrentNames = state.NewNames = state.UndoNames = {"x10", "x2", "x1"};
  exec::RowOrigins origins(3);
  for (const auto& order : {NaturalOrder(state.CurrentNames, ModelRank), exec::Reversed(3), exec::MovedUp(3, {2})}) {
    state.Reorder(order);
    origins.Follow(order);
  }
  state.Reorder(origins.Original());
  EXPECT_EQ(state.CurrentNames, (NameList{"x10", "x2", "x1"}));
}

}  // namespace
}  // namespace rules
