// The orders the Edit window's rows can be put in, each as a permutation
// for ProgramState::Reorder (row k of the new order is row order[k] now).
#pragma once

#include <cstddef>
#include <vector>

#include "exec/rename_ports.h"
#include "rules/natural_order.h"
#include "rules/program_state.h"

namespace exec {

// What a file is ordered by besides its name.
enum class FileFact { LastWrite, Size };

// Oldest first, or smallest first, as the folder lists the files now; ties,
// and then the rows whose file is not there, in natural order of their
// current names.
std::vector<size_t> OrderByFileFact(const rules::ProgramState& state, FileOperations& files, FileFact fact,
                                    const rules::CharacterRank& rank);

// The rows backwards.
std::vector<size_t> Reversed(size_t count);

// The `selected` rows (in any order) one place up, or down, each past the
// row before (after) it that is not selected; a selected row at the end
// stays, and so do those that follow it there.
std::vector<size_t> MovedUp(size_t count, const std::vector<size_t>& selected);
std::vector<size_t> MovedDown(size_t count, const std::vector<size_t>& selected);

// Where each row came from, kept as rows move: `origin`[k] is the place in
// the picked order of row k.
class RowOrigins {
 public:
  explicit RowOrigins(size_t count = 0);
  // The rows have been put in `order`.
  void Follow(const std::vector<size_t>& order);
  // The order that puts them back as they were picked.
  std::vector<size_t> Original() const;

 private:
  std::vector<size_t> origin_;
};

}  // namespace exec
