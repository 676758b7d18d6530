// A run cut short, read from its journal and the disk: where each file is
// now, and the name it gets back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "exec/rename_ports.h"
#include "exec/run_journal.h"
#include "rules/program_state.h"

namespace exec {

struct CutShortRun {
  std::string folder;
  rules::NameList current;  // each row's name on disk now
  rules::NameList restore;  // the name it gets back
  // The rows in the reverse of the order the run took them.
  std::vector<size_t> order;
  size_t renamed = 0;       // rows that are not under the name they get back
  bool inFolder = false;    // some row's file is in the folder at all
};

// The marks that reached the disk are replayed; the steps after them are
// read from the disk, in the plan's order, for as long as the disk shows
// each one carried out (the marks of those steps may have been lost). So
// neither a lost mark nor a file moved since is taken on trust. Nothing
// when the journal names something that is not one name of its folder.
std::optional<CutShortRun> FindCutShortRun(const JournalContents& journal, FileOperations& files);

}  // namespace exec
