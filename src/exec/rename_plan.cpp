#include "exec/rename_plan.h"

#include <deque>
#include <string_view>

#include "exec/name_table.h"
#include "exec/plain_name.h"
#include "rules/text_codec.h"

namespace exec {
namespace {

using KeyView = std::u16string_view;
// A file parked to break a cycle keeps its name in front of this, so a
// person who finds it can tell what it was.
constexpr char kParkSuffix[] = ".~改名中";

// `name` without its last character as the conversion reads characters
// (a four-byte code goes in two steps; the name then does not convert, and
// is shortened further).
std::string WithoutLastCharacter(const std::string& name) {
  size_t last = 0;
  for (size_t i = 0; i < name.size();) {
    last = i;
    const auto byte = static_cast<unsigned char>(name[i]);
    i += (rules::IsConversionLeadByte(byte) && i + 1 < name.size()) ? 2 : 1;
  }
  return name.substr(0, last);
}

// The folded keys of many names in one buffer: views into it stay valid
// once every name is in.
class KeyStore {
 public:
  KeyStore(size_t count, FileOperations& names) : names_(names), spans_(count) {}
  // A GBK name never has more UTF-16 units than bytes.
  void Reserve(size_t units) { all_.reserve(units); }
  void Add(size_t index, std::string_view name) {
    if (!names_.NameKey(name, buffer_)) return;
    spans_[index] = {static_cast<uint32_t>(all_.size()), static_cast<uint32_t>(buffer_.size())};
    all_ += buffer_;
  }
  // Nothing (an empty view with no data) when the name did not convert.
  KeyView operator[](size_t index) const {
    const Span& span = spans_[index];
    return span.length == kNone ? KeyView() : KeyView(all_).substr(span.offset, span.length);
  }
  bool Has(size_t index) const { return spans_[index].length != kNone; }

 private:
  static constexpr uint32_t kNone = UINT32_MAX;
  struct Span {
    uint32_t offset = 0, length = kNone;
  };
  FileOperations& names_;
  std::u16string buffer_;
  std::u16string all_;
  std::vector<Span> spans_;
};

class Planner {
 public:
  Planner(const FolderListing& folder, const rules::NameList& current,
          const rules::NameList& targets, FileOperations& names, Targets kind,
          const ExpectedFiles* expected)
      : folder_(folder), current_(current), targets_(targets), names_(names), kind_(kind),
        expected_(expected), pathUnits_(folder.pathUnits), count_(current.size()),
        to_(count_, names), table_(folder.keys.size() + folder.shortKeys.size() + count_) {
    for (size_t index = 0; index < folder.keys.size(); ++index) {
      NameTable::Entry& name = table_.Add(folder.keys[index]);
      if (name.inFolder++ == 0) name.entry = static_cast<uint32_t>(index);
    }
    plan_.verdicts.assign(count_, Verdict::Deliverable);
    plan_.identities.assign(count_, FileIdentity{});
    plan_.volume = folder.volume;
    plan_.claimants.resize(count_);
    exists_.assign(count_, false);
    targetHolder_.assign(count_, kNoRow);
  }

  RenamePlan Plan(const std::vector<size_t>& order) {
    ReadNames();
    ReadShortNames();
    JudgeTargets();
    FindTakenNames();
    Order(order);
    return std::move(plan_);
  }

 private:
  static uint32_t Row(size_t row) { return static_cast<uint32_t>(row); }
  bool HasTarget(size_t row) const { return row < targets_.size(); }
  bool Movable(size_t row) const {
    return plan_.verdicts[row] == Verdict::Deliverable || plan_.verdicts[row] == Verdict::SourceMissing;
  }
  // Only asked of a row whose file is in the folder.
  bool MovesAway(size_t row) const { return Movable(row) && to_[row] != table_.At(fromEntry_[row]).key; }

