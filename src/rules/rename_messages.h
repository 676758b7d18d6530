// Titles and texts of the messages the rename computations ask for.
#pragma once

namespace rules::messages {

inline constexpr char kWarningTitle[] = "警告：";
inline constexpr char kNoteTitle[] = "提示:";

inline constexpr char kEmptySearchText[] =
    "您没有输入替换掉的内容，这样会导致程序假死，非常危险。请输入需要替换掉的内容！";
inline constexpr char kReplacementContainsSearch[] =
    "“替换为”的内容中含有要替换掉的内容，全部替换将永远无法结束。"
    "请修改替换的内容，或者改为替换第N个子串！";
inline constexpr char kReplacementDoesNotEnd[] =
    "部分文件名在反复替换后仍会出现要替换掉的内容，替换无法结束，这些文件名保持不变。";

inline constexpr char kNoNumberStyle[] = "请选择序号类型";
inline constexpr char kNoBracketType[] = "您勾选了添加括号选择框，请选择括号类型";

}  // namespace rules::messages
