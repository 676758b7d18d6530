// Paths handed in from outside: the folder shown, the files edited, and
// what is said of the rest.
#include "exec/incoming_paths.h"

#include <gtest/gtest.h>

namespace exec {
namespace {

using Kind = IncomingPath::Kind;

IncomingPath File(const std::string& folder, const std::string& name) {
  return {Kind::File, folder, name, folder + "\\" + name};
}
IncomingPath Folder(const std::string& folder) { return {Kind::Folder, folder, "", folder}; }
IncomingPath Missing(const std::string& path) { return {Kind::Missing, "", "", path}; }

TEST(IncomingPaths, WhatEachKindOfHandInComesTo) {
  struct Row {
    const char* what;
    std::vector<IncomingPath> paths;
    std::string folder;
    rules::NameList files;
    size_t leftOut;
    std::vector<std::string> missing;
  };
  const std::vector<Row> table = {
      {"files of one folder", {File("C:\\p", "a.jpg"), File("C:\\p", "报告 1.doc")}, "C:\\p", {"a.jpg", "报告 1.doc"}, 0, {}},
      {"the same file twice", {File("C:\\p", "a"), File("C:\\p", "a")}, "C:\\p", {"a"}, 0, {}},
      {"a folder alone", {Folder("D:\\相册 2024")}, "D:\\相册 2024", {}, 0, {}},
      {"files of two folders", {File("C:\\p", "a"), File("C:\\q", "b"), File("C:\\q", "c"), File("C:\\p", "d")},
       "C:\\p", {"a", "d"}, 2, {}},
      {"a folder and files: the files", {Folder("C:\\q"), File("C:\\p", "a")}, "C:\\p", {"a"}, 0, {}},
      {"every path missing", {Missing("C:\\gone"), Missing("C:\\also gone")}, "", {}, 0, {"C:\\gone", "C:\\also gone"}},
      {"one missing among files", {Missing("C:\\p\\x"), File("C:\\p", "a")}, "C:\\p", {"a"}, 0, {"C:\\p\\x"}},
      {"nothing", {}, "", {}, 0, {}},
  };
  for (const Row& row : table) {
    SCOPED_TRACE(row.what);
    const Incoming incoming = SortIncoming(row.paths);
    EXPECT_EQ(incoming.folder, row.folder);
    EXPECT_EQ(incoming.files, row.files);
    EXPECT_EQ(incoming.leftOut, row.leftOut);
    EXPECT_EQ(incoming.missing, row.missing);
  }
}

}  // namespace
}  // namespace exec