  // Each row's name is looked up once: a row whose file is in the folder
  // keeps the index of its name's entry, which views the listing's key.
  void ReadNames() {
    size_t targetBytes = 0;
    for (size_t row = 0; row < count_; ++row) {
      if (HasTarget(row)) targetBytes += targets_[row].size();
    }
    to_.Reserve(targetBytes);
    fromEntry_.assign(count_, kNoRow);
    std::u16string key;
    for (size_t row = 0; row < count_; ++row) {
      if (HasTarget(row) && targets_[row] != current_[row]) to_.Add(row, targets_[row]);
      if (!names_.NameKey(current_[row], key)) continue;
      const uint32_t index = table_.IndexOf(key);
      if (index == kNoRow) continue;
      NameTable::Entry& name = table_.At(index);
      exists_[row] = true;
      fromEntry_[row] = index;
      name.holder = name.holder == kNoRow ? static_cast<uint32_t>(row) : kSharedName;
      if (name.entry < folder_.identities.size()) plan_.identities[row] = folder_.identities[name.entry];
    }
  }

  // A short name is its own file's: a picked row's, or else one that stays.
  void ReadShortNames() {
    for (const auto& [index, key] : folder_.shortKeys) {
      if (index >= folder_.keys.size()) continue;
      const uint32_t holder = table_.Find(folder_.keys[index])->holder;
      table_.Add(key).shortOf = holder == kNoRow ? kSharedName : holder;
    }
  }

  // A putting back touches only the files it expects.
  bool IsStranger(size_t row) const {
    if (!expected_) return false;
    if (!exists_[row]) return true;
    const FileIdentity was = row < expected_->rows.size() ? expected_->rows[row] : FileIdentity{};
    return !IsSameFile(was, expected_->volume, plan_.identities[row], folder_.volume);
  }

  bool IsAllowedTarget(KeyView key) const {
    return kind_ == Targets::NewNames ? IsPlainFileName(key) : IsFormerName(key);
  }

  // Unchanged, invalid, too long and later duplicate rows, in list order.
  void JudgeTargets() {
    for (size_t row = 0; row < count_; ++row) {
      plan_.claimants[row] = row;
      if (IsStranger(row)) {
        plan_.verdicts[row] = Verdict::NotTheFile;
      } else if (!HasTarget(row)) {
        plan_.verdicts[row] = Verdict::Invalid;
      } else if (targets_[row] == current_[row]) {
        plan_.verdicts[row] = Verdict::Unchanged;
      } else if (!to_.Has(row) || !IsAllowedTarget(to_[row])) {
        plan_.verdicts[row] = Verdict::Invalid;
      } else if (!FitsInFolder(pathUnits_, to_[row].size())) {
        plan_.verdicts[row] = Verdict::TooLong;
      } else {
        NameTable::Entry& name = table_.Add(to_[row]);
        if (name.claimant == kNoRow) {
          name.claimant = static_cast<uint32_t>(row);
        } else {
          plan_.verdicts[row] = Verdict::Duplicate;
          plan_.claimants[row] = name.claimant;
        }
      }
    }
  }

  // The holder of a row's target must move away first; a holder that stays
  // makes the row fail, and so on back along the chain. Another file's
  // short name stays that file's for all the plan can tell, even when the
  // file moves.
  void FindTakenNames() {
    std::vector<size_t> failed;
    for (size_t row = 0; row < count_; ++row) {
      if (!Movable(row)) continue;
      const NameTable::Entry& name = *table_.Find(to_[row]);
      if (name.shortOf != kNoRow && name.shortOf != row) {
        plan_.verdicts[row] = Verdict::ShortNameTaken;
        failed.push_back(row);
        continue;
      }
      targetHolder_[row] = name.inFolder == 0                        ? kNoRow
                           : name.holder == kNoRow || name.inFolder > 1 ? kSharedName
                                                                        : name.holder;
    }
    for (size_t row = 0; row < count_; ++row) {
      if (Movable(row) && !CanFollowHolder(row)) {
        plan_.verdicts[row] = Verdict::Taken;
        failed.push_back(row);
      }
    }
    while (!failed.empty()) {
      const size_t row = failed.back();
      failed.pop_back();
      if (!exists_[row]) continue;
      const size_t waiting = table_.At(fromEntry_[row]).claimant;
      if (waiting == kNoRow || waiting == row || !Movable(waiting)) continue;
      plan_.verdicts[waiting] = Verdict::Taken;
      failed.push_back(waiting);
    }
    for (size_t row = 0; row < count_; ++row) {
      if (plan_.verdicts[row] == Verdict::Deliverable && !exists_[row]) {
        plan_.verdicts[row] = Verdict::SourceMissing;
      }
    }
  }

