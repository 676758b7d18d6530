#include "rules/program_state.h"

#include <utility>

namespace rules {

void ProgramState::FillFromPicked(std::string_view folderText, NameList picked) {
  Release();
  FolderPath = folderText;
  CurrentNames = std::move(picked);
  NewNames = CurrentNames;
  UndoNames = CurrentNames;
}

void ProgramState::Release() {
  FolderPath = std::string();
  CurrentNames = NameList();
  NewNames = NameList();
  UndoNames = NameList();
  UndoOrder = std::vector<size_t>();
}

namespace {

NameList Permuted(NameList& names, const std::vector<size_t>& order) {
  NameList moved;
  moved.reserve(names.size());
  for (size_t row : order) moved.push_back(row < names.size() ? std::move(names[row]) : std::string());
  return moved;
}

}  // namespace

void ProgramState::Reorder(const std::vector<size_t>& order) {
  CurrentNames = Permuted(CurrentNames, order);
  NewNames = Permuted(NewNames, order);
  UndoNames = Permuted(UndoNames, order);
  std::vector<size_t> placeOf(order.size());
  for (size_t place = 0; place < order.size(); ++place) placeOf[order[place]] = place;
  for (size_t& row : UndoOrder) {
    if (row < placeOf.size()) row = placeOf[row];
  }
}

}  // namespace rules
