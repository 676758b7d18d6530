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
  // Everything appended so far is on the disk when this returns, unless a
  // write failed.
  virtual void MakeDurable() = 0;
  // The run has ended: its journal is no longer wanted.
  virtual void Discard() = 0;
  // The run has ended having renamed files: its journal becomes an entry
  // of the rename history (run_history.h), unless the user keeps none. The
  // entry's name; empty when none was kept (and the journal is gone).
  virtual std::string Keep() = 0;
  // Why the first write that failed did (one line, GBK); empty while none has.
  virtual std::string Failure() const = 0;
};

// Where journals are kept.
class JournalStore {
 public:
  virtual ~JournalStore() = default;
  // A new journal; nothing when none can be written, and `failure` then
  // says why (one line, GBK).
  virtual std::unique_ptr<JournalFile> Create(std::string& failure) = 0;
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

// Every run cut short is put back to the names from before the batch: a
// batch is undone, an undo or a restore (itself the putting back of a run
// cut short) is completed.
enum class JournalKind { Batch, Undo, Restore };

class RunJournal {
 public:
  RunJournal() = default;
  // Writes the plan of renaming `before`[i] to `targets`[i] in `folder`,
  // with each row's file as listed, and makes it durable. Whether that
  // worked, Written and Failure tell.
  static RunJournal Begin(JournalStore& store, JournalKind kind, const std::string& folder,
                          const rules::NameList& before, const rules::NameList& targets,
                          const RenamePlan& plan);

  // The plan is on disk: a run cut short from here on can be put back.
  bool Written() const { return written_; }
  // Why the journal could not be made, or the first write that failed.
  std::string Failure() const;

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
  // Row `row`'s file may be under `name` from now on, the middle name of a
  // change of letter case: on disk before the file moves there.
  void Middle(size_t row, const std::string& name);
  // A run that stops for the program's end: its journal stays for the
  // next start.
  void MakeDurable();
  // The run has ended as it should: the journal goes, or with `keep` (the
  // run renamed files) stays as an entry of the rename history, whose name
  // is returned (empty when none was kept).
  std::string End(bool keep = false);

 private:
  void AppendNamed(char type, size_t row, const std::string& name);

  std::unique_ptr<JournalFile> file_;
  std::string failure_;  // once the file is gone
  bool written_ = false;
};

// A journal as written: the plan, and the marks that reached the disk (up
// to the first that is incomplete or damaged).
struct JournalContents {
  JournalKind kind = JournalKind::Batch;
  std::string folder;
  rules::NameList before, targets;
  std::vector<Verdict> verdicts;  // each row's, as planned
  // Each row's file when the run was planned (not known for a row whose
  // file was not there); none in a journal of the first version, whose
  // rows only names tell.
  bool hasIdentities = false;
  std::vector<FileIdentity> identities;
  VolumeIdentity volume;
  std::vector<RenameStep> steps;
  std::vector<std::string> parkingNames;
  // The plan was written whole: only then can a rename have happened.
  bool planned = false;
  struct Mark {
    enum Type : char { Done = 'd', Failed = 'f', Moved = 'm', Middle = 'c' } type;
    size_t index;      // the step, or for Moved and Middle the row
    std::string name;  // for Moved and Middle
  };
  std::vector<Mark> marks;
  bool ended = false;
};

// Nothing when the text is no journal, or a damaged one.
std::optional<JournalContents> ParseJournal(std::string_view text);

}  // namespace exec