  bool CanFollowHolder(size_t row) const {
    const size_t holder = targetHolder_[row];
    if (holder == kNoRow) return true;
    return holder != kSharedName && (holder == row || MovesAway(holder));
  }

  // The other picked row whose file holds `row`'s target.
  size_t HolderOf(size_t row) const {
    const size_t holder = targetHolder_[row];
    return holder == row || holder == kSharedName ? kNoRow : holder;
  }
  size_t PendingHolder(size_t row, const std::vector<bool>& done) const {
    const size_t holder = HolderOf(row);
    return holder == kNoRow || done[holder] ? kNoRow : holder;
  }

  void Order(const std::vector<size_t>& order) {
    plan_.steps.reserve(count_);
    std::vector<bool> done(count_, false);
    std::vector<size_t> chain;
    for (size_t start : order) {
      if (start >= count_ || !HasTarget(start) || done[start]) continue;
      done[start] = true;
      chain.assign(1, start);
      bool cycle = false;
      if (Movable(start)) {
        for (size_t next = PendingHolder(start, done); next != kNoRow;
             next = PendingHolder(chain.back(), done)) {
          chain.push_back(next);
          done[next] = true;
        }
        cycle = chain.size() > 1 && HolderOf(chain.back()) == start;
      }
      if (cycle) {
        plan_.parkingNames.push_back(ParkingName(start));
        plan_.steps.push_back({Row(start), static_cast<uint32_t>(plan_.parkingNames.size() - 1)});
      }
      for (size_t i = chain.size(); i-- > 1;) plan_.steps.push_back({Row(chain[i])});
      plan_.steps.push_back({Row(start)});
    }
  }

  // A name no entry has, no row wants and no other parked file uses.
  std::string ParkingName(size_t row) {
    std::string base = current_[row];
    std::u16string key;
    for (unsigned attempt = 1;; ++attempt) {
      const std::string name = base + kParkSuffix + (attempt > 1 ? std::to_string(attempt) : "");
      const bool converts = names_.NameKey(name, key);
      if ((!converts || !FitsInFolder(pathUnits_, key.size())) && !base.empty()) {
        base = WithoutLastCharacter(base);
        --attempt;
        continue;
      }
      if (!converts || !IsPlainFileName(key) || table_.Find(key)) continue;
      table_.Add(parked_.emplace_back(std::move(key)));
      return name;
    }
  }

  const FolderListing& folder_;
  const rules::NameList& current_;
  const rules::NameList& targets_;
  FileOperations& names_;
  const Targets kind_;
  const ExpectedFiles* expected_;
  const size_t pathUnits_;
  const size_t count_;
  KeyStore to_;
  std::vector<uint32_t> fromEntry_;  // each row's name in the table, when its file is in the folder
  NameTable table_;
  std::deque<std::u16string> parked_;  // keys the table sees; a deque never moves them
  RenamePlan plan_;
  std::vector<bool> exists_;
  // For a movable row: the picked row whose file holds its target, kNoRow
  // when no entry does, kSharedName when an entry that is not one picked
  // file does.
  std::vector<uint32_t> targetHolder_;
};

}  // namespace

RenamePlan PlanRenames(const FolderListing& folder, const rules::NameList& current,
                       const rules::NameList& targets, const std::vector<size_t>& order,
                       FileOperations& names, Targets kind, const ExpectedFiles* expected) {
  return Planner(folder, current, targets, names, kind, expected).Plan(order);
}

const std::string& ParkingName(const std::vector<std::string>& parkingNames, const RenameStep& step) {
  static const std::string none;
  return step.parking < parkingNames.size() ? parkingNames[step.parking] : none;
}

std::vector<size_t> ListOrder(size_t count) {
  std::vector<size_t> order(count);
  for (size_t row = 0; row < count; ++row) order[row] = row;
  return order;
}

}  // namespace exec
