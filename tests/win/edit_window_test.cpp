#include "ui/edit/edit_window.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "display_scale_expect.h"
#include "platform/display_scale.h"
#include "platform/gbk_convert.h"
#include "platform/keyboard_focus.h"
#include "edit_window_fixture.h"
#include "temp_folder.h"
#include "ui/edit/edit_layout.h"

namespace testing_support {
namespace {

using namespace ui::edit;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageRequest;

class EditWindowTest : public EditWindowFixture {
 protected:
  void SetUp() override { OpenEdit("C:\\work\\", {"abc.txt", "Read Me.md", "报告.doc"}); }

  bool Checked(Control id) const { return SendMessageW(Get(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Shown(Control id) const { return (GetWindowLongPtrW(Get(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  void Type(Control id, const std::string& text) {
    for (wchar_t c : platform::ToWide(text)) SendMessageW(Get(id), WM_CHAR, c, 1);
  }
  std::string Text(Control id) const {
    wchar_t text[256] = {};
    GetWindowTextW(Get(id), text, 256);
    return platform::ToGbk(text);
  }
  void Choose(Control list, int item) {
    SendMessageW(Get(list), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(edit->handle(), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Get(list)));
  }
  // Every control in its parent at its place of the layout table, with
  // its font and the list's columns, at `dpi`.
  void ExpectLayoutAt(int dpi) const {
    size_t count = 0;
    const ControlEntry* entries = ControlEntries(count);
    for (size_t i = 0; i < count; ++i) {
      const ControlEntry& entry = entries[i];
      SCOPED_TRACE(entry.id);
      HWND control = Get(entry.id);
      ASSERT_EQ(GetParent(control), entry.parent ? Get(static_cast<Control>(entry.parent)) : edit->handle());
      ExpectPlaceAt(control, entry.place, dpi, entry.kind != Kind::DropDown);
    }
    const platform::Scale scale{dpi};
    EXPECT_EQ(FontHeightOf(Get(按钮预览)), scale(-19));
    EXPECT_EQ(FontHeightOf(Get(透明标签9)), scale(-12));
    EXPECT_EQ(FontHeightOf(Get(添加字符文本)), scale(-20));
    EXPECT_EQ(ListView_GetColumnWidth(Get(超级列表框1), 1), scale(190));
  }
  std::vector<Control> ShownPanels() const {
    std::vector<Control> shown;
    for (Control panel : {分组框添加字符, 分组框删除字符, 分组框字符替换, 分组框大小写转换, 分组框序号添加}) {
      if (Shown(panel)) shown.push_back(panel);
    }
    return shown;
  }
};

TEST_F(EditWindowTest, StateRightAfterOpening) {
  EXPECT_EQ(ShownPanels(), std::vector<Control>{分组框添加字符});
  EXPECT_FALSE(Enabled(按钮更名));
  EXPECT_FALSE(Enabled(按钮撤销));
  EXPECT_TRUE(Enabled(按钮预览));
  EXPECT_FALSE(Shown(N值));
  EXPECT_FALSE(Shown(输入N值));
  EXPECT_FALSE(Enabled(分组框删除方式));
  EXPECT_FALSE(Enabled(单选框全部删除));
  EXPECT_TRUE(Enabled(分组框替换方式));
  EXPECT_TRUE(Checked(单选框添加字符) && Checked(选择框区分大小写) && Checked(单选框序号居左));
  EXPECT_FALSE(Enabled(组合框2));
  EXPECT_EQ(SendMessageW(Get(组合框1), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(Get(组合框2), CB_GETCOUNT, 0, 0), 6);

  const std::vector<std::string> names{"abc.txt", "Read Me.md", "报告.doc"};
  EXPECT_EQ(Column(0), names);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(state.FolderPath, "C:\\work\\");
  EXPECT_EQ(state.CurrentNames, names);
  EXPECT_EQ(state.NewNames, names);
  EXPECT_EQ(state.UndoNames, names);

  RECT frame;
  GetWindowRect(edit->handle(), &frame);
  EXPECT_EQ(frame.right - frame.left, 763);
  EXPECT_EQ(frame.bottom - frame.top, 615);
  EXPECT_FALSE(GetWindowLongPtrW(edit->handle(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
}

// Over the Main window's monitor, wherever that window has been moved:
// centred in that monitor's work area. (Wine has one monitor; the nearest
// is the one a window far to the right is nearest to.)
class EditWindowPlaceTest : public EditWindowFixture {};

TEST_F(EditWindowPlaceTest, IsCentredInTheWorkAreaOfTheMainWindowsMonitor) {
  owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_VISIBLE,
                          GetSystemMetrics(SM_CXSCREEN) - 100, 40, 400, 300, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  OpenEdit("C:\\work\\", {"a.txt"});
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor));
  RECT frame;
  GetWindowRect(edit->handle(), &frame);
  EXPECT_LE(std::abs(frame.left + frame.right - monitor.rcWork.left - monitor.rcWork.right), 1);
  EXPECT_LE(std::abs(frame.top + frame.bottom - monitor.rcWork.top - monitor.rcWork.bottom), 1);
}

TEST_F(EditWindowTest, LayoutAtTheDisplayScale) {
  // 757x590: the client area at 100 % under Wine.
  ExpectWindowAt(edit->handle(), 763, 615, {757, 590}, RunDpi());
  ExpectLayoutAt(RunDpi());
}

// Moved to a monitor of another scale: laid out again, with every typed
// text, choice and row as it was.
TEST_F(EditWindowTest, MovingToAnotherScaleKeepsEverything) {
  Type(添加字符文本, "新_");
  Click(按钮预览);
  const std::vector<std::string> newNames = Column(1);
  ASSERT_EQ(newNames.size(), 3u);
  Click(单选框字符替换);
  Type(替换掉, "abc");
  const int dpi = RunDpi() * 3 / 2;
  const platform::Scale scale{dpi};
  const RECT suggested{0, 0, scale(763), scale(615)};
  SendMessageW(edit->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

  ExpectLayoutAt(dpi);
  EXPECT_EQ(Text(添加字符文本), "新_");
  EXPECT_EQ(Text(替换掉), "abc");
  EXPECT_TRUE(Checked(单选框字符替换));
  EXPECT_EQ(ShownPanels(), std::vector<Control>{分组框字符替换});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"abc.txt", "Read Me.md", "报告.doc"}));
  EXPECT_EQ(Column(1), newNames);
}

// Tab goes through the shown panel in reading order, then the list and the
// buttons that are enabled; the arrow keys move within a radio group.
TEST_F(EditWindowTest, TabOrderOfEachPanel) {
  ShowWindow(edit->handle(), SW_SHOW);
  const std::vector<Control> tail = {超级列表框1, 按钮预览, 按钮载参, 按钮保参};
  const struct {
    Control type;
    std::vector<Control> panel;
  } panels[] = {
      {单选框添加字符, {添加字符文本, 添加位置, 选择框添加右始}},
      {单选框删除字符, {删除字符数量, 删除位置, 选择框删除右始}},
      {单选框字符替换,
       {选择框区分大小写, 选择框替换右始, 替换掉, 单选框替换为, 替换为, 单选框全部替换, 单选框直接删除}},
      {单选框大小写转换, {单选框转到大写}},
      {单选框序号添加, {组合框1, 编辑框开始序号, 单选框序号居左, 选择框添加括号}},
  };
  for (const auto& [type, panel] : panels) {
    Click(type);
    std::vector<HWND> expected = {Get(type)};
    for (Control id : panel) expected.push_back(Get(id));
    for (Control id : tail) expected.push_back(Get(id));
    EXPECT_EQ(platform::TabStops(edit->handle()), expected) << type;

    // Walked with the keys: round once forwards, one step back.
    SetFocus(expected[0]);
    for (size_t i = 1; i <= expected.size(); ++i) {
      MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
      ASSERT_TRUE(platform::MoveFocusWithKeys(tab, edit->handle()));
      EXPECT_EQ(GetFocus(), expected[i % expected.size()]) << type << " step " << i;
    }
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    MSG back{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    ASSERT_TRUE(platform::MoveFocusWithKeys(back, edit->handle()));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), expected.back()) << type;
  }

  // Down in the type group: the next type is checked and its panel shown.
  SetFocus(Get(单选框序号添加));
  MSG down{GetFocus(), WM_KEYDOWN, VK_DOWN, 0, 0, {}};
  ASSERT_TRUE(platform::MoveFocusWithKeys(down, edit->handle()));
  EXPECT_EQ(GetFocus(), Get(单选框添加字符));
  EXPECT_TRUE(Checked(单选框添加字符));
  EXPECT_EQ(ShownPanels(), std::vector<Control>{分组框添加字符});
  // Space toggles a check box, as check boxes do themselves.
  SendMessageW(Get(选择框添加右始), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(Get(选择框添加右始), WM_KEYUP, VK_SPACE, 0);
  EXPECT_TRUE(Checked(选择框添加右始));
}

TEST_F(EditWindowTest, EachRenameTypeShowsOnlyItsPanel) {
  Click(单选框序号添加);
  EXPECT_EQ(ShownPanels(), std::vector<Control>{分组框序号添加});
  Click(单选框删除字符);
  EXPECT_EQ(ShownPanels(), std::vector<Control>{分组框删除字符});
  EXPECT_TRUE(Checked(单选框删除字符));
  EXPECT_FALSE(Checked(单选框序号添加) || Checked(单选框添加字符));
  Click(单选框大小写转换);
  EXPECT_EQ(ShownPanels(), std::vector<Control>{分组框大小写转换});
}

TEST_F(EditWindowTest, NBoxFollowsTheModeOfTheChosenSide) {
  Click(单选框字符替换);
  Click(单选框替换第N);
  EXPECT_TRUE(Shown(N值) && Shown(输入N值));
  EXPECT_FALSE(Checked(单选框全部替换));

  Click(单选框直接删除);  // "全部删除" is still checked
  EXPECT_FALSE(Shown(N值) || Shown(输入N值));
  EXPECT_FALSE(Enabled(替换为) || Enabled(分组框替换方式) || Enabled(单选框替换第N));
  EXPECT_TRUE(Enabled(分组框删除方式) && Enabled(单选框全部删除) && Enabled(单选框删除第N));
  EXPECT_FALSE(Checked(单选框替换为));

  Click(单选框替换为);  // "替换第N个子串" is still checked
  EXPECT_TRUE(Shown(N值) && Shown(输入N值));
  EXPECT_TRUE(Enabled(替换为));
  EXPECT_FALSE(Enabled(分组框删除方式));

  Click(单选框全部替换);
  EXPECT_FALSE(Shown(N值));
}

TEST_F(EditWindowTest, BracketListFollowsItsBoxAndKeepsItsSelection) {
  Click(单选框序号添加);
  Click(选择框添加括号);
  EXPECT_TRUE(Enabled(组合框2) && Enabled(透明标签6));
  Choose(组合框2, 2);
  Click(选择框添加括号);
  EXPECT_FALSE(Enabled(组合框2) || Enabled(透明标签6));
  EXPECT_EQ(SendMessageW(Get(组合框2), CB_GETCURSEL, 0, 0), 2);

  Click(单选框序号居右);
  EXPECT_TRUE(Checked(单选框序号居右));
  EXPECT_FALSE(Checked(单选框序号居左));
}

TEST_F(EditWindowTest, NumberBoxesTakeOnlyDigitsAndMinusWhenTyped) {
  Type(添加位置, "1a-2.b");
  EXPECT_EQ(Text(添加位置), "1-2");
  SendMessageW(Get(添加位置), WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(Text(添加位置), "1-");
  Type(添加字符文本, "a.b");
  EXPECT_EQ(Text(添加字符文本), "a.b");

  Type(编辑框开始序号, "123456");
  EXPECT_EQ(Text(编辑框开始序号), "12345");

  // Pasted text is not filtered.
  ASSERT_TRUE(OpenClipboard(edit->handle()));
  EmptyClipboard();
  const wchar_t pasted[] = L"x9";
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(pasted));
  memcpy(GlobalLock(memory), pasted, sizeof(pasted));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  SetText(删除位置, "");
  SendMessageW(Get(删除位置), WM_PASTE, 0, 0);
  EXPECT_EQ(Text(删除位置), "x9");
}

TEST_F(EditWindowTest, PreviewOfEachTypeFillsTheSecondColumn) {
  SetText(添加字符文本, "_");
  SetText(添加位置, "2");
  Click(按钮预览);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"ab_c.txt", "Re_ad Me.md", "报_告.doc"}));
  EXPECT_TRUE(Enabled(按钮更名));

  Click(单选框删除字符);
  SetText(删除字符数量, "2");
  SetText(删除位置, "4");
  Click(选择框删除右始);
  Click(按钮预览);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a.txt", "Reade.md", "报.doc"}));

  Click(单选框字符替换);
  SetText(替换掉, "E");
  SetText(替换为, "3");
  Click(按钮预览);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"abc.txt", "R3ad M3.md", "报告.doc"}));

  Click(单选框大小写转换);
  Click(单选框转到小写);
  Click(按钮预览);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"abc.txt", "read me.md", "报告.doc"}));

