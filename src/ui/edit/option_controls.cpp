#include "ui/edit/option_controls.h"

#include <string>

#include "platform/controls.h"
#include "platform/gbk_convert.h"
#include "ui/edit/control_state.h"
#include "ui/edit/option_table.h"

namespace ui::edit {
namespace {

std::string TextOf(const EditControls& controls, Control id) {
  const int length = GetWindowTextLengthW(controls[id]);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(controls[id], text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return platform::ToGbk(text);
}

// 1 for the first checked radio box of `group`, 2 for the second...; 0 when
// none is checked.
int CheckedPosition(const EditControls& controls, const std::vector<Control>& group) {
  int position = 1;
  for (Control id : group) {
    if (IsChecked(controls, id)) return position;
    ++position;
  }
  return 0;
}

// True for the first box of a pair.
bool FirstOfTwo(const EditControls& controls, const OptionRow& row) {
  const bool first = IsChecked(controls, row.controls[0]);
  return first || (row.neitherReadsAsFirst && !IsChecked(controls, row.controls[1]));
}

void ReadOption(const EditControls& controls, const OptionRow& row, rules::RenameOptions& options) {
  using K = params::Parameter::Kind;
  const params::Parameter& parameter = ParameterOf(row);
  const Control first = row.controls.front();
  switch (parameter.kind) {
    case K::Text: options.*parameter.text = TextOf(controls, first); break;
    case K::Check:
    case K::Brackets: options.*parameter.flag = IsChecked(controls, first); break;
    case K::TwoWay: options.*parameter.flag = FirstOfTwo(controls, row); break;
    case K::Radio: options.*parameter.number = CheckedPosition(controls, row.controls); break;
    case K::ListItem: options.*parameter.number = platform::ComboBox(controls[first]).Selected(); break;
  }
}

}  // namespace

rules::RenameOptions ReadRenameOptions(const EditControls& controls) {
  rules::RenameOptions options;
  for (const OptionRow& row : OptionRows()) ReadOption(controls, row, options);
  return options;
}

}  // namespace ui::edit
