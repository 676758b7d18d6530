#include "ui/edit/option_table.h"

#include <algorithm>

namespace ui::edit {
namespace {

using K = params::Parameter::Kind;

const std::array<OptionRow, params::kParameterCount> kRows = {{
    {.line = 1,
     .controls = {单选框添加字符, 单选框删除字符, 单选框字符替换, 单选框大小写转换, 单选框序号添加},
     .load = LoadRule::Click},
    {.line = 2, .controls = {添加字符文本}},
    {.line = 3, .controls = {添加位置}},
    {.line = 4, .controls = {选择框添加右始}},
    {.line = 5, .controls = {删除字符数量}},
    {.line = 6, .controls = {删除位置}},
    {.line = 7, .controls = {选择框删除右始}},
    {.line = 8, .controls = {选择框区分大小写}},
    {.line = 9, .controls = {选择框替换右始}},
    {.line = 10, .controls = {替换掉}},
    {.line = 11, .controls = {替换为}},
    {.line = 12, .controls = {单选框替换为, 单选框直接删除}, .load = LoadRule::Click},
    {.line = 13, .controls = {单选框全部替换, 单选框替换第N}},
    {.line = 14, .controls = {单选框全部删除, 单选框删除第N}, .load = LoadRule::NBoxFollows},
    {.line = 15, .controls = {N值}},
    {.line = 16, .controls = {单选框转到大写, 单选框转到小写, 单选框首字母大写}},
    {.line = 17, .controls = {组合框1}},
    {.line = 18, .controls = {编辑框开始序号}},
    // Right only when exactly the right-hand box is checked.
    {.line = 19, .controls = {单选框序号居左, 单选框序号居右}, .neitherReadsAsFirst = true},
    {.line = 20, .controls = {选择框添加括号}, .load = LoadRule::Click},
    {.line = 21, .controls = {组合框2}},
}};

bool IsRadioGroup(const OptionRow& row) {
  const K kind = ParameterOf(row).kind;
  return kind == K::Radio || kind == K::TwoWay;
}

bool Holds(const OptionRow& row, Control id) {
  return std::find(row.controls.begin(), row.controls.end(), id) != row.controls.end();
}

}  // namespace

const std::array<OptionRow, params::kParameterCount>& OptionRows() { return kRows; }

const params::Parameter& ParameterOf(const OptionRow& row) {
  return params::kParameters[static_cast<size_t>(row.line - 1)];
}

bool IsOptionControl(Control id) {
  return std::any_of(kRows.begin(), kRows.end(), [id](const OptionRow& row) {
    const K kind = ParameterOf(row).kind;
    return kind != K::Text && kind != K::ListItem && Holds(row, id);
  });
}

const std::vector<Control>& RadioGroupOf(Control id) {
  static const std::vector<Control> kNone;
  for (const OptionRow& row : kRows) {
    if (IsRadioGroup(row) && Holds(row, id)) return row.controls;
  }
  return kNone;
}

}  // namespace ui::edit