  Click(单选框序号添加);
  Choose(组合框1, 1);
  SetText(编辑框开始序号, "9");
  Click(单选框序号居右);
  Click(选择框添加括号);
  Choose(组合框2, 4);
  Click(按钮预览);
  EXPECT_EQ(Column(1),
            (std::vector<std::string>{"abc【九】.txt", "Read Me【一十零】.md", "报告【一十一】.doc"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"abc.txt", "Read Me.md", "报告.doc"}));
  EXPECT_TRUE(desktop.events().empty());
}

TEST_F(EditWindowTest, PreviewTwiceGivesWhatOnceGives) {
  SetText(添加字符文本, "x");
  Click(按钮预览);
  Click(按钮预览);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"xabc.txt", "xRead Me.md", "x报告.doc"}));
  EXPECT_EQ(state.NewNames, Column(1));
}

TEST_F(EditWindowTest, MissingNumberStyleKeepsThePreviousNewNamesAndEnablesRename) {
  Click(单选框序号添加);
  Click(按钮预览);
  EXPECT_EQ(desktop.messages(), (std::vector<MessageRequest>{{"请选择序号类型", "提示:"}}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"abc.txt", "Read Me.md", "报告.doc"}));
  EXPECT_TRUE(Enabled(按钮更名));

  Choose(组合框1, 0);
  Click(选择框添加括号);
  Click(按钮预览);
  EXPECT_EQ(desktop.messages().back(),
            (MessageRequest{"您勾选了添加括号选择框，请选择括号类型", "提示:"}));
}

