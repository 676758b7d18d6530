#include "exec/run_recovery.h"

#include <unordered_map>
#include <unordered_set>

#include "exec/plain_name.h"

namespace exec {
namespace {

class Recovery {
 public:
  Recovery(const JournalContents& journal, FileOperations& files)
      : journal_(journal), files_(files), where_(journal.before) {}

  std::optional<CutShortRun> Find() {
    if (!NamesStayInTheFolder()) return std::nullopt;
    const std::optional<size_t> next = ReplayMarks();
    if (!next) return std::nullopt;
    FollowTheSteps(*next);
    return Outcome();
  }

 private:
  const std::string& Destination(size_t step) const {
    const RenameStep& s = journal_.steps[step];
    return s.parkAs.empty() ? journal_.targets[s.row] : s.parkAs;
  }

  bool IsFormer(const std::string& name) {
    return files_.NameKey(name, key_) && IsFormerName(key_);
  }
  std::optional<std::u16string> Key(const std::string& name) {
    if (!files_.NameKey(name, key_)) return std::nullopt;
    return key_;
  }

  // Every name a file may be under now was one on disk, or one the plan
  // chose inside the folder.
  bool NamesStayInTheFolder() {
    for (const std::string& name : journal_.before) {
      if (!IsFormer(name)) return false;
    }
    for (const RenameStep& step : journal_.steps) {
      if (!step.parkAs.empty() && !IsFormer(step.parkAs)) return false;
    }
    for (const JournalContents::Mark& mark : journal_.marks) {
      if (mark.type == JournalContents::Mark::Moved && !IsFormer(mark.name)) return false;
    }
    if (journal_.kind == JournalKind::Restore) {
      for (const std::string& name : journal_.targets) {
        if (!IsFormer(name)) return false;
      }
    }
    return true;
  }

  // The step after the last one marked; nothing when a mark says a file
  // went where no file can be.
  std::optional<size_t> ReplayMarks() {
    size_t next = 0;
    for (const JournalContents::Mark& mark : journal_.marks) {
      if (mark.type == JournalContents::Mark::Moved) {
        where_[mark.index] = mark.name;
        continue;
      }
      if (mark.type == JournalContents::Mark::Done) {
        if (!IsFormer(Destination(mark.index))) return std::nullopt;
        where_[journal_.steps[mark.index].row] = Destination(mark.index);
      }
      next = mark.index + 1;
    }
    return next;
  }

  // A step moved its file when its row's file was there to move, the
  // destination is on disk under that very name and holds no other row's
  // file, and the source is free or taken by a later step's file. The
  // first step that the disk does not show carried out is where the run
  // stopped: a step that fails is marked on disk before anything else
  // happens, so between the last mark and the kill only steps that went
  // through are unmarked.
  void FollowTheSteps(size_t first) {
    std::unordered_map<std::u16string, size_t> lastInto, holder;
    for (size_t step = first; step < journal_.steps.size(); ++step) {
      if (const auto key = Key(Destination(step))) lastInto[*key] = step;
    }
    for (size_t row = 0; row < where_.size(); ++row) {
      if (const auto key = Key(where_[row])) holder[*key] = row;
    }
    for (size_t step = first; step < journal_.steps.size(); ++step) {
      const size_t row = journal_.steps[step].row;
      const std::string from = where_[row];
      const std::string& to = Destination(step);
      if (to == from) continue;
      if (journal_.verdicts[row] != Verdict::Deliverable) return;
      const auto fromKey = Key(from), toKey = Key(to);
      if (!fromKey || !toKey || !IsFormer(to) || files_.NameOnDisk(journal_.folder, to) != to) return;
      const auto held = holder.find(*toKey);
      if (held != holder.end() && held->second != row) return;
      if (*toKey != *fromKey && files_.NameOnDisk(journal_.folder, from)) {
        const auto later = lastInto.find(*fromKey);
        if (later == lastInto.end() || later->second <= step) return;
      }
      const auto left = holder.find(*fromKey);
      if (left != holder.end() && left->second == row) holder.erase(left);
      holder[*toKey] = row;
      where_[row] = to;
    }
  }

  CutShortRun Outcome() {
    CutShortRun run;
    run.folder = journal_.folder;
    run.current = where_;
    run.restore = journal_.kind == JournalKind::Restore ? journal_.targets : journal_.before;
    for (size_t row = 0; row < run.current.size(); ++row) {
      if (run.current[row] != run.restore[row]) ++run.renamed;
    }
    std::vector<bool> taken(where_.size(), false);
    for (size_t step = journal_.steps.size(); step-- > 0;) {
      const size_t row = journal_.steps[step].row;
      if (!taken[row]) run.order.push_back(row);
      taken[row] = true;
    }
    for (size_t row = 0; row < where_.size(); ++row) {
      if (!taken[row]) run.order.push_back(row);
    }
    const FolderListing listing = files_.ListFolder(journal_.folder);
    const std::unordered_set<std::u16string> entries(listing.keys.begin(), listing.keys.end());
    for (const std::string& name : where_) {
      const auto key = Key(name);
      if (key && entries.count(*key)) {
        run.inFolder = true;
        break;
      }
    }
    return run;
  }

  const JournalContents& journal_;
  FileOperations& files_;
  rules::NameList where_;  // each row's name as far as is known
  std::u16string key_;
};

}  // namespace

std::optional<CutShortRun> FindCutShortRun(const JournalContents& journal, FileOperations& files) {
  return Recovery(journal, files).Find();
}

}  // namespace exec
