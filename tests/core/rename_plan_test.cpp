// The plan of a batch on a simulated folder: verdicts, order, cycles, and
// random batches that must never lose or replace a file.
#include "exec/rename_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "exec/mark_reason.h"
#include "exec/rename_run.h"
#include "exec/plain_name.h"
#include "recording_window.h"
#include "rules/compute_new_names.h"
#include "simulated_folder.h"
#include "unicode_folder.h"

namespace exec {
namespace {

using testing_support::BatchRename;
using testing_support::RecordingWindow;
using testing_support::UndoLastBatch;
using testing_support::SimulatedFolder;
using V = Verdict;

constexpr char kFolder[] = "C:\\d\\";

struct Row {
  std::string from, to;
};

class PlanTest : public testing::Test {
 protected:
  // Picked rows (their files exist unless listed in `missing`) and other
  // entries of the folder that are not picked.
  RenamePlan Plan(const std::vector<Row>& rows, const std::vector<std::string>& others = {},
                  const std::vector<std::string>& missing = {}) {
    current.clear();
    targets.clear();
    for (const Row& row : rows) {
      current.push_back(row.from);
      targets.push_back(row.to);
      files.files[kFolder + row.from] = row.from;
    }
    for (const std::string& name : others) files.files[kFolder + name] = "other " + name;
    for (const std::string& name : missing) files.files.erase(kFolder + name);
    return PlanRenames(files.ListFolder(kFolder), current, targets, ListOrder(rows.size()), files);
  }
  // The plan's steps as "row" or "row>parking name".
  static std::vector<std::string> Steps(const RenamePlan& plan) {
    std::vector<std::string> steps;
    for (const RenameStep& step : plan.steps) {
      const std::string& parkAs = ParkingName(plan.parkingNames, step);
      steps.push_back(std::to_string(step.row) + (parkAs.empty() ? "" : ">" + parkAs));
    }
    return steps;
  }

  SimulatedFolder files;
  rules::NameList current, targets;
};

TEST_F(PlanTest, ChainsOfEveryLengthWaitForTheFileAhead) {
  for (size_t length = 1; length <= 5; ++length) {
    // "a" -> "aa", "aa" -> "aaa", ...: each target held by the next row.
    std::vector<Row> rows;
    std::vector<std::string> steps;
    for (size_t i = 1; i <= length; ++i) {
      rows.push_back({std::string(i, 'a'), std::string(i + 1, 'a')});
      steps.insert(steps.begin(), std::to_string(i - 1));
    }
    files.files.clear();
    const RenamePlan plan = Plan(rows);
    EXPECT_EQ(plan.verdicts, std::vector<V>(length, V::Deliverable)) << length;
    EXPECT_EQ(Steps(plan), steps) << length;
  }
}

TEST_F(PlanTest, IndependentRowsKeepListOrder) {
  const RenamePlan plan = Plan({{"b", "y"}, {"a", "x"}, {"c", "z"}});
  EXPECT_EQ(Steps(plan), (std::vector<std::string>{"0", "1", "2"}));
}

TEST_F(PlanTest, CyclesParkOneFileUnderANameThatTellsWhatItWas) {
  EXPECT_EQ(Steps(Plan({{"a", "b"}, {"b", "a"}, {"z", "y"}})),
            (std::vector<std::string>{"0>a.~改名中", "1", "0", "2"}));
  EXPECT_EQ(Steps(Plan({{"1", "2"}, {"2", "3"}, {"3", "1"}})),
            (std::vector<std::string>{"0>1.~改名中", "2", "1", "0"}));
  // The parking name is one no entry has and no row wants.
  EXPECT_EQ(Steps(Plan({{"a", "b"}, {"b", "a"}, {"c", "a.~改名中2"}}, {"a.~改名中"})),
            (std::vector<std::string>{"0>a.~改名中3", "1", "0", "2"}));
  // Too long with the suffix: the name is shortened in front of it.
  const std::string longName = std::string(250, 'x') + "报";
  const RenamePlan plan = Plan({{longName, "b"}, {"b", longName}});
  ASSERT_EQ(plan.steps.size(), 3u);
  EXPECT_EQ(ParkingName(plan.parkingNames, plan.steps[0]), std::string(250, 'x') + ".~改名中");  // 255 units
}

TEST_F(PlanTest, LaterRowsWithTheSameNameAreDuplicatesOfTheFirst) {
  const RenamePlan plan = Plan({{"a", "x.txt"}, {"b", "y"}, {"c", "X.TXT"}, {"d", "x.txt"}});
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::Deliverable, V::Deliverable, V::Duplicate, V::Duplicate}));
  EXPECT_EQ(plan.claimants, (std::vector<size_t>{0, 1, 0, 0}));
}

