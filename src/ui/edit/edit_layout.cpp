#include "ui/edit/edit_layout.h"

#include <commctrl.h>

#include "platform/controls.h"
#include "platform/gbk_convert.h"
#include "ui/edit/numeric_edit.h"

namespace ui::edit {
namespace {

constexpr ControlEntry kEntries[] = {
    {分组框1, Kind::GroupBox, 0, {0, 0, 248, 208}, "更名类型选择"},
    {.id = 单选框添加字符, .kind = Kind::Radio, .parent = 分组框1, .place = {16, 24, 112, 32},
     .caption = "添加字符", .checked = true},
    {单选框删除字符, Kind::Radio, 分组框1, {16, 56, 112, 32}, "删除字符"},
    {单选框字符替换, Kind::Radio, 分组框1, {16, 88, 120, 32}, "字符替换"},
    {单选框大小写转换, Kind::Radio, 分组框1, {16, 128, 88, 24}, "大小写转换"},
    {单选框序号添加, Kind::Radio, 分组框1, {16, 160, 80, 24}, "序号添加"},

    {分组框添加字符, Kind::GroupBox, 0, {0, 216, 256, 376}, "添加字符-编辑窗口"},
    {透明标签2, Kind::Label, 分组框添加字符, {8, 24, 120, 32}, "要添加的字符（串）："},
    {添加字符文本, Kind::TextEdit, 分组框添加字符, {144, 24, 104, 32}, "", FontRole::LargeEdit},
    {透明标签1, Kind::Label, 分组框添加字符, {8, 72, 128, 40}, "添加在原名中的位置：（单位：字符）"},
    {添加位置, Kind::NumberEdit, 分组框添加字符, {144, 64, 56, 32}, "", FontRole::LargeEdit},
    {选择框添加右始, Kind::CheckBox, 分组框添加字符, {16, 128, 192, 32},
     "从原名右端向左数（不勾选则自左向右）"},

    {分组框删除字符, Kind::GroupBox, 0, {0, 216, 256, 376}, "删除字符-编辑窗口"},
    {透明标签3, Kind::Label, 分组框删除字符, {8, 32, 104, 40}, "要删除的字符数量："},
    {删除字符数量, Kind::NumberEdit, 分组框删除字符, {144, 40, 48, 32}, "", FontRole::LargeEdit},
    {透明标签4, Kind::Label, 分组框删除字符, {16, 96, 120, 32}, "开始删除的位子：\r\n（单位：字符）"},
    {删除位置, Kind::NumberEdit, 分组框删除字符, {144, 96, 48, 32}, "", FontRole::LargeEdit},
    {选择框删除右始, Kind::CheckBox, 分组框删除字符, {32, 160, 192, 32},
     "从原名右端向左数（不勾选则自左向右）"},

    {分组框字符替换, Kind::GroupBox, 0, {0, 216, 256, 376}, "字符替换-编辑窗口\r\n"},
    {.id = 选择框区分大小写, .kind = Kind::CheckBox, .parent = 分组框字符替换, .place = {8, 16, 144, 24},
     .caption = "不区分大小写", .checked = true},
    {选择框替换右始, Kind::CheckBox, 分组框字符替换, {8, 40, 160, 24},
     "从右至左查询（不勾选则自左向右）"},
    {透明标签5, Kind::Label, 分组框字符替换, {8, 72, 136, 40}, "要替换掉的字符（串）："},
    {替换掉, Kind::TextEdit, 分组框字符替换, {136, 72, 112, 32}, "", FontRole::LargeEdit},
    {.id = 单选框替换为, .kind = Kind::Radio, .parent = 分组框字符替换, .place = {48, 112, 80, 40},
     .caption = "替换为：", .checked = true},
    {替换为, Kind::TextEdit, 分组框字符替换, {136, 120, 112, 32}, "", FontRole::LargeEdit},
    {分组框替换方式, Kind::GroupBox, 分组框字符替换, {64, 152, 152, 64}, "替换方式"},
    {.id = 单选框全部替换, .kind = Kind::Radio, .parent = 分组框替换方式, .place = {8, 16, 112, 16},
     .caption = "全部替换", .checked = true},
    {单选框替换第N, Kind::Radio, 分组框替换方式, {8, 40, 136, 16}, "替换第N个子串"},
    {单选框直接删除, Kind::Radio, 分组框字符替换, {48, 216, 104, 24}, "直接删除！"},
    {.id = 分组框删除方式, .kind = Kind::GroupBox, .parent = 分组框字符替换, .place = {64, 240, 152, 64},
     .caption = "删除方式", .enabled = false},
    {.id = 单选框全部删除, .kind = Kind::Radio, .parent = 分组框删除方式, .place = {8, 16, 72, 16},
     .caption = "全部删除", .checked = true, .enabled = false},
    {.id = 单选框删除第N, .kind = Kind::Radio, .parent = 分组框删除方式, .place = {8, 40, 112, 16},
     .caption = "删除第N个子串", .enabled = false},
    {.id = 输入N值, .kind = Kind::Label, .parent = 分组框字符替换, .place = {8, 328, 64, 24},
     .caption = "输入N值：", .shown = false},
    {.id = N值, .kind = Kind::NumberEdit, .parent = 分组框字符替换, .place = {64, 328, 96, 24},
     .caption = "", .font = FontRole::LargeEdit, .shown = false},

    {分组框大小写转换, Kind::GroupBox, 0, {0, 216, 256, 376}, "大小写转换-编辑窗口"},
    {.id = 单选框转到大写, .kind = Kind::Radio, .parent = 分组框大小写转换, .place = {40, 56, 112, 32},
     .caption = "全部转到大写", .checked = true},
    {单选框转到小写, Kind::Radio, 分组框大小写转换, {40, 96, 104, 24}, "全部转到小写"},
    {单选框首字母大写, Kind::Radio, 分组框大小写转换, {40, 128, 96, 24}, "首字母大写"},

    {分组框序号添加, Kind::GroupBox, 0, {0, 216, 256, 376}, "序号添加-编辑窗口"},
    {透明标签7, Kind::Label, 分组框序号添加, {8, 40, 120, 24}, "选择序号类型：", FontRole::Song},
    {组合框1, Kind::DropDown, 分组框序号添加, {48, 72, 160, 20}, ""},
    {透明标签8, Kind::Label, 分组框序号添加, {8, 136, 128, 24}, "开始序号（默认为1）：", FontRole::Song},
    {编辑框开始序号, Kind::NumberEdit, 分组框序号添加, {152, 136, 64, 32}, ""},
    {.id = 单选框序号居左, .kind = Kind::Radio, .parent = 分组框序号添加, .place = {32, 192, 80, 24},
     .caption = "序号居左", .checked = true},
    {单选框序号居右, Kind::Radio, 分组框序号添加, {120, 192, 88, 24}, "序号居右"},
    {选择框添加括号, Kind::CheckBox, 分组框序号添加, {32, 280, 136, 16}, "为序号添加括号"},
    {.id = 透明标签6, .kind = Kind::Label, .parent = 分组框序号添加, .place = {8, 304, 120, 24},
     .caption = "选择括号类型：", .enabled = false},
    {.id = 组合框2, .kind = Kind::DropDown, .parent = 分组框序号添加, .place = {32, 328, 160, 20},
     .caption = "", .enabled = false},

    {超级列表框1, Kind::PreviewList, 0, {256, 16, 384, 528}, ""},
    {按钮预览, Kind::Button, 0, {656, 8, 88, 56}, "预览", FontRole::Button},
    {.id = 按钮更名, .kind = Kind::Button, .parent = 0, .place = {656, 73, 88, 56},
     .caption = "批量更名", .font = FontRole::Button, .enabled = false},
    {.id = 按钮撤销, .kind = Kind::Button, .parent = 0, .place = {656, 144, 88, 56},
     .caption = "撤销", .font = FontRole::Button, .enabled = false},
    {透明标签9, Kind::Label, 0, {648, 208, 104, 208},
     "提示:先对文件名进行编辑,编辑完成请先预览,检查无误后点击\"批量更名\",如果发现出错可以撤销之前的更"
     "名操作. 左方的设置可以被保存(点击右下角\"保存更名参数\",下次使用时可以直接载入(单击\"载入更名参"
     "数\")),",
     FontRole::Hint},
    {按钮载参, Kind::Button, 0, {656, 424, 88, 56}, "载入更名参数", FontRole::Button},
    {按钮保参, Kind::Button, 0, {656, 496, 88, 56}, "保存更名参数", FontRole::Button},
    {进度条1, Kind::ProgressBar, 0, {256, 568, 480, 16}, ""},
};

constexpr const char* kNumberStyleItems[] = {"1 2 3 ...", "一 二 三 ...", "壹 贰 叁..."};
constexpr const char* kBracketItems[] = {"（ ）", " [ ]", " < >", " { }", " 【 】", " 《 》"};

constexpr int kStartNumberLimit = 5;
constexpr int kDropDownListHeight = 200;

// Group boxes do not pass on what their children report; this sends it on
// to the window. Holding children, a group box also paints its own inside.
LRESULT CALLBACK PassToWindow(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT inside;
      GetClientRect(box, &inside);
      FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetAncestor(box, GA_ROOT), message, wParam, lParam);
    default:
      return DefSubclassProc(box, message, wParam, lParam);
  }
}

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle ClassFor(Kind kind) {
  switch (kind) {
    case Kind::GroupBox: return {L"BUTTON", BS_GROUPBOX, 0};
    case Kind::Radio: return {L"BUTTON", BS_RADIOBUTTON | BS_MULTILINE | WS_TABSTOP, 0};
    case Kind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0};
    case Kind::Label: return {L"STATIC", SS_LEFT, 0};
    case Kind::TextEdit:
    case Kind::NumberEdit: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::DropDown: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case Kind::PreviewList:
      return {WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case Kind::Button: return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0};
    case Kind::ProgressBar: return {PROGRESS_CLASSW, 0, 0};
  }
  return {L"STATIC", 0, 0};
}

