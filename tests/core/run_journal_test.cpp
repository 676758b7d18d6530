#include "exec/run_journal.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "exec/left_runs.h"
#include "exec/run_history.h"
#include "exec/plain_name.h"
#include "memory_journals.h"
#include "recording_window.h"
#include "simulated_folder.h"

namespace exec {
namespace {

using testing_support::MemoryJournals;
using testing_support::RecordingWindow;
using testing_support::RunToEnd;
using testing_support::SimulatedFolder;

constexpr char kFolder[] = "C:\\d\\";
using Disk = std::map<std::string, std::string>;

// What a power cut leaves of each journal: all that was made durable, and
// any part of what was only appended.
void CutOff(MemoryJournals& journals, std::mt19937& random) {
  for (auto& [name, journal] : journals.journals) {
    const size_t lost = journal.appended.size() - journal.durable.size();
    journal.durable = journal.appended.substr(0, journal.durable.size() + random() % (lost + 1));
    journal.appended = journal.durable;
  }
}

// Carries `run` out until `steps` steps are done, then drops it as a kill
// would (a kill inside a rename too); true when it ended first.
bool CarryUntilKilled(RenameRun& run, Prompts& prompts, size_t steps) {
  size_t taken = 0;
  try {
    while (!run.Step(prompts, [&] { return ++taken >= steps; })) {
      if (taken >= steps) return false;
    }
  } catch (const testing_support::Killed&) {
    return false;
  }
  return true;
}

// Every answer Yes: the start puts every cut-short run back.
void StartAgain(MemoryJournals& journals, SimulatedFolder& files) {
  RecordingWindow window;
  window.answerToAll = true;
  PutBackLeftRuns(journals, files, window, [&](RenameRun& run) { RunToEnd(run, window); });
}

struct RandomBatch {
  SimulatedFolder files;
  rules::ProgramState state;
  RecordingWindow window;
};

// A few files with names that chain and cycle into each other, some
// locked, some picked twice over or missing, some previewed to invalid
// names; the failure prompts answered Yes, or now and then No.
void MakeBatch(RandomBatch& batch, std::mt19937& random) {
  const std::vector<std::string> names = {"a", "b", "c", "A", "ab", "B.txt", "c.TXT", ""};
  batch.state.FolderPath = kFolder;
  const int files = 1 + static_cast<int>(random() % 6);
  for (int i = 0; i < files; ++i) {
    const std::string& name = names[random() % (names.size() - 1)];
    if (batch.files.Find(kFolder + name)) continue;
    batch.files.files[kFolder + name] = "file " + name;
    if (random() % 8 == 0) batch.files.locked.insert(kFolder + name);
  }
  for (const auto& [path, contents] : batch.files.files) {
    if (random() % 4 == 0) continue;  // not picked
    batch.state.CurrentNames.push_back(path.substr(sizeof(kFolder) - 1));
    batch.state.NewNames.push_back(names[random() % names.size()]);
  }
  if (random() % 6 == 0) {  // deleted since it was picked
    batch.state.CurrentNames.push_back("gone");
    batch.state.NewNames.push_back("a");
  }
  batch.state.UndoNames = batch.state.CurrentNames;
  for (int i = 0; i < 40; ++i) batch.window.answers.push_back(random() % 10 != 0);
}

// A file's text without its edits.
std::string WhichFile(const std::string& contents) { return contents.substr(0, contents.find('#')); }
Disk WhichFiles(Disk disk) {
  for (auto& [path, contents] : disk) contents = WhichFile(contents);
  return disk;
}

// How many files hold each text.
std::map<std::string, int> Contents(const Disk& disk) {
  std::map<std::string, int> seen;
  for (const auto& [path, contents] : disk) ++seen[contents];
  return seen;
}

bool AnyParked(const Disk& disk) {
  for (const auto& [path, contents] : disk) {
    if (path.find(".~") != std::string::npos) return true;
  }
  return false;
}

// What may happen to the folder between the kill and the next start.
enum class Change { None, ReplaceSome, ReplaceAll, RenameByHand, Edit, AwayAndBack, OtherVolume, Count };

struct Changed {
  Disk strangers;       // files that are not the run's: path -> contents
  std::string byHand;   // contents of the run's file a person renamed
};

Changed ChangeTheFolder(Change change, SimulatedFolder& files, const Disk& own, std::mt19937& random) {
  Changed changed;
  int other = 0;
  for (auto& [path, contents] : files.files) {
    const bool replace = change == Change::ReplaceAll || (change == Change::ReplaceSome && random() % 2 == 0);
    if (!replace) continue;
    contents = "other " + std::to_string(++other);
    changed.strangers[path] = contents;
  }
  if (files.files.empty()) return changed;
  auto one = files.files.begin();
  std::advance(one, random() % files.files.size());
  if (change == Change::RenameByHand) {
    changed.byHand = one->second;
    files.files[kFolder + std::string("zz")] = one->second;
    files.files.erase(one);
  } else if (change == Change::Edit) {
    one->second += "#edited";  // the same file, if the volume keeps file IDs
    if (!files.volume.keepsFileIds) changed.strangers[one->first] = one->second;
  } else if (change == Change::OtherVolume) {
    files.volume.serial ^= 0xFF;  // another card under the same letter
    for (const auto& [path, contents] : files.files) changed.strangers[path] = contents;
  }
  (void)own;
  return changed;
}

// The property the journal is for: a run killed after any of its steps
// (or inside a change of letter case), with any part of its unflushed
// journal lost, and the folder changed or not before the next start, is
// put back to the names from before the batch: a batch undone, an undo or
// a restore completed. A file that is not the run's is never renamed; the
// run's own files all go back, save where another file holds the name;
// nothing is left under a name of the program's own; a journal goes only
// after the user's answer or a completed restore.
TEST(RunJournal, ARunKilledAfterAnyStepIsPutBackAndOtherFilesAreNeverTouched) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 4000; ++round) {
    RandomBatch batch;
    MakeBatch(batch, random);
    batch.files.caseThroughMiddle = random() % 3 == 0;
    batch.files.volume.keepsFileIds = random() % 4 != 0;
    MemoryJournals journals;
    const Disk beforeTheBatch = batch.files.files;
    const bool cutTheUndo = random() % 4 == 0;
    if (cutTheUndo) {
      RenameRun whole = RenameRun::Batch(batch.state, batch.files, journals);
      RunToEnd(whole, batch.window);
      batch.window.answers.push_front(true);  // the undo's question
    }
    const size_t killAfter = 1 + random() % 12;
    batch.files.killInTheMiddle = random() % 5 == 0;
    bool ended = false;
    if (cutTheUndo) {
      std::optional<RenameRun> undo = RenameRun::Undo(batch.state, batch.files, journals, batch.window);
      ended = CarryUntilKilled(*undo, batch.window, killAfter);
    } else {
      RenameRun run = RenameRun::Batch(batch.state, batch.files, journals);
      ended = CarryUntilKilled(run, batch.window, killAfter);
    }
    batch.files.killInTheMiddle = false;
    SCOPED_TRACE("round " + std::to_string(round) + ", killed after " + std::to_string(killAfter));
    if (ended) {
      EXPECT_TRUE(journals.journals.empty());
      continue;
    }
    CutOff(journals, random);
    if (random() % 3 == 0) {  // the start's putting back is killed too
      RecordingWindow window;
      window.answerToAll = true;
      PutBackLeftRuns(journals, batch.files, window,
                      [&](RenameRun& run) { CarryUntilKilled(run, window, 1 + random() % 6); });
      CutOff(journals, random);
    }
    const auto change = static_cast<Change>(random() % static_cast<int>(Change::Count));
    SCOPED_TRACE("change " + std::to_string(static_cast<int>(change)));
    const Changed changed = ChangeTheFolder(change, batch.files, beforeTheBatch, random);
    if (change == Change::AwayAndBack) {
      const size_t left = journals.journals.size();
      batch.files.reachable = false;
      StartAgain(journals, batch.files);  // Yes: keep the record
      EXPECT_EQ(journals.journals.size(), left);
      batch.files.reachable = true;
    }
    const Disk atTheStart = batch.files.files;
    StartAgain(journals, batch.files);

    const Disk& after = batch.files.files;
    EXPECT_EQ(Contents(after), Contents(atTheStart));  // nothing lost
    for (const auto& [path, contents] : changed.strangers) EXPECT_EQ(after.count(path) ? after.at(path) : "", contents);
    std::map<std::string, std::string> whereIs;  // which file (an edit aside) -> path
    for (const auto& [path, contents] : after) whereIs[WhichFile(contents)] = path;
    for (const auto& [path, contents] : beforeTheBatch) {
      const auto found = whereIs.find(contents);
      if (found == whereIs.end() || contents == changed.byHand || changed.strangers.count(found->second)) {
        continue;
      }
      // The run's own file: back under its name, unless another file holds it.
      EXPECT_TRUE(found->second == path || batch.files.Find(path)) << contents << " at " << found->second;
    }
    if (changed.strangers.empty() && changed.byHand.empty()) {
      EXPECT_FALSE(AnyParked(after));
      EXPECT_EQ(WhichFiles(after), beforeTheBatch);
    }
    EXPECT_TRUE(journals.journals.empty());
  }
}

