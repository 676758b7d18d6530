// The rename history: which runs are kept, what an entry says, and the
// undo of an old entry against a folder that changed since.
#include "exec/run_history.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "exec/history_undo.h"
#include "memory_journals.h"
#include "recording_window.h"
#include "simulated_folder.h"

namespace exec {
namespace {

using testing_support::MemoryJournals;
using testing_support::RecordingWindow;
using testing_support::RunToEnd;
using testing_support::SimulatedFolder;
using Disk = std::map<std::string, std::string>;

constexpr char kFolder[] = "C:\\d\\";

struct Folder {
  SimulatedFolder files;
  MemoryJournals journals;
  RecordingWindow window;

  explicit Folder(const std::vector<std::string>& names) {
    for (const std::string& name : names) files.files[kFolder + name] = "file " + name;
    window.answerToAll = true;
  }
  RunOutcome Batch(const rules::NameList& from, const rules::NameList& to) {
    rules::ProgramState state;
    state.FillFromPicked(kFolder, from);
    state.NewNames = to;
    RenameRun run = RenameRun::Batch(state, files, journals);
    return RunToEnd(run, window);
  }
  HistoryEntry Entry(const std::string& name) {
    const std::optional<HistoryEntry> entry = ParseHistoryEntry(*journals.ReadEntry(name));
    EXPECT_TRUE(entry.has_value()) << name;
    return entry.value_or(HistoryEntry{});
  }
  RunOutcome Undo(const HistoryEntry& entry) {
    rules::ProgramState state;
    RenameRun run = UndoEntry(entry, state, files, journals);
    return RunToEnd(run, window);
  }
};

std::vector<std::string> Pairs(const HistoryEntry& entry) {
  std::vector<std::string> pairs;
  for (const HistoryEntry::Row& row : entry.rows) pairs.push_back(row.before + ">" + row.after);
  return pairs;
}

// A batch that renames files is kept with the files it renamed, in the order
// it renamed them (a chain from its far end); an undo is kept on top of it.
TEST(RunHistory, EveryRunThatRenamesFilesIsKeptNewestFirst) {
  Folder folder({"a", "aa", "b", "c"});
  const RunOutcome batch = folder.Batch({"a", "aa", "b", "c"}, {"aa", "aaa", "b", "C"});
  EXPECT_EQ(batch.kept, "entry1");
  const HistoryEntry entry = folder.Entry("entry1");
  EXPECT_EQ(entry.kind, JournalKind::Batch);
  EXPECT_EQ(entry.folder, kFolder);
  EXPECT_EQ(entry.time, "2026-12-10 09:30");
  EXPECT_FALSE(entry.undone);
  EXPECT_EQ(entry.volume.serial, folder.files.volume.serial);
  // "b" kept its name: not a rename. A change of letter case is one.
  EXPECT_EQ(Pairs(entry), (std::vector<std::string>{"aa>aaa", "a>aa", "c>C"}));
  EXPECT_EQ(entry.rows[0].identity, SimulatedFolder::IdentityOf("file aa"));

  const RunOutcome undo = folder.Undo(entry);
  EXPECT_EQ(undo.kept, "entry2");
  EXPECT_EQ(folder.journals.Entries(), (std::vector<std::string>{"entry2", "entry1"}));
  const HistoryEntry undone = folder.Entry("entry2");
  EXPECT_EQ(undone.kind, JournalKind::Undo);
  EXPECT_EQ(Pairs(undone), (std::vector<std::string>{"C>c", "aa>a", "aaa>aa"}));
  EXPECT_EQ(folder.files.files, (Disk{{"C:\\d\\a", "file a"}, {"C:\\d\\aa", "file aa"},
                                      {"C:\\d\\b", "file b"}, {"C:\\d\\c", "file c"}}));
  EXPECT_EQ(folder.window.prompts.back(), "提示：|撤销完成！文件名恢复到此次更名前的状态！|OK");
  EXPECT_TRUE(folder.journals.journals.empty());
}

TEST(RunHistory, ARunThatRenamesNothingIsNotKept) {
  Folder folder({"a", "b", "1", "2"});
  folder.files.locked.insert("C:\\d\\b");
  EXPECT_EQ(folder.Batch({"a"}, {"a"}).kept, "");  // onto its own name
  EXPECT_EQ(folder.Batch({"b"}, {"x"}).kept, "");  // failed
  folder.files.locked.insert("C:\\d\\2");
  EXPECT_EQ(folder.Batch({"1", "2"}, {"2", "1"}).kept, "");  // a cycle put back as it was
  EXPECT_EQ(folder.files.files.count("C:\\d\\1"), 1u);
  folder.journals.keeping = false;  // the user keeps no history
  EXPECT_EQ(folder.Batch({"a"}, {"y"}).kept, "");
  EXPECT_TRUE(folder.journals.entries.empty());
  EXPECT_TRUE(folder.journals.journals.empty());
}

// Each row as the file under its name after now is: the run's own file,
// or not (undone, or changed since: renamed, replaced, deleted).
TEST(RunHistory, EachRowSaysWhatBecameOfItsFile) {
  Folder folder({"a", "b", "c", "d"});
  folder.Batch({"a", "b", "c", "d"}, {"w", "x", "y", "z"});
  HistoryEntry entry = folder.Entry("entry1");
  folder.files.files.erase("C:\\d\\x");                      // deleted
  folder.files.files["C:\\d\\y"] = "another file";           // replaced
  folder.files.files["C:\\d\\zz"] = folder.files.files["C:\\d\\z"];  // renamed by hand
  folder.files.files.erase("C:\\d\\z");
  using S = RowState;
  EXPECT_EQ(RowStates(entry, folder.files), (std::vector<S>{S::AsLeft, S::Changed, S::Changed, S::Changed}));
  entry.undone = true;
  EXPECT_EQ(RowStates(entry, folder.files), (std::vector<S>{S::AsLeft, S::Undone, S::Undone, S::Undone}));
  folder.files.reachable = false;
  EXPECT_EQ(RowStates(entry, folder.files), (std::vector<S>(4, S::Undone)));
}

TEST(RunHistory, OnlyAWholeEntryIsRead) {
  Folder folder({"a"});
  folder.Batch({"a"}, {"x"});
  const std::string text = folder.journals.entries.at("entry1");
  ASSERT_TRUE(ParseHistoryEntry(text));
  folder.journals.MarkUndone("entry1");
  EXPECT_TRUE(folder.Entry("entry1").undone);
  const size_t end = text.rfind("end\n");
  const std::vector<std::string> damaged = {
      "",
      text.substr(1),
      "RNTOOL-HISTORY 2" + text.substr(16),
      text.substr(0, 17) + "2026-13-10 09:30" + text.substr(33),
      text.substr(0, 17) + "2026-12-10 09-30" + text.substr(33),
      text.substr(0, kUndoneOffset) + "2" + text.substr(kUndoneOffset + 1),
      text.substr(0, end),                              // a run that did not end
      text.substr(0, kUndoneOffset + 2) + "RNTOOL",      // no journal
  };
  for (const std::string& bad : damaged) EXPECT_FALSE(ParseHistoryEntry(bad)) << bad;
}

// The property the history is for: an old batch undone after the folder
// changed in any of the ways a folder does (later batches over some of the
// same files, files renamed by hand, deleted, replaced by others of the
// same name, an old name taken by another file). Only the entry's own files
// that are still under their names after go back; no other file is
// renamed; nothing is lost or left under a name of the program's own; the
// closing message counts the files left alone.
TEST(RunHistory, AnOldEntryUndoneTouchesOnlyItsOwnFiles) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 2000; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::vector<std::string> names = {"a", "b", "c", "d", "e", "f"};
    Folder folder(names);
    rules::NameList from, to;
    for (const std::string& name : names) {
      if (random() % 3 == 0) continue;
      from.push_back(name);
      // A new name, or another picked file's (chains and cycles).
      to.push_back(random() % 2 ? "n" + name : names[random() % names.size()]);
    }
    const std::string kept = folder.Batch(from, to).kept;
    if (kept.empty()) continue;
    const HistoryEntry entry = folder.Entry(kept);
    int stranger = 0;
    for (int change = random() % 5; change > 0; --change) {
      const HistoryEntry::Row& row = entry.rows[random() % entry.rows.size()];
      const std::string after = kFolder + row.after;
      switch (random() % 5) {
        case 0: folder.Batch({row.after}, {"later" + row.after}); break;
        case 1:
          if (folder.files.files.count(after)) {
            folder.files.files[kFolder + std::string("hand") + std::to_string(change)] = folder.files.files[after];
            folder.files.files.erase(after);
          }
          break;
        case 2: folder.files.files.erase(after); break;
        case 3: folder.files.files[after] = "stranger " + std::to_string(++stranger); break;
        case 4:
          if (!folder.files.Find(kFolder + row.before)) {
            folder.files.files[kFolder + row.before] = "stranger " + std::to_string(++stranger);
          }
          break;
      }
    }
    const Disk before = folder.files.files;
    std::set<std::string> own;  // the entry's files still under their names after
    for (const HistoryEntry::Row& row : entry.rows) {
      const auto found = before.find(kFolder + row.after);
      if (found != before.end() && SimulatedFolder::IdentityOf(found->second) == row.identity) {
        own.insert(found->second);
      }
    }
    folder.window.prompts.clear();
    folder.Undo(entry);
    const Disk& after = folder.files.files;

