#include "ui/edit/control_state.h"

namespace ui::edit {

bool IsChecked(const EditControls& controls, Control id) {
  return SendMessageW(controls[id], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(const EditControls& controls, Control id, bool checked) {
  SendMessageW(controls[id], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ui::edit