class LeftRunsTest : public testing::Test {
 protected:
  // Three files renamed to "x" + name, the run killed after `renames`
  // renames (0: carried out to its end).
  void KillABatch(size_t renames = 2) {
    for (const char* name : {"1", "2", "3"}) files.files[std::string(kFolder) + name] = name;
    state.FolderPath = kFolder;
    state.CurrentNames = state.UndoNames = {"1", "2", "3"};
    state.NewNames = {"x1", "x2", "x3"};
    RenameRun run = RenameRun::Batch(state, files, journals);
    if (renames == 0) {
      window.answers = {false};  // no folder opened
      RunToEnd(run, window);
      return;
    }
    ASSERT_FALSE(CarryUntilKilled(run, window, renames + 1));
    ASSERT_EQ(journals.journals.size(), 1u);
  }
  // The three files under their names from before the batch.
  static Disk BeforeTheBatch() { return {{"C:\\d\\1", "1"}, {"C:\\d\\2", "2"}, {"C:\\d\\3", "3"}}; }
  std::string Journal() { return journals.journals.begin()->second.durable; }
  void SetJournal(const std::string& text) { journals.journals.begin()->second.durable = text; }

  SimulatedFolder files;
  rules::ProgramState state;
  RecordingWindow window;
  MemoryJournals journals;
};