TEST_F(PlanTest, NamesHeldByEntriesThatStayAreTaken) {
  const RenamePlan plan = Plan({{"a", "other.txt"},   // an unpicked file
                                {"b", "SUB"},         // an unpicked folder, other case
                                {"c", "c"},           // renamed onto itself
                                {"d", "C"},           // held by a row that keeps its name
                                {"e", "e"}},
                               {"Other.txt", "sub"});
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::Taken, V::Taken, V::Unchanged, V::Taken, V::Unchanged}));
}

TEST_F(PlanTest, AFailingLinkFailsEverythingBehindItAndNothingElse) {
  // 0 waits for 1, 1 waits for 2, 2 wants a name Windows refuses.
  const RenamePlan plan = Plan({{"a", "b"}, {"b", "c"}, {"c", "c?"}, {"d", "e"}});
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::Taken, V::Taken, V::Invalid, V::Deliverable}));
  // A cycle with a duplicate in it cannot close either.
  const RenamePlan cycle = Plan({{"p", "q"}, {"r", "q"}, {"q", "p"}});
  EXPECT_EQ(cycle.verdicts, (std::vector<V>{V::Deliverable, V::Duplicate, V::Deliverable}));
  const RenamePlan blocked = Plan({{"p", "q"}, {"q", "r"}, {"r", "p"}, {"s", "r"}}, {}, {});
  EXPECT_EQ(blocked.verdicts, (std::vector<V>{V::Deliverable, V::Deliverable, V::Deliverable, V::Duplicate}));
}

TEST_F(PlanTest, CaseOnlyChangesKeepTheirName) {
  // The own file never takes its name; a case-only change does not free it.
  const RenamePlan plan = Plan({{"ABC", "abc"}, {"x", "Abc"}, {"a", "B"}, {"b", "bb"}});
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::Deliverable, V::Duplicate, V::Deliverable, V::Deliverable}));
  EXPECT_EQ(Steps(plan), (std::vector<std::string>{"0", "1", "3", "2"}));
  // The first row claims the name, but the file holding it is a later
  // duplicate that stays where it is.
  const RenamePlan held = Plan({{"y", "ABC"}, {"ABC", "abc"}});
  EXPECT_EQ(held.verdicts, (std::vector<V>{V::Taken, V::Duplicate}));
  const RenamePlan stays = Plan({{"Q", "q"}, {"w", "Q"}}, {}, {});
  EXPECT_EQ(stays.verdicts, (std::vector<V>{V::Deliverable, V::Duplicate}));
}

// The file system refuses a new name that is another file's 8.3 short
// name; a file may take its own, and a picked file that moves away keeps
// its short name for all the plan can tell.
TEST_F(PlanTest, AnotherFilesShortNameIsTaken) {
  files.shortNames[std::string(kFolder) + "Program Files.txt"] = "PROGRA~1.TXT";
  files.shortNames[std::string(kFolder) + "long name 2"] = "LONGNA~2";
  const RenamePlan plan = Plan({{"a", "progra~1.txt"},
                                {"long name 2", "LONGNA~2"},
                                {"b", "LONGNA~2"},
                                {"c", "PROGRA~2.TXT"}},
                               {"Program Files.txt"});
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::ShortNameTaken, V::Deliverable, V::Duplicate, V::Deliverable}));
  EXPECT_EQ(MarkReason(plan, 0, current), "新文件名与文件夹中另一个文件的短文件名（8.3 格式）相同，Windows 不允许。");
  // A row waiting for it fails with it.
  const RenamePlan moving = Plan({{"long name 2", "x"}, {"b", "longna~2"}, {"c", "b"}});
  EXPECT_EQ(moving.verdicts, (std::vector<V>{V::Deliverable, V::ShortNameTaken, V::Taken}));
}

