#include "exec/run_recovery.h"

#include <unordered_map>

#include "exec/plain_name.h"

namespace exec {
namespace {

class Recovery {
 public:
  Recovery(const JournalContents& journal, FileOperations& files)
      : journal_(journal), files_(files), where_(journal.before), middles_(journal.before.size()),
        parkedAs_(journal.before.size()) {
    for (const RenameStep& step : journal.steps) {
      if (step.parking != kNoParking) parkedAs_[step.row] = ParkingName(journal.parkingNames, step);
    }
  }

  std::optional<CutShortRun> Find() {
    if (!NamesStayInTheFolder()) return std::nullopt;
    listing_ = files_.ListFolder(journal_.folder);
    if (!listing_.reached) {
      CutShortRun away;
      away.kind = journal_.kind;
      away.folder = journal_.folder;
      away.reached = false;
      return away;
    }
    for (size_t index = 0; index < listing_.keys.size(); ++index) entries_.emplace(std::u16string(listing_.keys[index]), index);
    const std::optional<size_t> next = ReplayMarks();
    if (!next) return std::nullopt;
    FollowTheSteps(*next);
    return Outcome();
  }

 private:
  const std::string& Destination(size_t step) const {
    const RenameStep& s = journal_.steps[step];
    const std::string& parkAs = ParkingName(journal_.parkingNames, s);
    return parkAs.empty() ? journal_.targets[s.row] : parkAs;
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
    for (const std::string& parkAs : journal_.parkingNames) {
      if (!IsFormer(parkAs)) return false;
    }
    for (const JournalContents::Mark& mark : journal_.marks) {
      const bool named = mark.type == JournalContents::Mark::Moved || mark.type == JournalContents::Mark::Middle;
      if (named && !IsFormer(mark.name)) return false;
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
      if (mark.type == JournalContents::Mark::Middle) {
        middles_[mark.index].push_back(mark.name);
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

  // True when the entry under `name` is row `row`'s own file.
  bool OwnFileAt(size_t row, const std::string& name) {
    const auto key = Key(name);
    const auto found = key ? entries_.find(*key) : entries_.end();
    if (found == entries_.end()) return false;
    const FileIdentity now =
        found->second < listing_.identities.size() ? listing_.identities[found->second] : FileIdentity{};
    if (!journal_.hasIdentities) return true;  // names alone tell
    const FileIdentity was = row < journal_.identities.size() ? journal_.identities[row] : FileIdentity{};
    return IsSameFile(was, journal_.volume, now, listing_.volume);
  }

  // A name of the run's own for the row's file: a parking or middle name.
  bool IsTemporary(size_t row, const std::string& name) const {
    for (const std::string& middle : middles_[row]) {
      if (middle == name) return true;
    }
    return !parkedAs_[row].empty() && parkedAs_[row] == name;
  }

  // A step moved its file when its row's file was there to move, the
  // destination is on disk under that very name, holds the row's own file
  // and no other row's, and the source is free or taken by a later step's
  // file. The
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
      if (!fromKey || !toKey || !IsFormer(to) || files_.NameOnDisk(journal_.folder, to) != to ||
          !OwnFileAt(row, to)) {
        return;
      }
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

  // Both the journal and the listing tell this row's file from others.
  bool KnowsTheFile(size_t row) const {
    return row < journal_.identities.size() && journal_.identities[row].known() && !listing_.identities.empty();
  }

  // Where the disk does not show a row's own file under the name found,
  // and the file can be told from others, it may be under any name the run
  // had for it (a step the disk shows out of order, a middle name, the name
  // it gets back), but never under one where another row's file is.
  void LookAgain(const rules::NameList& restore) {
    std::unordered_map<std::u16string, size_t> found;  // key -> the row whose file is there
    std::vector<bool> placed(where_.size(), false);
    for (size_t row = 0; row < where_.size(); ++row) {
      const auto key = Key(where_[row]);
      if (!key || !OwnFileAt(row, where_[row])) continue;
      placed[row] = true;
      found.emplace(*key, row);
    }
    for (size_t row = 0; row < where_.size(); ++row) {
      if (placed[row] || !KnowsTheFile(row)) continue;
      std::vector<std::string> names = {restore[row], journal_.targets[row], parkedAs_[row]};
      names.insert(names.end(), middles_[row].begin(), middles_[row].end());
      for (const std::string& name : names) {
        const auto key = name.empty() ? std::nullopt : Key(name);
        if (!key || found.count(*key) || !OwnFileAt(row, name)) continue;
        where_[row] = name;
        found.emplace(*key, row);
        break;
      }
    }
  }

  CutShortRun Outcome() {
    CutShortRun run;
    run.kind = journal_.kind;
    run.folder = journal_.folder;
    run.restore = journal_.kind == JournalKind::Batch ? journal_.before : journal_.targets;
    run.beforeRun = journal_.before;
    if (journal_.hasIdentities) run.files = ExpectedFiles{journal_.identities, journal_.volume};
    run.temporary.assign(where_.size(), false);
    LookAgain(run.restore);
    for (size_t row = 0; row < where_.size(); ++row) {
      if (!OwnFileAt(row, where_[row])) {
        // A file the run was to rename that is nowhere now: gone, or
        // another one under its names.
        if (journal_.verdicts[row] == Verdict::Deliverable) ++run.strangers;
        continue;
      }
      ++run.present;
      if (where_[row] == run.restore[row]) continue;
      ++run.renamed;
      run.temporary[row] = IsTemporary(row, where_[row]);
    }
    run.current = where_;
    // A batch goes back the way it came; an undo or a restore goes on.
    std::vector<bool> taken(where_.size(), false);
    const size_t steps = journal_.steps.size();
    for (size_t i = 0; i < steps; ++i) {
      const size_t row = journal_.steps[journal_.kind == JournalKind::Batch ? steps - 1 - i : i].row;
      if (!taken[row]) run.order.push_back(row);
      taken[row] = true;
    }
    for (size_t row = 0; row < where_.size(); ++row) {
      if (!taken[row]) run.order.push_back(row);
    }
    return run;
  }

  const JournalContents& journal_;
  FileOperations& files_;
  rules::NameList where_;  // each row's name as far as is known
  std::vector<std::vector<std::string>> middles_;  // each row's middle names noted
  rules::NameList parkedAs_;  // each row's parking name, if the plan parks it
  FolderListing listing_;
  std::unordered_map<std::u16string, size_t> entries_;  // key -> entry of the listing
  std::u16string key_;
};

}  // namespace

std::optional<CutShortRun> FindCutShortRun(const JournalContents& journal, FileOperations& files) {
  return Recovery(journal, files).Find();
}

}  // namespace exec
