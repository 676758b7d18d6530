// Identifiers of the Edit window's controls, named as the user-interface
// design names them.
#pragma once

namespace ui::edit {

enum Control : int {
  分组框1 = 100,  // frame of the five rename types
  单选框添加字符,
  单选框删除字符,
  单选框字符替换,
  单选框大小写转换,
  单选框序号添加,
  分组框添加字符,
  分组框删除字符,
  分组框字符替换,
  分组框大小写转换,
  分组框序号添加,
  // add-characters panel
  透明标签2,  // "要添加的字符（串）："
  添加字符文本,
  透明标签1,  // "添加在原名中的位置：..."
  添加位置,
  选择框添加右始,
  // delete-characters panel
  透明标签3,  // "要删除的字符数量："
  删除字符数量,
  透明标签4,  // "开始删除的位子：..."
  删除位置,
  选择框删除右始,
  // character-replacement panel
  选择框区分大小写,
  选择框替换右始,
  透明标签5,  // "要替换掉的字符（串）："
  替换掉,
  单选框替换为,
  替换为,
  分组框替换方式,
  单选框全部替换,
  单选框替换第N,
  单选框直接删除,
  分组框删除方式,
  单选框全部删除,
  单选框删除第N,
  输入N值,
  N值,
  // case-conversion panel
  单选框转到大写,
  单选框转到小写,
  单选框首字母大写,
  // sequence-number panel
  透明标签7,  // "选择序号类型："
  组合框1,    // the number style list
  透明标签8,  // "开始序号（默认为1）："
  编辑框开始序号,
  单选框序号居左,
  单选框序号居右,
  选择框添加括号,
  透明标签6,  // "选择括号类型："
  组合框2,    // the bracket list
  // right-hand side
  超级列表框1,  // the preview list: old and new names
  按钮预览,
  按钮更名,
  按钮撤销,
  透明标签9,  // the hint beside the buttons
  按钮载参,
  按钮保参,
  进度条1,  // the progress of Batch rename and Undo
  kControlEnd
};

}  // namespace ui::edit