// Each row carries its file as listed; a putting back leaves alone a row
// whose file is gone or is another one (an edit keeps a file what it is
// where the volume keeps file IDs; elsewhere size and time tell).
TEST_F(PlanTest, APuttingBackTouchesOnlyTheFilesItExpects) {
  const RenamePlan plan = Plan({{"a", "x"}, {"b", "y"}, {"c", "z"}, {"d", "w"}}, {}, {"d"});
  EXPECT_EQ(plan.identities[0], SimulatedFolder::IdentityOf("a"));
  EXPECT_FALSE(plan.identities[3].known());
  EXPECT_EQ(plan.volume.serial, files.volume.serial);
  ExpectedFiles expected{plan.identities, plan.volume};
  files.files[std::string(kFolder) + "b"] = "another b";
  files.files[std::string(kFolder) + "c"] = "c#edited";
  files.files[std::string(kFolder) + "d"] = "d";
  struct Case {
    VolumeIdentity volume;
    std::vector<V> verdicts;
  } cases[] = {
      {files.volume, {V::Deliverable, V::NotTheFile, V::Deliverable, V::NotTheFile}},
      {{files.volume.serial, true, false}, {V::Deliverable, V::NotTheFile, V::NotTheFile, V::NotTheFile}},
      {{files.volume.serial + 1, true, true}, {V::NotTheFile, V::NotTheFile, V::NotTheFile, V::NotTheFile}},
  };
  for (const Case& c : cases) {
    files.volume = c.volume;
    expected.volume = c.volume.serial == plan.volume.serial ? c.volume : plan.volume;
    const RenamePlan again = PlanRenames(files.ListFolder(kFolder), current, targets, ListOrder(4), files,
                                         Targets::FormerNames, &expected);
    EXPECT_EQ(again.verdicts, c.verdicts) << c.volume.serial << " " << c.volume.keepsFileIds;
  }
}

TEST_F(PlanTest, MissingSourcesAreMarkedButStillTried) {
  const RenamePlan plan = Plan({{"gone", "x"}, {"gone2", "gone2"}, {"y", "gone"}}, {}, {"gone", "gone2"});
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::SourceMissing, V::Unchanged, V::Deliverable}));
  EXPECT_TRUE(IsMarked(V::SourceMissing));
  EXPECT_FALSE(IsRefused(V::SourceMissing));
}

TEST_F(PlanTest, UnconvertibleNamesAreInvalidAndOverlongOnesTooLong) {
  const RenamePlan plan = Plan({{"a", "\x81"},
                                {"b", std::string(256, 'b')},
                                {"c", "\x80.txt"},
                                {"d", ""},
                                {"e", std::string(255, 'e')},
                                {"f", std::string(254, 'f') + "报"},  // 256 bytes, 255 units
                                {"g", "\x81\x30_\x87\x37.txt"}});  // a four-byte code cut in two
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::Invalid, V::TooLong, V::Deliverable, V::Invalid,
                                           V::Deliverable, V::Deliverable, V::Invalid}));
}

// A new name that would make the full path longer than Windows takes is
// marked, even when the name itself is short; one that still fits is not.
TEST_F(PlanTest, APathOverTheLimitIsTooLong) {
  const rules::NameList from{"a", "b", "c"}, to{"12345", "123456", "c"};
  for (const std::string& name : from) files.files[kFolder + name] = name;
  FolderListing deep = files.ListFolder(kFolder);
  deep.pathUnits = kLongestPath - 5;
  const RenamePlan plan = PlanRenames(deep, from, to, ListOrder(3), files);
  EXPECT_EQ(plan.verdicts, (std::vector<V>{V::Deliverable, V::TooLong, V::Unchanged}));
}

