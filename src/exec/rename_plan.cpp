#include "exec/rename_plan.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "exec/plain_name.h"

namespace exec {
namespace {

using Key = std::u16string;
// Views into the keys that the planner keeps for its whole run.
using KeyView = std::u16string_view;
constexpr size_t kNone = static_cast<size_t>(-1);
// A file parked to break a cycle keeps its name in front of this, so a
// person who finds it can tell what it was.
constexpr char kParkSuffix[] = ".~改名中";

// `name` without its last character (code page 936: 0x81 to 0xFE lead a
// double-byte character).
std::string WithoutLastCharacter(const std::string& name) {
  size_t last = 0;
  for (size_t i = 0; i < name.size();) {
    last = i;
    const auto byte = static_cast<unsigned char>(name[i]);
    i += (byte >= 0x81 && byte <= 0xFE && i + 1 < name.size()) ? 2 : 1;
  }
  return name.substr(0, last);
}

class Planner {
 public:
  Planner(const std::vector<Key>& folderKeys, const rules::NameList& current,
          const rules::NameList& targets, FileOperations& names)
      : current_(current), targets_(targets), names_(names), count_(current.size()) {
    inFolder_.reserve(folderKeys.size());
    holders_.reserve(count_);
    claims_.reserve(count_);
    for (const Key& key : folderKeys) ++inFolder_[KeyView(key)];
    plan_.verdicts.assign(count_, Verdict::Deliverable);
    plan_.claimants.resize(count_);
    from_.resize(count_);
    to_.resize(count_);
    exists_.assign(count_, false);
  }

  RenamePlan Plan(const std::vector<size_t>& order) {
    ReadNames();
    JudgeTargets();
    FindTakenNames();
    Order(order);
    return std::move(plan_);
  }

 private:
  bool Movable(size_t row) const {
    return plan_.verdicts[row] == Verdict::Deliverable || plan_.verdicts[row] == Verdict::SourceMissing;
  }
  bool MovesAway(size_t row) const { return Movable(row) && *to_[row] != *from_[row]; }

  void ReadNames() {
    for (size_t row = 0; row < count_; ++row) {
      from_[row] = names_.NameKey(current_[row]);
      if (!from_[row] || inFolder_.count(KeyView(*from_[row])) == 0) continue;
      exists_[row] = true;
      auto [holder, first] = holders_.emplace(KeyView(*from_[row]), row);
      if (!first) holder->second = kNone;  // two picked entries share the name
    }
  }

  // Unchanged, invalid and later duplicate rows, in list order.
  void JudgeTargets() {
    for (size_t row = 0; row < count_ && row < targets_.size(); ++row) {
      plan_.claimants[row] = row;
      if (targets_[row] == current_[row]) {
        plan_.verdicts[row] = Verdict::Unchanged;
        continue;
      }
      to_[row] = names_.NameKey(targets_[row]);
      if (!to_[row] || !IsPlainFileName(*to_[row])) {
        plan_.verdicts[row] = Verdict::Invalid;
        continue;
      }
      auto [claim, first] = claims_.emplace(KeyView(*to_[row]), row);
      if (!first) {
        plan_.verdicts[row] = Verdict::Duplicate;
        plan_.claimants[row] = claim->second;
      }
    }
    for (size_t row = targets_.size(); row < count_; ++row) plan_.verdicts[row] = Verdict::Invalid;
  }

  // The holder of a row's target must move away first; a holder that stays
  // makes the row fail, and so on back along the chain.
  void FindTakenNames() {
    std::vector<size_t> failed;
    for (size_t row = 0; row < count_; ++row) {
      if (!Movable(row)) continue;
      if (!CanFollowHolder(row)) {
        plan_.verdicts[row] = Verdict::Taken;
        failed.push_back(row);
      }
    }
    while (!failed.empty()) {
      const size_t row = failed.back();
      failed.pop_back();
      if (!exists_[row]) continue;
      const auto waiting = claims_.find(KeyView(*from_[row]));
      if (waiting == claims_.end() || waiting->second == row || !Movable(waiting->second)) continue;
      plan_.verdicts[waiting->second] = Verdict::Taken;
      failed.push_back(waiting->second);
    }
    for (size_t row = 0; row < count_; ++row) {
      if (plan_.verdicts[row] == Verdict::Deliverable && !exists_[row]) {
        plan_.verdicts[row] = Verdict::SourceMissing;
      }
    }
  }

