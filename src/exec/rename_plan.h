// The plan of a batch: which rows the file system can deliver, and an
// order of renames in which each of them goes through. Preview draws the
// verdicts, Batch rename and Undo carry the plan out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exec/rename_ports.h"
#include "rules/program_state.h"

namespace exec {

enum class Verdict : uint8_t {
  Unchanged,      // renamed onto its own name
  Deliverable,
  SourceMissing,  // still tried: the folder may have changed since it was read
  Invalid,        // not a plain file name on Windows
  TooLong,        // the name, or the path it gives, is longer than Windows takes
  Duplicate,      // an earlier row in list order claims the same name
  Taken,          // an entry that stays has the name when the row's turn comes
  NotTheFile,     // a putting back: the file under the name is not the one the run renamed
  ShortNameTaken,  // another entry has the name as its 8.3 short name
};

// Rows that are never handed to the file system.
constexpr bool IsRefused(Verdict verdict) {
  return verdict == Verdict::Invalid || verdict == Verdict::TooLong || verdict == Verdict::Duplicate ||
         verdict == Verdict::Taken || verdict == Verdict::NotTheFile || verdict == Verdict::ShortNameTaken;
}
// Rows the preview marks: the batch will fail on them.
constexpr bool IsMarked(Verdict verdict) {
  return verdict != Verdict::Unchanged && verdict != Verdict::Deliverable;
}

inline constexpr uint32_t kNoParking = UINT32_MAX;

// One rename of the plan, eight bytes: a plan holds one per row. With a
// parking name (an index into the plan's parking names), the row's file
// first moves aside under that temporary name, to break a cycle; its own
// rename then comes later in the plan, after the rest of the cycle.
struct RenameStep {
  uint32_t row;
  uint32_t parking = kNoParking;
};

// The temporary name of a step that parks its file; empty for any other.
const std::string& ParkingName(const std::vector<std::string>& parkingNames, const RenameStep& step);

struct RenamePlan {
  std::vector<Verdict> verdicts;
  // For a Duplicate row, the row that gets the name.
  std::vector<size_t> claimants;
  // Every row exactly once (a parked row twice), in the order to take them.
  std::vector<RenameStep> steps;
  std::vector<std::string> parkingNames;
  // Each row's file as the folder listed it (not known for a row whose
  // file was not there), and the folder's volume.
  std::vector<FileIdentity> identities;
  VolumeIdentity volume;
};

// The files a putting back may touch: row i's file is the one with
// identity `rows`[i] on `volume`.
struct ExpectedFiles {
  std::vector<FileIdentity> rows;
  VolumeIdentity volume;
};

// What the targets are: new names, held to the plain-name test, or the
// names the files had before (which the file system held as they are).
enum class Targets { NewNames, FormerNames };

// Plans renaming each `current`[i] to `targets`[i] inside `folder` (as
// FileOperations::ListFolder gives it). Claims on a name go by list order.
// Rows are taken in `order` (a permutation of the rows) unless a row must
// wait for another to leave its target name first. `names` folds names as
// the file system does. With `expected`, a row whose file is missing or is
// not the expected one is NotTheFile.
RenamePlan PlanRenames(const FolderListing& folder, const rules::NameList& current,
                       const rules::NameList& targets, const std::vector<size_t>& order,
                       FileOperations& names, Targets kind = Targets::NewNames,
                       const ExpectedFiles* expected = nullptr);

// 0, 1, ..., count - 1.
std::vector<size_t> ListOrder(size_t count);

}  // namespace exec
