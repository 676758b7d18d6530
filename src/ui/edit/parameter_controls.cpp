#include "ui/edit/parameter_controls.h"

#include <vector>

#include "params/krnm_file.h"
#include "platform/controls.h"
#include "platform/gbk_convert.h"
#include "ui/edit/click_rules.h"
#include "ui/edit/control_state.h"

namespace ui::edit {
namespace {

enum class Rule { None, Clicked };

// The control(s) of each parameter line: an edit box, a check box, a
// two-way pair (first box = true), a radio group or a drop-down list.
struct LineControls {
  std::vector<Control> controls;
  Rule rule = Rule::None;
};

const LineControls& ControlsOf(int p) {
  static const LineControls kLines[] = {
      {},
      {{单选框添加字符, 单选框删除字符, 单选框字符替换, 单选框大小写转换, 单选框序号添加}, Rule::Clicked},
      {{添加字符文本}},
      {{添加位置}},
      {{选择框添加右始}},
      {{删除字符数量}},
      {{删除位置}},
      {{选择框删除右始}},
      {{选择框区分大小写}},
      {{选择框替换右始}},
      {{替换掉}},
      {{替换为}},
      {{单选框替换为, 单选框直接删除}, Rule::Clicked},
      {{单选框全部替换, 单选框替换第N}},
      {{单选框全部删除, 单选框删除第N}},
      {{N值}},
      {{单选框转到大写, 单选框转到小写, 单选框首字母大写}},
      {{组合框1}},
      {{编辑框开始序号}},
      {{单选框序号居左, 单选框序号居右}},
      {{选择框添加括号}, Rule::Clicked},
      {{组合框2}},
  };
  return kLines[p];
}

// Checks box `position` (1-based) of a group and unchecks the others.
void CheckOnly(EditControls& controls, const LineControls& line, int position) {
  const Control chosen = line.controls[static_cast<size_t>(position - 1)];
  for (Control id : line.controls) SetChecked(controls, id, id == chosen);
  if (line.rule == Rule::Clicked) OnOptionClicked(controls, chosen);
}

}  // namespace

void ApplyParameterToControls(EditControls& controls, int p, std::string_view value) {
  if (p < 1 || p > params::kParameterCount) return;
  const params::LineEffect effect = params::InterpretParameter(p, value);
  const LineControls& line = ControlsOf(p);
  const Control first = line.controls.front();
  switch (effect.kind) {
    case params::LineEffect::Text:
      SetWindowTextW(controls[first], platform::ToWide(effect.text).c_str());
      break;
    case params::LineEffect::Check:
      if (line.controls.size() == 2) {
        CheckOnly(controls, line, effect.checked ? 1 : 2);
      } else {
        SetChecked(controls, first, effect.checked);
        if (line.rule == Rule::Clicked) OnOptionClicked(controls, first);
      }
      break;
    case params::LineEffect::Choice:
      if (first == 组合框1 || first == 组合框2) {
        platform::ComboBox(controls[first]).Select(static_cast<int>(effect.choice));
      } else {
        CheckOnly(controls, line, effect.choice);
      }
      break;
    case params::LineEffect::Nothing:
      break;
  }
  if (p == 14) ShowNBoxForTheChosenSide(controls);
}

}  // namespace ui::edit
