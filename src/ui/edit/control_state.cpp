#include "ui/edit/control_state.h"

#include "platform/controls.h"

namespace ui::edit {

bool IsChecked(const EditControls& controls, Control id) {
  return platform::Button(controls[id]).Checked();
}

void SetChecked(const EditControls& controls, Control id, bool checked) {
  platform::Button(controls[id]).SetChecked(checked);
}

}  // namespace ui::edit