TEST_F(LeftRunsTest, YesPutsBackWithUndosClosingMessageAndNoLeavesTheFolderForGood) {
  KillABatch();
  const Disk cut = files.files;
  const std::string question =
      "提示：|上次在文件夹 C:\\d\\ 中的更名没有完成，已有 2 个文件改了名。\r\n是否把它们改回原来的名称？";

  RecordingWindow no;
  no.answers = {false};
  PutBackLeftRuns(journals, files, no, [](RenameRun&) { ADD_FAILURE() << "nothing to carry"; });
  EXPECT_EQ(no.prompts, std::vector<std::string>{question});
  EXPECT_EQ(files.files, cut);
  EXPECT_TRUE(journals.journals.empty());
  PutBackLeftRuns(journals, files, no, [](RenameRun&) {});
  EXPECT_EQ(no.prompts.size(), 1u);  // never asked again

  files.files.clear();
  KillABatch();
  RecordingWindow yes;
  yes.answers = {true};
  PutBackLeftRuns(journals, files, yes, [&](RenameRun& run) { RunToEnd(run, yes); });
  EXPECT_EQ(yes.prompts, (std::vector<std::string>{
                             question, "提示：|撤销完成！文件名恢复到此次更名前的状态！|OK"}));
  EXPECT_EQ(files.files, BeforeTheBatch());
  EXPECT_TRUE(journals.journals.empty());
}

TEST_F(LeftRunsTest, AFileThatCannotGoBackGetsUndosFailurePrompt) {
  KillABatch();
  files.locked.insert("C:\\d\\x2");
  RecordingWindow yes;
  yes.answerToAll = true;
  PutBackLeftRuns(journals, files, yes, [&](RenameRun& run) { RunToEnd(run, yes); });
  ASSERT_EQ(yes.prompts.size(), 3u);
  EXPECT_EQ(yes.prompts[1], "提示：|文件  x2  更名为   2 更名失败，可能是没有相关权限，请以管理员身份运行本程序。"
                            "是否继续更改后续文件？  ");
  EXPECT_EQ(files.files, (Disk{{"C:\\d\\1", "1"}, {"C:\\d\\x2", "2"}, {"C:\\d\\3", "3"}}));
}