TEST_F(EditWindowTest, EmptySearchTextWarnsAndShowsTheCurrentNames) {
  SetText(添加字符文本, "x");
  Click(按钮预览);
  Click(单选框字符替换);
  Click(按钮预览);
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.messages()[0].title, "警告：");
  EXPECT_EQ(Column(1), (std::vector<std::string>{"abc.txt", "Read Me.md", "报告.doc"}));
}

TEST_F(EditWindowTest, UndoQuestionAnsweredNoChangesNothing) {
  SetText(添加字符文本, "1");
  Click(按钮预览);
  // A batch over files that are not there: each fails, the user goes on,
  // and Undo is then available.
  for (int file = 0; file < 3; ++file) desktop.Answer(MessageAnswer::Yes);
  desktop.Answer(MessageAnswer::No);  // no folder
  Click(按钮更名);
  ASSERT_TRUE(Enabled(按钮撤销));
  SetText(添加字符文本, "2");
  const std::vector<std::string> shown = Column(1);

  desktop.Answer(MessageAnswer::No);
  Click(按钮预览);
  const MessageRequest question{
      "本次预览后，撤销按钮将暂时失效（即此前的一次更名将不能撤销，直到您再次更名）\r\n是否继续？",
      "提示：", MessageButtons::YesNo};
  ASSERT_EQ(desktop.messages().size(), 5u);
  EXPECT_EQ(desktop.messages().back(), question);
  EXPECT_TRUE(Enabled(按钮撤销));
  EXPECT_FALSE(Enabled(按钮更名));
  EXPECT_EQ(Column(1), shown);
  EXPECT_EQ(state.NewNames[0], "1abc.txt");

  desktop.Answer(MessageAnswer::Yes);
  Click(按钮预览);
  EXPECT_FALSE(Enabled(按钮撤销));
  EXPECT_TRUE(Enabled(按钮更名));
  EXPECT_EQ(Column(1)[0], "2abc.txt");
}

TEST_F(EditWindowTest, EscClosesTheModalWindowAndTheOwnerTakesInputAgain) {
  PostMessageW(Get(添加位置), WM_KEYDOWN, VK_ESCAPE, 0);
  edit->RunModal(owner);
  EXPECT_EQ(edit->handle(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
}  // namespace testing_support
