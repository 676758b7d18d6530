#include "ui/edit/parameter_controls.h"

#include "params/krnm_file.h"
#include "platform/controls.h"
#include "platform/gbk_convert.h"
#include "ui/edit/click_rules.h"
#include "ui/edit/control_state.h"
#include "ui/edit/option_table.h"

namespace ui::edit {
namespace {

// Checks `chosen` and, for a group, unchecks the others.
void Check(EditControls& controls, const OptionRow& row, Control chosen, bool checked = true) {
  for (Control id : row.controls) SetChecked(controls, id, id == chosen && checked);
  if (row.load == LoadRule::Click) OnOptionClicked(controls, chosen);
}

void Apply(EditControls& controls, const OptionRow& row, const params::LineEffect& effect) {
  const Control first = row.controls.front();
  switch (effect.kind) {
    case params::LineEffect::Text:
      SetWindowTextW(controls[first], platform::ToWide(effect.text).c_str());
      break;
    case params::LineEffect::Check:
      if (row.controls.size() == 2) {
        Check(controls, row, row.controls[effect.checked ? 0 : 1]);
      } else {
        Check(controls, row, first, effect.checked);
      }
      break;
    case params::LineEffect::Choice:
      if (ParameterOf(row).kind == params::Parameter::Kind::ListItem) {
        platform::ComboBox(controls[first]).Select(effect.choice);
      } else {
        Check(controls, row, row.controls[static_cast<size_t>(effect.choice - 1)]);
      }
      break;
    case params::LineEffect::Nothing:
      break;
  }
}

}  // namespace

void ApplyParameterToControls(EditControls& controls, int p, std::string_view value) {
  if (p < 1 || p > params::kParameterCount) return;
  const OptionRow& row = OptionRows()[static_cast<size_t>(p - 1)];
  Apply(controls, row, params::InterpretParameter(p, value));
  if (row.load == LoadRule::NBoxFollows) ShowNBoxForTheChosenSide(controls);
}

}  // namespace ui::edit
