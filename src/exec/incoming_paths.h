// Paths handed in from outside the program (dropped on the Main window, or
// given on the command line): which folder to show, which of its files to
// edit, and what to say of the rest.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rules/program_state.h"

namespace exec {

struct IncomingPath {
  enum class Kind { File, Folder, Missing } kind = Kind::Missing;
  std::string folder;  // GBK: a file's folder, or the folder itself; no trailing separator
  std::string name;    // a file's name
  std::string path;    // as given, for a message
};

struct Incoming {
  // The folder to show; empty when nothing is there.
  std::string folder;
  // Its files to select and edit; none for a folder alone.
  rules::NameList files;
  // Files of other folders, left out.
  size_t leftOut = 0;
  // The paths that are not there, in the order given.
  std::vector<std::string> missing;
};

// Files go before folders: the first file's folder is shown with every file
// given in it; with no file, the first folder is shown alone.
Incoming SortIncoming(const std::vector<IncomingPath>& paths);

}  // namespace exec
