// Run journals as files of one folder, each held open for writing by the
// run that writes it, so another running copy never takes it for one left.
#pragma once

#include <string>

#include "exec/run_journal.h"

namespace platform {

class FolderJournals final : public exec::JournalStore {
 public:
  // `folder` ends in "\"; it is made when the first journal is. With an
  // empty one no journal is written or found.
  explicit FolderJournals(std::wstring folder) : folder_(std::move(folder)) {}

  // The folder is made first; a file of its name, or a folder that can't be
  // made or written in, gives nothing and says why.
  std::unique_ptr<exec::JournalFile> Create(std::string& failure) override;
  std::vector<std::string> Left() override;
  std::optional<std::string> Read(const std::string& journal) override;
  void Remove(const std::string& journal) override;
  void SetAside(const std::string& journal) override;
  std::string Where(const std::string& journal) override;

 private:
  std::wstring folder_;
  unsigned created_ = 0;
};

// The user's own journal folder: "澄川改名宝" in the local application
// data folder; empty when the system names none.
std::wstring UserJournalFolder();

}  // namespace platform
