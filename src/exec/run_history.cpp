#include "exec/run_history.h"

#include <algorithm>
#include <unordered_map>

namespace exec {
namespace {

constexpr std::string_view kHeaderStart = "RNTOOL-HISTORY 1\t";
constexpr size_t kTimeSize = 16;  // yyyy-mm-dd hh:mm

// Where each row's file is at the end of the run, and the order in which
// the rows last moved.
struct Replay {
  rules::NameList where;
  std::vector<size_t> order;
};

Replay ReplayEndedRun(const JournalContents& journal) {
  Replay replay{journal.before, {}};
  auto moved = [&](size_t row, const std::string& name) {
    replay.where[row] = name;
    replay.order.push_back(row);
  };
  for (const JournalContents::Mark& mark : journal.marks) {
    if (mark.type == JournalContents::Mark::Moved) {
      moved(mark.index, mark.name);
    } else if (mark.type == JournalContents::Mark::Done) {
      const RenameStep& step = journal.steps[mark.index];
      const std::string& parkAs = ParkingName(journal.parkingNames, step);
      moved(step.row, parkAs.empty() ? journal.targets[step.row] : parkAs);
    }
  }
  return replay;
}

// "yyyy-mm-dd hh:mm", each number in its range.
bool IsTime(std::string_view time) {
  if (time.size() != kTimeSize || time[4] != '-' || time[7] != '-' || time[10] != ' ' || time[13] != ':') {
    return false;
  }
  auto number = [&](size_t at, size_t digits, int low, int high) {
    int value = 0;
    for (size_t i = at; i < at + digits; ++i) {
      if (time[i] < '0' || time[i] > '9') return false;
      value = value * 10 + (time[i] - '0');
    }
    return value >= low && value <= high;
  };
  return number(0, 4, 1601, 9999) && number(5, 2, 1, 12) && number(8, 2, 1, 31) && number(11, 2, 0, 23) &&
         number(14, 2, 0, 59);
}

}  // namespace

std::string HistoryHeader(std::string_view time) {
  return std::string(kHeaderStart).append(time).append("\t0\n");
}

std::optional<HistoryEntry> ParseHistoryEntry(std::string_view text) {
  static_assert(kHeaderStart.size() + kTimeSize + 1 == kUndoneOffset);
  if (text.size() < kUndoneOffset + 2 || text.substr(0, kHeaderStart.size()) != kHeaderStart ||
      text[kUndoneOffset - 1] != '\t' || text[kUndoneOffset + 1] != '\n' ||
      (text[kUndoneOffset] != '0' && text[kUndoneOffset] != '1')) {
    return std::nullopt;
  }
  HistoryEntry entry;
  entry.time = std::string(text.substr(kHeaderStart.size(), kTimeSize));
  if (!IsTime(entry.time)) return std::nullopt;
  entry.undone = text[kUndoneOffset] == '1';
  const std::optional<JournalContents> journal = ParseJournal(text.substr(kUndoneOffset + 2));
  if (!journal || !journal->planned || !journal->ended) return std::nullopt;
  entry.kind = journal->kind;
  entry.folder = journal->folder;
  entry.volume = journal->volume;
  const Replay replay = ReplayEndedRun(*journal);
  // Each row once, where it last moved.
  std::vector<bool> taken(journal->before.size(), false);
  for (auto row = replay.order.rbegin(); row != replay.order.rend(); ++row) {
    if (taken[*row] || replay.where[*row] == journal->before[*row]) continue;
    taken[*row] = true;
    entry.rows.push_back({journal->before[*row], replay.where[*row], journal->identities[*row]});
  }
  if (entry.rows.empty()) return std::nullopt;
  std::reverse(entry.rows.begin(), entry.rows.end());
  return entry;
}

std::vector<RowState> RowStates(const HistoryEntry& entry, FileOperations& files) {
  const RowState gone = entry.undone ? RowState::Undone : RowState::Changed;
  std::vector<RowState> states(entry.rows.size(), gone);
  const FolderListing listing = files.ListFolder(entry.folder);
  if (!listing.reached) return states;
  std::unordered_map<std::u16string_view, size_t> entries;
  for (size_t index = 0; index < listing.keys.size(); ++index) entries.emplace(listing.keys[index], index);
  std::u16string key;
  for (size_t row = 0; row < entry.rows.size(); ++row) {
    if (!files.NameKey(entry.rows[row].after, key)) continue;
    const auto found = entries.find(key);
    if (found == entries.end()) continue;
    const FileIdentity now =
        found->second < listing.identities.size() ? listing.identities[found->second] : FileIdentity{};
    if (IsSameFile(entry.rows[row].identity, entry.volume, now, listing.volume)) states[row] = RowState::AsLeft;
  }
  return states;
}

}  // namespace exec
