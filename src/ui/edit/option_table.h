// The Edit window's 21 rename options, one row each, in the order of the
// parameters file's lines: the line, the control(s) that hold the option,
// and the rule that loading it triggers. What kind of value the line holds
// and which member of RenameOptions it is are in the parameters file's row
// of that line (params::kParameters), the one place that names them.
// Reading the controls, applying a file to them and the radio groups all
// come from these rows.
#pragma once

#include <array>
#include <vector>

#include "params/parameter_table.h"
#include "ui/edit/edit_controls.h"

namespace ui::edit {

// What loading a line does besides setting its controls.
enum class LoadRule {
  None,
  Click,       // the click rule of the control it checks runs
  NBoxFollows  // the N box follows the chosen side's mode
};

struct OptionRow {
  int line;  // P1 to P21
  // An edit box, a check box or a drop-down list; or a group of radio
  // boxes, the first box first.
  std::vector<Control> controls;
  LoadRule load = LoadRule::None;
  // A pair of radio boxes with neither checked reads as the first.
  bool neitherReadsAsFirst = false;
};

const std::array<OptionRow, params::kParameterCount>& OptionRows();

// The parameters file's row of an option.
const params::Parameter& ParameterOf(const OptionRow& row);

// True for a radio box of a group or a check box: its click changes an
// option.
bool IsOptionControl(Control id);

// The radio boxes of the group `id` is in; empty for any other control.
const std::vector<Control>& RadioGroupOf(Control id);

}  // namespace ui::edit