// Undo takes back names with a trailing dot or blank, which no new name may have.
TEST_F(PlanTest, FormerNamesMayEndInADotOrABlank) {
  const rules::NameList from{"report_", "memo_"}, to{"report.", "memo.txt "};
  for (const std::string& name : from) files.files[kFolder + name] = name;
  const FolderListing folder = files.ListFolder(kFolder);
  EXPECT_EQ(PlanRenames(folder, from, to, ListOrder(2), files).verdicts,
            (std::vector<V>{V::Invalid, V::Invalid}));
  EXPECT_EQ(PlanRenames(folder, from, to, ListOrder(2), files, Targets::FormerNames).verdicts,
            (std::vector<V>{V::Deliverable, V::Deliverable}));
}

// Random batches over a few short names: afterwards every file exists
// exactly once and none was replaced; without locked files the rows that
// failed are exactly the marked ones, and Undo brings back the folder.
TEST(RandomBatches, NeverLoseAFileAndUndoRestoresTheFolder) {
  std::mt19937 random(20261209);
  const std::vector<std::string> pool = {"a", "A", "b", "c", "ab", "B.txt", "b.TXT", "x?", "d", "\x80"};
  for (int round = 0; round < 3000; ++round) {
    SimulatedFolder files;
    rules::ProgramState state;
    state.FolderPath = kFolder;
    std::map<std::u16string, bool> used;
    for (const std::string& name : pool) {
      const auto key = *testing_support::SimulatedNameKey(name);
      const unsigned dice = random() % 4;
      if (dice == 0 || used[key] || name == "x?") continue;
      used[key] = true;
      files.files[kFolder + name] = "file " + name;
      if (dice == 1) continue;  // in the folder, not picked
      state.CurrentNames.push_back(name);
      state.NewNames.push_back(pool[random() % pool.size()]);
    }
    const std::map<std::string, std::string> before = files.files;
    const RenamePlan plan = PlanBatch(state, files);

    RecordingWindow window;
    window.answerToAll = true;
    BatchRename(state, files, window);

    std::map<std::string, int> seen;
    for (const auto& [path, contents] : files.files) ++seen[contents];
    EXPECT_EQ(seen.size(), before.size()) << round;  // none lost, none replaced
    size_t failures = 0, marked = 0;
    for (size_t row = 0; row < state.CurrentNames.size(); ++row) {
      const bool failed = state.CurrentNames[row] != state.NewNames[row];
      failures += failed;
      marked += IsMarked(plan.verdicts[row]);
      EXPECT_EQ(failed, IsMarked(plan.verdicts[row])) << round << " row " << row;
      EXPECT_EQ(files.files.at(kFolder + state.CurrentNames[row]), "file " + state.UndoNames[row]);
    }
    EXPECT_EQ(window.prompts.size(), failures + 1) << round;

    window.prompts.clear();
    UndoLastBatch(state, files, window);
    EXPECT_EQ(files.files, before) << round;
    EXPECT_EQ(window.prompts.size(), 2u) << round;  // the question and the end, no failure
  }
}

// With locked files and a No now and then: still nothing lost or replaced,
// and no file left under a parking name.
TEST(RandomBatches, LockedFilesAndStopsLeaveEveryFileUnderARealName) {
  std::mt19937 random(7);
  const std::vector<std::string> pool = {"a", "b", "c", "d", "e"};
  for (int round = 0; round < 3000; ++round) {
    SimulatedFolder files;
    rules::ProgramState state;
    state.FolderPath = kFolder;
    for (const std::string& name : pool) {
      if (random() % 5 == 0) continue;
      files.files[kFolder + name] = "file " + name;
      if (random() % 4 == 0) files.locked.insert(kFolder + name);
      state.CurrentNames.push_back(name);
      state.NewNames.push_back(pool[random() % pool.size()]);
    }
    const size_t contents = files.files.size();
    RecordingWindow window;
    window.answerToAll = random() % 3 != 0;
    BatchRename(state, files, window);
    std::map<std::string, int> seen;
    for (const auto& [path, text] : files.files) {
      ++seen[text];
      EXPECT_EQ(path.find("~"), std::string::npos) << round << " " << path;
    }
    EXPECT_EQ(seen.size(), contents) << round;
    for (size_t row = 0; row < state.CurrentNames.size(); ++row) {
      EXPECT_EQ(files.files.at(kFolder + state.CurrentNames[row]), "file " + state.UndoNames[row]);
    }
  }
}