  bool CanFollowHolder(size_t row) const {
    const KeyView target = *to_[row];
    const auto entries = inFolder_.find(target);
    if (entries == inFolder_.end()) return true;
    const auto holder = holders_.find(target);
    if (holder == holders_.end() || holder->second == kNone || entries->second > 1) return false;
    return holder->second == row || MovesAway(holder->second);
  }

  // The other picked row whose file holds `row`'s target.
  size_t HolderOf(size_t row) const {
    const auto holder = holders_.find(KeyView(*to_[row]));
    if (holder == holders_.end() || holder->second == row) return kNone;
    return holder->second;
  }
  size_t PendingHolder(size_t row, const std::vector<bool>& done) const {
    const size_t holder = HolderOf(row);
    return holder == kNone || done[holder] ? kNone : holder;
  }

  void Order(const std::vector<size_t>& order) {
    plan_.steps.reserve(count_);
    std::vector<bool> done(count_, false);
    std::vector<size_t> chain;
    for (size_t start : order) {
      if (start >= count_ || start >= targets_.size() || done[start]) continue;
      done[start] = true;
      chain.assign(1, start);
      bool cycle = false;
      if (Movable(start)) {
        for (size_t next = PendingHolder(start, done); next != kNone;
             next = PendingHolder(chain.back(), done)) {
          chain.push_back(next);
          done[next] = true;
        }
        cycle = chain.size() > 1 && HolderOf(chain.back()) == start;
      }
      if (cycle) plan_.steps.push_back({start, ParkingName(start)});
      for (size_t i = chain.size(); i-- > 1;) plan_.steps.push_back({chain[i], {}});
      plan_.steps.push_back({start, {}});
    }
  }

  // A name no entry has, no row wants and no other parked file uses.
  std::string ParkingName(size_t row) {
    std::string base = current_[row];
    for (unsigned attempt = 1;; ++attempt) {
      const std::string suffix = kParkSuffix + (attempt > 1 ? std::to_string(attempt) : "");
      const std::optional<Key> key = names_.NameKey(base + suffix);
      if ((!key || key->size() > kLongestName) && !base.empty()) {
        base = WithoutLastCharacter(base);
        --attempt;
        continue;
      }
      if (key && IsPlainFileName(*key) && inFolder_.count(KeyView(*key)) == 0 &&
          claims_.count(KeyView(*key)) == 0 && holders_.count(KeyView(*key)) == 0 &&
          parked_.insert(*key).second) {
        return base + suffix;
      }
    }
  }

  const rules::NameList& current_;
  const rules::NameList& targets_;
  FileOperations& names_;
  const size_t count_;
  RenamePlan plan_;
  std::unordered_map<KeyView, uint32_t> inFolder_;
  std::unordered_map<KeyView, size_t> holders_;  // existing picked entry by name, kNone when shared
  std::unordered_map<KeyView, size_t> claims_;   // the row that gets a target name
  std::unordered_set<Key> parked_;
  std::vector<std::optional<Key>> from_, to_;
  std::vector<bool> exists_;
};

}  // namespace

RenamePlan PlanRenames(const std::vector<std::u16string>& folderKeys, const rules::NameList& current,
                       const rules::NameList& targets, const std::vector<size_t>& order,
                       FileOperations& names) {
  return Planner(folderKeys, current, targets, names).Plan(order);
}

std::vector<size_t> ListOrder(size_t count) {
  std::vector<size_t> order(count);
  for (size_t row = 0; row < count; ++row) order[row] = row;
  return order;
}

}  // namespace exec
