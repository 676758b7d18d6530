#include "exec/incoming_paths.h"

#include <algorithm>

namespace exec {

Incoming SortIncoming(const std::vector<IncomingPath>& paths) {
  using Kind = IncomingPath::Kind;
  Incoming incoming;
  const auto firstFile =
      std::find_if(paths.begin(), paths.end(), [](const IncomingPath& path) { return path.kind == Kind::File; });
  const auto firstFolder =
      std::find_if(paths.begin(), paths.end(), [](const IncomingPath& path) { return path.kind == Kind::Folder; });
  if (firstFile != paths.end()) {
    incoming.folder = firstFile->folder;
  } else if (firstFolder != paths.end()) {
    incoming.folder = firstFolder->folder;
  }
  for (const IncomingPath& path : paths) {
    if (path.kind == Kind::Missing) {
      incoming.missing.push_back(path.path);
    } else if (path.kind == Kind::File && path.folder == incoming.folder) {
      if (std::find(incoming.files.begin(), incoming.files.end(), path.name) == incoming.files.end()) {
        incoming.files.push_back(path.name);
      }
    } else if (path.kind == Kind::File) {
      ++incoming.leftOut;
    }
  }
  return incoming;
}

}  // namespace exec