// Names of any character beside look-alikes (letters that differ only in
// case or accent, a superscript beside its digit, emoji one apart, a
// character beyond GBK, a lone surrogate), any computation on a random
// pick: every file not picked stays as it was, every picked file has
// exactly the name the Preview showed where it showed no mark (and its
// old one elsewhere), and Undo gives every file its exact old name.
TEST(RandomBatches, EveryNameExactlyAsPreviewedThenExactlyAsBefore) {
  std::mt19937 random(916);
  const std::vector<std::u16string> pieces = {u"a", u"A", u"\u00E9", u"\u00C9", u"e", u"2", u"\u00B2",
                                              u"\U0001F600", u"\U0001F601", u"\U00020BB7", u"\u6587",
                                              u".", u" ", u";", u"\xD800"};
  auto text = [&](int most) {
    std::u16string name;
    for (int i = 0, length = 1 + static_cast<int>(random() % most); i < length; ++i) {
      name += pieces[random() % pieces.size()];
    }
    return name;
  };
  const auto& codec = testing_support::ModelCodec();
  for (int round = 0; round < 2000; ++round) {
    testing_support::UnicodeFolder disk;
    rules::ProgramState state;
    state.FolderPath = kFolder;
    for (int i = 0; i < 8; ++i) {
      const std::u16string name = text(4);
      const std::u16string key = testing_support::UnicodeFolder::Folded(name);
      if (disk.entries.count(key) || !IsFormerName(key)) continue;
      disk.Add(name, "file " + std::to_string(i));
      if (random() % 3 != 0) state.CurrentNames.push_back(codec.FromUtf16(name));
    }
    state.NewNames = state.UndoNames = state.CurrentNames;
    rules::RenameOptions options;
    options.RenameType = 1 + static_cast<int>(random() % 5);
    options.AddText = options.SearchText = codec.FromUtf16(text(2));
    options.ReplacementText = codec.FromUtf16(text(2));
    options.AddPosition = options.DeletePosition = std::to_string(random() % 6);
    options.DeleteCount = std::to_string(random() % 5);
    options.CaseMode = 1 + static_cast<int>(random() % 3);
    options.NumberStyle = static_cast<int>(random() % 3);
    options.StartNumber = std::to_string(random() % 12);
    options.NumberAtLeft = random() % 2 == 0;
    rules::ComputeNewNames(options, state);
    const RenamePlan preview = PlanBatch(state, disk);
    const rules::NameList previewed = state.NewNames, picked = state.CurrentNames;
    const auto before = disk.entries;

    RecordingWindow window;
    window.answerToAll = true;
    BatchRename(state, disk, window);
    // The renamed files leave their names, then take the new ones.
    auto expected = before;
    std::vector<std::pair<std::u16string, std::string>> arriving;
    for (size_t row = 0; row < picked.size(); ++row) {
      if (IsMarked(preview.verdicts[row])) continue;
      std::u16string from, to;
      ASSERT_TRUE(codec.ToUtf16(picked[row], from) && codec.ToUtf16(previewed[row], to));
      arriving.emplace_back(to, expected.at(testing_support::UnicodeFolder::Folded(from)).contents);
      expected.erase(testing_support::UnicodeFolder::Folded(from));
    }
    for (const auto& [name, contents] : arriving) expected[testing_support::UnicodeFolder::Folded(name)] = {name, contents};
    auto same = [](const auto& a, const auto& b) {
      return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return x.first == y.first && x.second.name == y.second.name && x.second.contents == y.second.contents;
             });
    };
    ASSERT_TRUE(same(disk.entries, expected)) << round;
    UndoLastBatch(state, disk, window);
    ASSERT_TRUE(same(disk.entries, before)) << round;
    EXPECT_EQ(state.CurrentNames, picked) << round;
  }
}

}  // namespace
}  // namespace exec
