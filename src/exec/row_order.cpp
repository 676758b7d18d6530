#include "exec/row_order.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <unordered_map>

namespace exec {
namespace {

std::vector<size_t> Identity(size_t count) {
  std::vector<size_t> order(count);
  std::iota(order.begin(), order.end(), size_t{0});
  return order;
}

// Each row's fact from one listing of the folder; rows not listed get the
// largest value, so they come last.
std::vector<uint64_t> FactsOf(const rules::ProgramState& state, FileOperations& files, FileFact fact) {
  constexpr uint64_t kNotThere = std::numeric_limits<uint64_t>::max();
  std::vector<uint64_t> facts(state.CurrentNames.size(), kNotThere);
  const FolderListing listing = files.ListFolder(state.FolderPath);
  std::unordered_map<std::u16string_view, size_t> entries;
  for (size_t index = 0; index < listing.keys.size() && index < listing.identities.size(); ++index) {
    entries.emplace(listing.keys[index], index);
  }
  std::u16string key;
  for (size_t row = 0; row < facts.size(); ++row) {
    if (!files.NameKey(state.CurrentNames[row], key)) continue;
    const auto found = entries.find(key);
    if (found == entries.end()) continue;
    const FileIdentity& identity = listing.identities[found->second];
    facts[row] = fact == FileFact::LastWrite ? identity.lastWrite : identity.size;
  }
  return facts;
}

}  // namespace

std::vector<size_t> OrderByFileFact(const rules::ProgramState& state, FileOperations& files, FileFact fact,
                                    const rules::CharacterRank& rank) {
  const std::vector<uint64_t> facts = FactsOf(state, files, fact);
  std::vector<size_t> order = rules::NaturalOrder(state.CurrentNames, rank);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return facts[a] < facts[b]; });
  return order;
}

std::vector<size_t> Reversed(size_t count) {
  std::vector<size_t> order = Identity(count);
  std::reverse(order.begin(), order.end());
  return order;
}

std::vector<size_t> MovedUp(size_t count, const std::vector<size_t>& selected) {
  std::vector<bool> chosen(count, false);
  for (size_t row : selected) {
    if (row < count) chosen[row] = true;
  }
  std::vector<size_t> order = Identity(count);
  // A selected row trades places with the unselected one above it; a run
  // of selected rows at the top stays.
  for (size_t place = 1; place < count; ++place) {
    if (chosen[order[place]] && !chosen[order[place - 1]]) std::swap(order[place], order[place - 1]);
  }
  return order;
}

std::vector<size_t> MovedDown(size_t count, const std::vector<size_t>& selected) {
  // Down is up in the list read backwards.
  std::vector<size_t> mirrored;
  for (size_t row : selected) {
    if (row < count) mirrored.push_back(count - 1 - row);
  }
  std::vector<size_t> order = MovedUp(count, mirrored);
  std::reverse(order.begin(), order.end());
  for (size_t& row : order) row = count - 1 - row;
  return order;
}

RowOrigins::RowOrigins(size_t count) : origin_(Identity(count)) {}

void RowOrigins::Follow(const std::vector<size_t>& order) {
  std::vector<size_t> moved;
  moved.reserve(order.size());
  for (size_t row : order) moved.push_back(origin_[row]);
  origin_ = std::move(moved);
}

std::vector<size_t> RowOrigins::Original() const {
  std::vector<size_t> order(origin_.size());
  for (size_t row = 0; row < origin_.size(); ++row) order[origin_[row]] = row;
  return order;
}

}  // namespace exec
