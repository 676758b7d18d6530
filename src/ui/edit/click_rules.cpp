#include "ui/edit/click_rules.h"

#include <initializer_list>

#include "ui/edit/control_state.h"
#include "ui/edit/option_table.h"

namespace ui::edit {
namespace {

constexpr Control kPanels[] = {分组框添加字符, 分组框删除字符, 分组框字符替换, 分组框大小写转换,
                               分组框序号添加};

void Show(const EditControls& controls, std::initializer_list<Control> ids, bool shown) {
  for (Control id : ids) ShowWindow(controls[id], shown ? SW_SHOW : SW_HIDE);
}

void Enable(const EditControls& controls, std::initializer_list<Control> ids, bool enabled) {
  for (Control id : ids) EnableWindow(controls[id], enabled);
}

void ShowNBox(const EditControls& controls, bool shown) { Show(controls, {输入N值, N值}, shown); }

// The replace and delete modes share one N box: it follows the mode of the
// side that was just chosen.
void ChooseReplacement(const EditControls& controls, bool replace) {
  Enable(controls, {替换为, 分组框替换方式, 单选框全部替换, 单选框替换第N}, replace);
  Enable(controls, {分组框删除方式, 单选框全部删除, 单选框删除第N}, !replace);
  const Control nth = replace ? 单选框替换第N : 单选框删除第N;
  const Control all = replace ? 单选框全部替换 : 单选框全部删除;
  if (IsChecked(controls, nth)) ShowNBox(controls, true);
  if (IsChecked(controls, all)) ShowNBox(controls, false);
}

void TakeCheckInGroup(const EditControls& controls, Control clicked) {
  for (Control member : RadioGroupOf(clicked)) SetChecked(controls, member, member == clicked);
}

}  // namespace

void ShowNBoxForTheChosenSide(const EditControls& controls) {
  ShowNBox(controls, (IsChecked(controls, 单选框替换为) && IsChecked(controls, 单选框替换第N)) ||
                         (IsChecked(controls, 单选框直接删除) && IsChecked(controls, 单选框删除第N)));
}

void ShowPanelOfType(EditControls& controls, int renameType) {
  for (int type = 1; type <= 5; ++type) {
    ShowWindow(controls[kPanels[type - 1]], type == renameType ? SW_SHOW : SW_HIDE);
  }
}

void OnOptionClicked(EditControls& controls, Control clicked) {
  TakeCheckInGroup(controls, clicked);
  switch (clicked) {
    case 单选框添加字符: ShowPanelOfType(controls, 1); break;
    case 单选框删除字符: ShowPanelOfType(controls, 2); break;
    case 单选框字符替换: ShowPanelOfType(controls, 3); break;
    case 单选框大小写转换: ShowPanelOfType(controls, 4); break;
    case 单选框序号添加: ShowPanelOfType(controls, 5); break;
    case 单选框替换为: ChooseReplacement(controls, true); break;
    case 单选框直接删除: ChooseReplacement(controls, false); break;
    case 单选框替换第N:
    case 单选框删除第N: ShowNBox(controls, true); break;
    case 单选框全部替换:
    case 单选框全部删除: ShowNBox(controls, false); break;
    case 单选框序号居左:
    case 单选框序号居右:
      SetChecked(controls, 单选框序号居左, clicked == 单选框序号居左);
      SetChecked(controls, 单选框序号居右, clicked == 单选框序号居右);
      break;
    case 选择框添加括号:
      Enable(controls, {透明标签6, 组合框2}, IsChecked(controls, 选择框添加括号));
      break;
    default: break;
  }
}

}  // namespace ui::edit
