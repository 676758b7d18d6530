#include "ui/edit/option_controls.h"

#include <initializer_list>
#include <string>

#include "platform/controls.h"
#include "platform/gbk_convert.h"
#include "ui/edit/control_state.h"

namespace ui::edit {
namespace {

std::string TextOf(const EditControls& controls, Control id) {
  const int length = GetWindowTextLengthW(controls[id]);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(controls[id], text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return platform::ToGbk(text);
}

int SelectedItem(const EditControls& controls, Control id) {
  return platform::ComboBox(controls[id]).Selected();
}

// 1 for the first checked radio box of `group`, 2 for the second...; 0 when
// none is checked.
int CheckedPosition(const EditControls& controls, std::initializer_list<Control> group) {
  int position = 1;
  for (Control id : group) {
    if (IsChecked(controls, id)) return position;
    ++position;
  }
  return 0;
}

}  // namespace

rules::RenameOptions ReadRenameOptions(const EditControls& controls) {
  rules::RenameOptions o;
  o.RenameType = CheckedPosition(
      controls, {单选框添加字符, 单选框删除字符, 单选框字符替换, 单选框大小写转换, 单选框序号添加});
  o.AddText = TextOf(controls, 添加字符文本);
  o.AddPosition = TextOf(controls, 添加位置);
  o.AddFromRight = IsChecked(controls, 选择框添加右始);
  o.DeleteCount = TextOf(controls, 删除字符数量);
  o.DeletePosition = TextOf(controls, 删除位置);
  o.DeleteFromRight = IsChecked(controls, 选择框删除右始);
  o.IgnoreCase = IsChecked(controls, 选择框区分大小写);
  o.SearchFromRight = IsChecked(controls, 选择框替换右始);
  o.SearchText = TextOf(controls, 替换掉);
  o.UseReplacement = IsChecked(controls, 单选框替换为);
  o.ReplacementText = TextOf(controls, 替换为);
  o.ReplaceAll = IsChecked(controls, 单选框全部替换);
  o.DeleteAll = IsChecked(controls, 单选框全部删除);
  o.NthValue = TextOf(controls, N值);
  o.CaseMode = CheckedPosition(controls, {单选框转到大写, 单选框转到小写, 单选框首字母大写});
  o.NumberStyle = SelectedItem(controls, 组合框1);
  o.AddBrackets = IsChecked(controls, 选择框添加括号);
  o.BracketType = SelectedItem(controls, 组合框2);
  o.StartNumber = TextOf(controls, 编辑框开始序号);
  // Right only when exactly the right-hand box is checked.
  o.NumberAtLeft = !(IsChecked(controls, 单选框序号居右) && !IsChecked(controls, 单选框序号居左));
  return o;
}

}  // namespace ui::edit
