// The journal of a run: before the first rename its plan is on disk, and
// each step it finishes is appended, so a run cut short (a crash, a kill,
// a power cut, the end of the session) can be put back at the next start.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exec/rename_plan.h"
#include "rules/program_state.h"

namespace exec {

// One journal file being written.
class JournalFile {
 public:
  virtual ~JournalFile() = default;
  // Kept in memory until the next MakeDurable, or until enough has come.
  virtual void Append(std::string_view bytes) = 0;
  // Everything appended so far is on the disk when this returns.
  virtual void MakeDurable() = 0;
  // The run has ended: its journal is no longer wanted.
  virtual void Discard() = 0;
};

// Where journals are kept.
class JournalStore {
 public:
  virtual ~JournalStore() = default;
  // A new journal; nothing when none can be written.
  virtual std::unique_ptr<JournalFile> Create() = 0;
  // The journals left by runs that did not end, save those another running
  // copy of the program is writing now.
  virtual std::vector<std::string> Left() = 0;
  // A journal's bytes; nothing when it can't be read.
  virtual std::optional<std::string> Read(const std::string& journal) = 0;
  // Never offered again.
  virtual void Remove(const std::string& journal) = 0;
  // Kept for a person to look at, but never offered again.
  virtual void SetAside(const std::string& journal) = 0;
  // Where it is, for a message (GBK).
  virtual std::string Where(const std::string& journal) = 0;
};

// What a run's journal puts back when the run was cut short: a batch or an
// undo its names from before the run; a restore (itself the putting back
// of a run cut short) the names it was giving back.
enum class JournalKind { Batch, Undo, Restore };

class RunJournal {
 public:
  RunJournal() = default;
  // Writes the plan of renaming `before`[i] to `targets`[i] in `folder`,
  // and makes it durable. A journal the store can't give leaves a run
  // without one.
  static RunJournal Begin(JournalStore& store, JournalKind kind, const std::string& folder,
                          const rules::NameList& before, const rules::NameList& targets,
                          const RenamePlan& plan);

  // Step `step` of the plan renamed its file; kept in memory for now.
  void StepDone(size_t step);
  // A file parked to open a cycle: on disk at once, since a cycle carried
  // out whole leaves the same names on disk as one not begun.
  void Parked(size_t step);
  // Step `step` renamed nothing; on disk before the user hears of it.
  void StepFailed(size_t step);
  // A rename outside the plan (a parked file going back, a file left
  // half way under another name): on disk at once.
  void Moved(size_t row, const std::string& name);
  // A run that stops for the program's end: its journal stays for the
  // next start.
  void MakeDurable();
  // The run has ended as it should: the journal goes.
  void End();

 private:
  std::unique_ptr<JournalFile> file_;
};

// A journal as written: the plan, and the marks that reached the disk (up
// to the first that is incomplete or damaged).
struct JournalContents {
  JournalKind kind = JournalKind::Batch;
  std::string folder;
  rules::NameList before, targets;
  std::vector<Verdict> verdicts;  // each row's, as planned
  std::vector<RenameStep> steps;
  // The plan was written whole: only then can a rename have happened.
  bool planned = false;
  struct Mark {
    enum Type : char { Done = 'd', Failed = 'f', Moved = 'm' } type;
    size_t index;      // the step, or for Moved the row
    std::string name;  // for Moved
  };
  std::vector<Mark> marks;
  bool ended = false;
};

// Nothing when the text is no journal, or a damaged one.
std::optional<JournalContents> ParseJournal(std::string_view text);

}  // namespace exec