    std::multiset<std::string> was, is;
    for (const auto& [path, contents] : before) was.insert(contents);
    for (const auto& [path, contents] : after) is.insert(contents);
    EXPECT_EQ(is, was);
    for (const auto& [path, contents] : before) {
      if (!own.count(contents)) EXPECT_EQ(after.count(path) ? after.at(path) : "(gone)", contents) << path;
    }
    size_t failed = 0;
    for (const HistoryEntry::Row& row : entry.rows) {
      const auto contents = before.find(kFolder + row.after);
      if (contents == before.end() || !own.count(contents->second)) continue;
      const bool back = after.count(kFolder + row.before) && after.at(kFolder + row.before) == contents->second;
      const bool stayed = after.count(kFolder + row.after) && after.at(kFolder + row.after) == contents->second;
      EXPECT_TRUE(back || stayed) << row.before << " " << row.after;
      failed += back ? 0 : 1;
    }
    for (const auto& [path, contents] : after) EXPECT_EQ(path.find(".~"), std::string::npos) << path;
    const size_t leftAlone = entry.rows.size() - own.size();
    const std::string closing = leftAlone == 0 ? "提示：|撤销完成！文件名恢复到此次更名前的状态！|OK"
                                               : "提示：|撤销完成，有 " + std::to_string(leftAlone) +
                                                     " 个文件在这次更名之后又被改动或已不存在，没有撤销。|OK";
    ASSERT_FALSE(folder.window.prompts.empty());
    EXPECT_EQ(folder.window.prompts.back(), closing);
    EXPECT_EQ(folder.window.prompts.size(), failed + 1);  // a prompt for each file that could not go back
  }
}

}  // namespace
}  // namespace exec