HFONT FontFor(FontRole role, const EditFonts& fonts) {
  switch (role) {
    case FontRole::Button: return fonts.button;
    case FontRole::Hint: return fonts.hint;
    case FontRole::Song: return fonts.song;
    case FontRole::LargeEdit: return fonts.largeEdit;
    default: return nullptr;
  }
}

void AddItems(HWND list, const char* const* items, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    platform::ComboBox(list).Add(platform::ToWide(items[i]));
  }
}

}  // namespace

const ControlEntry* ControlEntries(size_t& count) {
  count = std::size(kEntries);
  return kEntries;
}

const char* const* NumberStyleItems(size_t& count) {
  count = std::size(kNumberStyleItems);
  return kNumberStyleItems;
}

const char* const* BracketItems(size_t& count) {
  count = std::size(kBracketItems);
  return kBracketItems;
}

void CreateEditControls(platform::WindowLayout& layout, HWND window, const EditFonts& fonts,
                        EditControls& controls) {
  for (const ControlEntry& entry : kEntries) {
    HWND parent = entry.parent ? controls[static_cast<Control>(entry.parent)] : window;
    const ClassAndStyle type = ClassFor(entry.kind);
    platform::Rect place = entry.place;
    if (entry.kind == Kind::DropDown) place.height = kDropDownListHeight;
    HWND control =
        layout.CreateChild(type.className, entry.caption, type.style, place, parent, entry.id, type.exStyle);
    if (HFONT font = FontFor(entry.font, fonts)) platform::SetFont(control, font);
    if (entry.checked) platform::Button(control).SetChecked(true);
    if (!entry.enabled) EnableWindow(control, FALSE);
    if (!entry.shown) ShowWindow(control, SW_HIDE);
    if (entry.kind == Kind::GroupBox) SetWindowSubclass(control, PassToWindow, 1, 0);
    if (entry.kind == Kind::NumberEdit) AcceptOnlyNumberCharacters(control);
    controls[entry.id] = control;
  }
  size_t count = 0;
  const char* const* items = NumberStyleItems(count);
  AddItems(controls[组合框1], items, count);
  items = BracketItems(count);
  AddItems(controls[组合框2], items, count);
  platform::LimitText(controls[编辑框开始序号], kStartNumberLimit);
}

}  // namespace ui::edit
