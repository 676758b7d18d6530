// Journals kept in memory: what reached "the disk" and what was only
// appended, so a test can cut a journal where a power cut could; and the
// rename history they become, in memory too.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "exec/run_history.h"
#include "exec/run_journal.h"

namespace testing_support {

class MemoryJournals final : public exec::JournalStore, public exec::RunHistory {
 public:
  struct Journal {
    std::string durable;   // on disk for sure
    std::string appended;  // all that was appended
  };
  std::map<std::string, Journal> journals;
  std::vector<std::string> setAside;
  // Not empty: no journal can be made, for this reason.
  std::string refusal;
  // A journal takes no more than this many bytes to the disk; the write
  // that would go beyond fails.
  size_t room = std::string::npos;
  // The history's entries by name ("entry1", "entry2"...: oldest first),
  // when they ended, and whether journals become entries.
  std::map<std::string, std::string> entries;
  std::string time = "2026-12-10 09:30";
  bool keeping = true;

  std::unique_ptr<exec::JournalFile> Create(std::string& failure) override {
    if (!refusal.empty()) {
      failure = refusal;
      return nullptr;
    }
    const std::string name = "journal" + std::to_string(++created_);
    journals[name];
    return std::make_unique<File>(*this, name);
  }
  std::vector<std::string> Left() override {
    std::vector<std::string> left;
    for (const auto& [name, journal] : journals) left.push_back(name);
    return left;
  }
  std::optional<std::string> Read(const std::string& name) override {
    const auto found = journals.find(name);
    if (found == journals.end()) return std::nullopt;
    return found->second.durable;
  }
  void Remove(const std::string& name) override { journals.erase(name); }
  void SetAside(const std::string& name) override {
    setAside.push_back(name);
    journals.erase(name);
  }
  std::string Where(const std::string& name) override { return "C:\\journals\\" + name; }

  std::vector<std::string> Entries() override {
    std::vector<std::pair<int, std::string>> byAge;
    for (const auto& [name, text] : entries) byAge.emplace_back(std::stoi(name.substr(5)), name);
    std::sort(byAge.rbegin(), byAge.rend());
    std::vector<std::string> newestFirst;
    for (const auto& [age, name] : byAge) newestFirst.push_back(name);
    return newestFirst;
  }
  std::optional<std::string> ReadEntry(const std::string& name) override {
    const auto found = entries.find(name);
    if (found == entries.end()) return std::nullopt;
    return found->second;
  }
  void MarkUndone(const std::string& name) override {
    if (entries.count(name)) entries[name][exec::kUndoneOffset] = '1';
  }
  void Forget(const std::string& name) override { entries.erase(name); }
  void SetEntryAside(const std::string& name) override {
    setAside.push_back(name);
    entries.erase(name);
  }

 private:
  class File final : public exec::JournalFile {
   public:
    File(MemoryJournals& store, std::string name) : store_(store), name_(std::move(name)) {}
    void Append(std::string_view bytes) override { store_.journals[name_].appended.append(bytes); }
    void MakeDurable() override {
      Journal& journal = store_.journals[name_];
      if (journal.appended.size() > store_.room) {
        journal.durable = journal.appended.substr(0, store_.room);
        failure_ = "disk full";
      } else {
        journal.durable = journal.appended;
      }
    }
    void Discard() override { store_.journals.erase(name_); }
    std::string Keep() override {
      const std::string text = store_.journals[name_].durable;
      Discard();
      if (!store_.keeping) return {};
      const std::string entry = "entry" + std::to_string(++store_.kept_);
      store_.entries[entry] = exec::HistoryHeader(store_.time) + text;
      return entry;
    }
    std::string Failure() const override { return failure_; }

   private:
    MemoryJournals& store_;
    std::string name_;
    std::string failure_;
  };
  int created_ = 0;
  int kept_ = 0;
};

}  // namespace testing_support
