// The rename history: the journal of every run that ended having renamed
// files is kept as an entry, so that its files can go back later (after
// the Edit window closed, after the program ended). An entry is a line that
// says when it ended and whether it has been undone, then the run's
// journal as it was written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exec/file_identity.h"
#include "exec/rename_ports.h"
#include "exec/run_journal.h"

namespace exec {

// Where entries are kept.
class RunHistory {
 public:
  virtual ~RunHistory() = default;
  // The entries, newest first.
  virtual std::vector<std::string> Entries() = 0;
  // An entry's bytes; nothing when it can't be read.
  virtual std::optional<std::string> ReadEntry(const std::string& entry) = 0;
  // Its run has been undone.
  virtual void MarkUndone(const std::string& entry) = 0;
  virtual void Forget(const std::string& entry) = 0;
  // Kept for a person to look at, but no longer an entry.
  virtual void SetEntryAside(const std::string& entry) = 0;
};

// The first line of an entry that ended at `time` ("yyyy-mm-dd hh:mm"), not
// yet undone. Marking it undone changes the one byte at kUndoneOffset.
std::string HistoryHeader(std::string_view time);
inline constexpr size_t kUndoneOffset = 34;

struct HistoryEntry {
  std::string time;  // yyyy-mm-dd hh:mm
  bool undone = false;
  JournalKind kind = JournalKind::Batch;
  std::string folder;
  VolumeIdentity volume;
  struct Row {
    std::string before, after;
    FileIdentity identity;  // the file's, which a rename does not change
  };
  // The files it renamed, in the order it last moved them.
  std::vector<Row> rows;
};

// Nothing when the text is no entry: no header, or a journal that is
// damaged, did not end or renamed nothing.
std::optional<HistoryEntry> ParseHistoryEntry(std::string_view text);

// What became of a row's file since its run.
enum class RowState {
  AsLeft,   // still under its name after, the very file
  Undone,   // not so, and the entry has been undone
  Changed,  // not so otherwise: renamed, replaced, deleted since (or its folder is away)
};

// Each row's state, from one listing of the entry's folder.
std::vector<RowState> RowStates(const HistoryEntry& entry, FileOperations& files);

}  // namespace exec