// A batch is undone; an undo, and a putting back at the start, are
// completed: every kind ends with the names from before the batch, and
// the offer says which it is.
TEST_F(LeftRunsTest, EveryKindOfRunGoesBackToTheNamesFromBeforeTheBatch) {
  const std::string start = "提示：|上次在文件夹 C:\\d\\ 中的";
  struct Case {
    const char* what;
    std::function<void()> cut;
    std::string question;
  };
  const std::vector<Case> cases = {
      {"a batch", [&] { KillABatch(); },
       start + "更名没有完成，已有 2 个文件改了名。\r\n是否把它们改回原来的名称？"},
      {"an undo",
       [&] {
         KillABatch(0);
         window.answers = {true};
         std::optional<RenameRun> undo = RenameRun::Undo(state, files, journals, window);
         ASSERT_FALSE(CarryUntilKilled(*undo, window, 3));
       },
       start + "撤销没有完成，还有 1 个文件没有改回。\r\n是否完成撤销，改回更名前的名称？"},
      {"a restore",
       [&] {
         KillABatch();
         RecordingWindow yes;
         yes.answerToAll = true;
         PutBackLeftRuns(journals, files, yes, [&](RenameRun& run) { ASSERT_FALSE(CarryUntilKilled(run, yes, 2)); });
       },
       start + "恢复没有完成，还有 1 个文件没有改回。\r\n是否完成恢复，改回更名前的名称？"},
      {"a batch whose folder has another file under one of its names",
       [&] {
         KillABatch();
         files.files["C:\\d\\x1"] = "another x1";
       },
       start + "更名没有完成，已有 1 个文件改了名。另有 1 个文件已不是那次改名的文件，不会改动。\r\n"
               "是否把它们改回原来的名称？"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files.files.clear();
    journals.journals.clear();
    c.cut();
    ASSERT_EQ(journals.journals.size(), 1u);
    Disk expected = BeforeTheBatch();
    if (files.files.count("C:\\d\\x1") && files.files["C:\\d\\x1"] == "another x1") {
      expected.erase("C:\\d\\1");
      expected["C:\\d\\x1"] = "another x1";
    }
    RecordingWindow yes;
    yes.answers = {true};
    PutBackLeftRuns(journals, files, yes, [&](RenameRun& run) { RunToEnd(run, yes); });
    EXPECT_EQ(yes.prompts, (std::vector<std::string>{c.question, "提示：|撤销完成！文件名恢复到此次更名前的状态！|OK"}));
    EXPECT_EQ(files.files, expected);
    EXPECT_TRUE(journals.journals.empty());
    // The putting back is kept in the rename history as a restore.
    const std::optional<HistoryEntry> kept = ParseHistoryEntry(journals.entries.at(journals.Entries().front()));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->kind, JournalKind::Restore);
  }
}

// A folder that is away (a stick pulled out, a network down) keeps its
// record on Yes, and the offer comes once it is back; No forgets it.
TEST_F(LeftRunsTest, AFolderThatIsAwayKeepsItsRecordUntilTheUserLetsItGo) {
  const std::string away =
      "提示：|上次在文件夹 C:\\d\\ 中的更名没有完成，但现在打不开这个文件夹（移动磁盘或网络驱动器可能不在）。\r\n"
      "是否保留这份更名记录，等文件夹能打开时再恢复？（选“否”将删除这份记录）";
  KillABatch();
  files.reachable = false;
  const Disk cut = files.files;
  for (int start = 0; start < 2; ++start) {
    RecordingWindow keep;
    keep.answers = {true};
    PutBackLeftRuns(journals, files, keep, [](RenameRun&) { ADD_FAILURE() << "nothing to carry"; });
    EXPECT_EQ(keep.prompts, std::vector<std::string>{away});
    EXPECT_EQ(journals.journals.size(), 1u);
  }
  files.reachable = true;
  EXPECT_EQ(files.files, cut);
  RecordingWindow back;
  back.answerToAll = true;
  PutBackLeftRuns(journals, files, back, [&](RenameRun& run) { RunToEnd(run, back); });
  EXPECT_EQ(files.files, BeforeTheBatch());

  KillABatch();
  files.reachable = false;
  RecordingWindow forget;
  forget.answers = {false};
  PutBackLeftRuns(journals, files, forget, [](RenameRun&) {});
  EXPECT_EQ(forget.prompts, std::vector<std::string>{away});
  EXPECT_TRUE(journals.journals.empty());
}

