// Run journals as files of one folder, each held open for writing by the
// run that writes it, so another running copy never takes it for one left;
// and the rename history as files of its "history" folder, each an ended
// journal behind its header, the newest 100 kept, 64 MB in all at most.
#pragma once

#include <functional>
#include <string>

#include "exec/run_history.h"
#include "exec/run_journal.h"

namespace platform {

class FolderJournals final : public exec::JournalStore, public exec::RunHistory {
 public:
  static constexpr size_t kMostEntries = 100;
  static constexpr unsigned long long kMostEntryBytes = 64ull << 20;

  // `folder` ends in "\"; it is made when the first journal is. With an
  // empty one no journal is written or found. `keeping` says whether an
  // ended run is kept in the history now (the user's switch).
  explicit FolderJournals(std::wstring folder, std::function<bool()> keeping = [] { return true; })
      : folder_(std::move(folder)), keeping_(std::move(keeping)) {}

  // The folder is made first; a file of its name, or a folder that can't be
  // made or written in, gives nothing and says why.
  std::unique_ptr<exec::JournalFile> Create(std::string& failure) override;
  std::vector<std::string> Left() override;
  std::optional<std::string> Read(const std::string& journal) override;
  void Remove(const std::string& journal) override;
  void SetAside(const std::string& journal) override;
  std::string Where(const std::string& journal) override;

  std::vector<std::string> Entries() override;
  std::optional<std::string> ReadEntry(const std::string& entry) override;
  void MarkUndone(const std::string& entry) override;
  void Forget(const std::string& entry) override;
  void SetEntryAside(const std::string& entry) override;

  // The journal at `journalPath`, ended, as a new entry (written whole
  // under another name first, then renamed); the oldest entries go beyond
  // the bounds. The entry's name; empty when none was kept.
  std::string KeepEntry(const std::wstring& journalPath);

 private:
  std::wstring HistoryFolder() const { return folder_ + L"history\\"; }
  void DropTheOldest();

  std::wstring folder_;
  std::function<bool()> keeping_;
  unsigned created_ = 0;
};

// The user's own journal folder: "澄川改名宝" in the local application
// data folder; empty when the system names none.
std::wstring UserJournalFolder();

}  // namespace platform
