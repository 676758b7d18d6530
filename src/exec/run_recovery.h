// A run cut short, read from its journal and the disk: where each of its
// files is now, whether it is still the file the run renamed, and the name
// it gets back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "exec/rename_plan.h"
#include "exec/rename_ports.h"
#include "exec/run_journal.h"
#include "rules/program_state.h"

namespace exec {

struct CutShortRun {
  JournalKind kind = JournalKind::Batch;
  std::string folder;
  // False when the folder could not be opened: nothing else is known.
  bool reached = true;
  rules::NameList current;    // each row's name on disk now
  rules::NameList restore;    // the name it gets back: the one from before the batch
  rules::NameList beforeRun;  // the name it had when the run began
  // Now under a parking or middle name of the run's own.
  std::vector<bool> temporary;
  // The files the run renamed, to be told from others under their names;
  // nothing for a journal of the first version.
  std::optional<ExpectedFiles> files;
  // The rows in the order to take them: a batch's backwards, an undo's or
  // a restore's as it went.
  std::vector<size_t> order;
  size_t renamed = 0;    // rows whose own file is not under the name it gets back
  size_t strangers = 0;  // rows whose file the run was to rename and that is nowhere now
  size_t present = 0;    // rows whose own file is in the folder
};

// The marks that reached the disk are replayed; the steps after them are
// read from the disk, in the plan's order, for as long as the disk shows
// each one carried out by the row's own file (the marks of those steps may
// have been lost). So neither a lost mark, nor a file moved since, nor
// another file under a run's name is taken on trust. Nothing when the
// journal names something that is not one name of its folder.
std::optional<CutShortRun> FindCutShortRun(const JournalContents& journal, FileOperations& files);

}  // namespace exec