// No at the offer leaves the names as they are, but never a file under a
// name of the program's own: a parked file, or one caught between the two
// moves of a change of letter case, goes back to its name first, or the
// user hears where it is.
TEST_F(LeftRunsTest, NoBringsBackAFileUnderATemporaryName) {
  struct Case {
    const char* what;
    rules::NameList from, to;
    size_t killAfter;
    bool caseThroughMiddle;
    Disk after;
    std::vector<std::string> told;
  };
  const std::string left = "警告:|文件 1 暂存为 1.~改名中，未能改回原名，请手动改回。|OK";
  const std::vector<Case> cases = {
      {"parked, its name free", {"1", "2"}, {"2", "1"}, 2, false, {{"C:\\d\\1", "1"}, {"C:\\d\\2", "2"}}, {}},
      {"parked, its name taken since", {"1", "2"}, {"2", "1"}, 3, false,
       {{"C:\\d\\1.~改名中", "1"}, {"C:\\d\\1", "2"}}, {left}},
      {"between the moves of a case change", {"a"}, {"A"}, 9, true, {{"C:\\d\\a", "a"}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files.files.clear();
    for (const std::string& name : c.from) files.files["C:\\d\\" + name] = name;
    files.caseThroughMiddle = files.killInTheMiddle = c.caseThroughMiddle;
    state.FolderPath = kFolder;
    state.CurrentNames = state.UndoNames = c.from;
    state.NewNames = c.to;
    RenameRun run = RenameRun::Batch(state, files, journals);
    ASSERT_FALSE(CarryUntilKilled(run, window, c.killAfter));
    files.killInTheMiddle = false;
    RecordingWindow no;
    no.answers = {false};
    PutBackLeftRuns(journals, files, no, [](RenameRun&) { ADD_FAILURE() << "nothing to carry"; });
    ASSERT_EQ(no.prompts.size(), 1u + c.told.size());
    EXPECT_EQ(std::vector<std::string>(no.prompts.begin() + 1, no.prompts.end()), c.told);
    EXPECT_EQ(files.files, c.after);
    EXPECT_TRUE(journals.journals.empty());
  }
}

// A putting back that can't write a journal of its own asks too; No
// keeps the old record for the next start.
TEST_F(LeftRunsTest, APuttingBackWithoutAJournalAsksAndNoKeepsTheRecord) {
  KillABatch();
  const Disk cut = files.files;
  journals.refusal = "无法建立文件夹 C:\\j\\：拒绝访问";
  RecordingWindow no;
  no.answers = {true, false};
  PutBackLeftRuns(journals, files, no, [](RenameRun&) { ADD_FAILURE() << "nothing to carry"; });
  ASSERT_EQ(no.prompts.size(), 2u);
  EXPECT_NE(no.prompts[1].find("警告：|无法写入更名记录（无法建立文件夹 C:\\j\\：拒绝访问）"), std::string::npos);
  EXPECT_EQ(files.files, cut);
  EXPECT_EQ(journals.journals.size(), 1u);

  journals.refusal.clear();
  RecordingWindow yes;
  yes.answerToAll = true;
  PutBackLeftRuns(journals, files, yes, [&](RenameRun& run) { RunToEnd(run, yes); });
  EXPECT_EQ(files.files, BeforeTheBatch());
  EXPECT_TRUE(journals.journals.empty());
}

// A journal from before files had identities is still read: its rows go
// by their names, as then.
TEST_F(LeftRunsTest, AJournalOfTheFirstVersionGoesByNames) {
  KillABatch();
  std::string text = Journal();
  text.replace(0, text.find('\n'), "RNTOOL-JOURNAL 1");
  const size_t volume = text.find("volume\t");
  text.erase(volume, text.find('\n', volume) + 1 - volume);
  for (const char* row : {"\n1\tx1\t1", "\n2\tx2\t1", "\n3\tx3\t1"}) {
    const size_t at = text.find(row) + std::string(row).size();
    text.erase(at, text.find('\n', at) - at);
  }
  SetJournal(text);
  ASSERT_TRUE(ParseJournal(text));
  EXPECT_FALSE(ParseJournal(text)->hasIdentities);
  RecordingWindow yes;
  yes.answerToAll = true;
  PutBackLeftRuns(journals, files, yes, [&](RenameRun& run) { RunToEnd(run, yes); });
  ASSERT_EQ(yes.prompts.size(), 2u);
  EXPECT_NE(yes.prompts[0].find("已有 2 个文件改了名"), std::string::npos);
  EXPECT_EQ(files.files, BeforeTheBatch());
}

// Damaged journals are set aside with one message and never touch a file;
// one cut off in its plan, or whose renames all failed, goes silently.
TEST_F(LeftRunsTest, JournalsThatCannotBeUsedAreSetAsideOrDropped) {
  const std::string unreadable = "警告：|一份更名记录无法读取，已移到一旁：C:\\journals\\";
  struct Case {
    const char* what;
    std::function<std::string(const std::string&)> damage;
    std::vector<std::string> prompts;  // a message ending in "\\" names the journal
  };
  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  const std::vector<Case> cases = {
      {"another first line", [&](const std::string& t) { return replaced(t, "RNTOOL", "RNTOOX"); },
       {unreadable}},
      {"a row out of range", [&](const std::string& t) { return replaced(t, "steps\t3\n0", "steps\t3\n7"); },
       {unreadable}},
      {"a name outside the folder", [&](const std::string& t) { return replaced(t, "\n1\tx1", "\n..\\1\tx1"); },
       {unreadable}},
      {"cut off in its plan", [&](const std::string& t) { return t.substr(0, t.find("planned")); }, {}},
      {"ended", [&](const std::string& t) { return t + "end\n"; }, {}},
      {"another folder, without the run's files",
       [&](const std::string& t) { return replaced(t, "C:\\d\\", "C:\\gone\\"); },
       {"提示：|文件夹 C:\\gone\\ 中的文件已不是上次没有完成的那次改名所改的文件，没有改动任何文件。"
        "这份更名记录已移到一旁。|OK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files.files.clear();
    journals.journals.clear();
    KillABatch();
    const Disk cut = files.files;
    SetJournal(c.damage(Journal()));
    std::vector<std::string> expected = c.prompts;
    for (std::string& prompt : expected) {
      if (prompt.back() == '\\') prompt += journals.journals.begin()->first + "|OK";
    }
    RecordingWindow start;
    PutBackLeftRuns(journals, files, start, [](RenameRun&) { ADD_FAILURE() << "nothing to carry"; });
    EXPECT_EQ(start.prompts, expected);
    EXPECT_EQ(journals.setAside.size(), expected.size());
    journals.setAside.clear();
    EXPECT_EQ(files.files, cut);
    EXPECT_TRUE(journals.journals.empty());
  }
}

// No batch and no undo runs without its journal unless the user says so;
// No changes nothing at all. A write that fails later is told once, at
// the end.
TEST(RunJournal, NoRunWithoutItsJournalUnlessTheUserSaysSo) {
  const std::string question =
      "警告：|无法写入更名记录（无法建立文件夹 C:\\Users\\u\\澄川改名宝\\：已有同名的文件）。\r\n"
      "没有这份记录，更名中途被打断（程序崩溃、断电、注销）时将无法改回原来的名称。\r\n是否仍然继续？";
  const std::string done = "提示：|更名完成，是否立即打开文件夹查看文件？（如果有问题可以点击撤销按钮撤销此次操作！）";
  struct Case {
    const char* what;
    bool undo;
    bool goOn;
    std::vector<std::string> prompts;
  };
  const std::vector<Case> cases = {
      {"batch, No", false, false, {question}},
      {"batch, Yes", false, true, {question, done}},
      {"undo, No", true, false, {"警告：|即将撤销上一次更名，是否继续？", question}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimulatedFolder files;
    files.files = {{"C:\\d\\a", "a"}, {"C:\\d\\b", "b"}};
    rules::ProgramState state;
    state.FolderPath = kFolder;
    state.CurrentNames = {"a", "b"};
    state.NewNames = {"x", "y"};
    state.UndoNames = {"p", "q"};
    MemoryJournals journals;
    journals.refusal = "无法建立文件夹 C:\\Users\\u\\澄川改名宝\\：已有同名的文件";
    RecordingWindow window;
    window.answers = {c.undo || c.goOn, false};
    const Disk before = files.files;
    std::optional<RenameRun> run =
        c.undo ? RenameRun::Undo(state, files, journals, window) : RenameRun::Batch(state, files, journals);
    if (c.undo) window.answers = {c.goOn};
    EXPECT_EQ(RunToEnd(*run, window).declined, !c.goOn);
    EXPECT_EQ(window.prompts, c.prompts);
    if (c.goOn) continue;
    EXPECT_EQ(files.files, before);
    EXPECT_EQ(state.UndoNames, (rules::NameList{"p", "q"}));
    EXPECT_TRUE(window.positions.empty());
    EXPECT_EQ(window.maximum, 0u);
  }

  // The disk fills up during the run.
  SimulatedFolder files;
  files.files = {{"C:\\d\\a", "a"}, {"C:\\d\\b", "b"}};
  files.locked.insert("C:\\d\\a");
  rules::ProgramState state;
  state.FolderPath = kFolder;
  state.CurrentNames = state.UndoNames = {"a", "b"};
  state.NewNames = {"x", "y"};
  MemoryJournals journals;
  RecordingWindow window;
  window.answers = {true, false};
  RenameRun run = RenameRun::Batch(state, files, journals);
  ASSERT_FALSE(run.Step(window, [] { return true; }));  // planned, its journal on disk
  EXPECT_TRUE(run.Journaled());
  journals.room = journals.journals.begin()->second.durable.size();
  RunToEnd(run, window);
  ASSERT_EQ(window.prompts.size(), 3u);
  EXPECT_EQ(window.prompts[1],
            "警告：|更名期间写入更名记录失败（disk full）。文件名不受影响，但若程序在更名中途被打断，"
            "将无法全部改回原来的名称。|OK");
  EXPECT_EQ(window.prompts[2], done);
  EXPECT_EQ(files.files, (Disk{{"C:\\d\\a", "a"}, {"C:\\d\\y", "b"}}));
}

TEST(RunJournal, NamesAndIdentitiesComeBackAndAJournalTakesNoFlushPerFile) {
  RenamePlan plan;
  plan.verdicts = {Verdict::Deliverable, Verdict::ShortNameTaken};
  plan.steps = {{1, 0}, {0}, {1}};
  plan.parkingNames = {"b%\t.~改名中"};
  plan.identities = {{18446744073709551615u, 133500000000000000, 0}, {}};
  plan.volume = {4294967295u, true, false};
  MemoryJournals journals;
  RunJournal journal = RunJournal::Begin(journals, JournalKind::Undo, "C:\\%d\n\\",
                                         {"a\tb", "\x81\x0a"}, {"b", "c\r"}, plan);
  auto& written = journals.journals.begin()->second;
  EXPECT_EQ(written.durable, written.appended);
  journal.StepDone(0);
  journal.StepDone(1);
  EXPECT_NE(written.durable, written.appended);
  journal.Moved(1, "%1");
  EXPECT_EQ(written.durable, written.appended);
  journal.Middle(0, "a\tb.~改大小写");
  EXPECT_EQ(written.durable, written.appended);
  const auto contents = ParseJournal(written.durable);
  ASSERT_TRUE(contents);
  EXPECT_EQ(contents->kind, JournalKind::Undo);
  EXPECT_EQ(contents->folder, "C:\\%d\n\\");
  EXPECT_EQ(contents->before, (rules::NameList{"a\tb", "\x81\x0a"}));
  EXPECT_EQ(contents->targets, (rules::NameList{"b", "c\r"}));
  EXPECT_EQ(contents->verdicts, plan.verdicts);
  EXPECT_TRUE(contents->hasIdentities);
  EXPECT_EQ(contents->identities, plan.identities);
  EXPECT_TRUE(contents->volume.known);
  EXPECT_EQ(contents->volume.serial, 4294967295u);
  EXPECT_FALSE(contents->volume.keepsFileIds);
  ASSERT_EQ(contents->steps.size(), 3u);
  EXPECT_EQ(ParkingName(contents->parkingNames, contents->steps[0]), "b%\t.~改名中");
  ASSERT_EQ(contents->marks.size(), 4u);
  EXPECT_EQ(contents->marks[2].name, "%1");
  EXPECT_EQ(contents->marks[3].type, JournalContents::Mark::Middle);
  EXPECT_EQ(contents->marks[3].name, "a\tb.~改大小写");
  EXPECT_TRUE(contents->planned);
  EXPECT_FALSE(contents->ended);
  journal.End();
  EXPECT_TRUE(journals.journals.empty());
}

}  // namespace
}  // namespace exec
