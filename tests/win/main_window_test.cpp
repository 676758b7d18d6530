#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <commctrl.h>
#include <dbt.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "display_scale_expect.h"
#include "high_contrast_theme.h"
#include "main_window_fixture.h"
#include "manifest_setting.h"
#include "platform/display_scale.h"
#include "platform/file_system.h"
#include "platform/gbk_convert.h"
#include "platform/incoming_files.h"
#include "platform/send_to.h"
#include "app/send_to_item.h"
#include "platform/keyboard_focus.h"
#include "ui/controls/picture_button.h"

namespace testing_support {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageRequest;
using platform::ShellRequest;

const MessageRequest kNothingPicked{"您未选中任何文件！无法进行编辑操作", "提示:"};

std::string WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return platform::ToGbk(text);
}

// While alive, closes every Edit window as soon as it is activated, after
// calling `onOpen` with it.
class EditWindowCloser {
 public:
  explicit EditWindowCloser(std::function<void(HWND)> onOpen) {
    onOpen_ = std::move(onOpen);
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~EditWindowCloser() { UnhookWindowsHookEx(hook_); }
  static int opened;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
      auto window = reinterpret_cast<HWND>(wParam);
      if (WindowText(window) == "编辑窗口") {
        ++opened;
        onOpen_(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static std::function<void(HWND)> onOpen_;
  HHOOK hook_;
};
int EditWindowCloser::opened = 0;
std::function<void(HWND)> EditWindowCloser::onOpen_;

// The controls at 100 %, and the client area the 641x527 window has at
// 100 % under Wine (the hint label's box reaches 5 pixels below it; its one
// line of text, centred, shows whole).
struct MainPlace {
  int id;
  platform::Rect place;
};
constexpr MainPlace kMainPlaces[] = {
    {ui::kDriveBoxId, {1, 56, 432, 20}},      {ui::kDirectoryBoxId, {0, 80, 432, 112}},
    {ui::kFileBoxId, {0, 192, 432, 264}},     {ui::kLabel1Id, {448, 40, 184, 232}},
    {ui::kPictureButtonId, {488, 336, 96, 40}}, {ui::kLinkLabelId, {488, 448, 96, 16}},
    {ui::kLabel2Id, {8, 448, 424, 40}},
};
constexpr SIZE kMainClient{635, 483};

void ExpectMainLayoutAt(HWND main, int dpi) {
  for (const MainPlace& control : kMainPlaces) {
    SCOPED_TRACE(control.id);
    ExpectPlaceAt(GetDlgItem(main, control.id), control.place, dpi, control.id != ui::kDriveBoxId);
  }
  const platform::Scale scale{dpi};
  EXPECT_EQ(FontHeightOf(GetDlgItem(main, ui::kLabel1Id)), scale(-16));
  EXPECT_EQ(FontHeightOf(GetDlgItem(main, ui::kLinkLabelId)), scale(-12));
  EXPECT_EQ(FontHeightOf(GetDlgItem(main, ui::kFileBoxId)), scale(-12));
}

// Windows 7 to 11 each find themselves named, so none of them runs the
// program in a compatibility mode of an older Windows.
TEST(Manifest, NamesEveryWindowsFrom7To11AsSupported) {
  std::vector<std::wstring> named = SupportedOs();
  std::sort(named.begin(), named.end());
  EXPECT_EQ(named, (std::vector<std::wstring>{L"{1F676C76-80E1-4239-95BB-83D0F6D0DA78}",    // 8.1
                                              L"{35138B9A-5D96-4FBD-8E2D-A2440225F93A}",    // 7
                                              L"{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38}",    // 8
                                              L"{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A}"}));  // 10, 11
}

TEST_F(MainWindowTest, LayoutAtTheDisplayScale) {
  // The program's manifest (this test carries the same) tells the system
  // not to stretch its windows: per-monitor v2, else per-monitor, else
  // system-aware where only the older setting is read.
  EXPECT_EQ(ManifestSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
  EXPECT_EQ(ManifestSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
            L"true/pm");
  HWND main = window.handle();
  EXPECT_EQ(WindowText(main), "澄川改名宝V1.00");
  ExpectWindowAt(main, 641, 527, kMainClient, RunDpi());
  ExpectMainLayoutAt(main, RunDpi());
  const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(WindowText(GetDlgItem(main, ui::kLinkLabelId)), "点击这里访问我们");
  EXPECT_EQ(WindowText(GetDlgItem(main, ui::kLabel2Id)), "提示：请在上方选择需要更名的文件。");
  EXPECT_EQ(WindowText(GetDlgItem(main, ui::kLabel1Id)).rfind("请按选择好您想要批量更名的文件", 0), 0u);
}

// The picture drawn for the scale fills the button's face: a point near
// its right end shows the face colour, not the window behind.
TEST_F(MainWindowTest, PictureButtonAtTheDisplayScale) {
  ShowWindow(window.handle(), SW_SHOW);
  RedrawWindow(window.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HWND button = GetDlgItem(window.handle(), ui::kPictureButtonId);
  const platform::Scale scale{RunDpi()};
  // The 88x32 face sits centred in the 96x40 button: 84,20 is on it, right
  // of the words; 3,20 is beside it, inside the focus rectangle.
  EXPECT_EQ(ColourAt(button, {scale(84), scale(20)}), RGB(0x28, 0x50, 0xC8));
  EXPECT_EQ(ColourAt(button, {scale(3), scale(20)}), RGB(0, 0, 128));
}

// Moved to a monitor of another scale, the window asks for its size at
// that scale, takes the suggested rectangle and lays itself out again; the folder, the files and the
// selection stay.
TEST_F(MainWindowTest, MovingToAnotherScaleKeepsEverything) {
  for (const char* name : {"b.txt", "a.txt", "c.txt"}) folder.AddFile(name);
  window.SetInitialFolder(folder.path());
  Pick("a.txt");
  Pick("c.txt");
  const int dpi = RunDpi() * 3 / 2;
  SIZE size{};
  ASSERT_TRUE(SendMessageW(window.handle(), platform::kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size)));
  ExpectScaled(size.cx, 641, dpi);
  ExpectScaled(size.cy, 527, dpi);
  const RECT suggested{20, 10, 20 + size.cx, 10 + size.cy};
  SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

  RECT frame;
  GetWindowRect(window.handle(), &frame);
  EXPECT_EQ(frame.left, suggested.left);
  EXPECT_EQ(frame.top, suggested.top);
  EXPECT_EQ(frame.right, suggested.right);
  EXPECT_EQ(frame.bottom, suggested.bottom);
  ExpectMainLayoutAt(window.handle(), dpi);
  EXPECT_EQ(window.fileBox().Names(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(window.fileBox().SelectionText(), "a.txt;c.txt");
  EXPECT_EQ(SendMessageW(window.fileBox().handle(), LB_GETSELCOUNT, 0, 0), 2);
  EXPECT_EQ(window.fileBox().FolderText(), folder.path() + "\\");
}

TEST_F(MainWindowTest, MenuBarItemsInOrder) {
  HMENU bar = GetMenu(window.handle());
  auto itemText = [](HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return platform::ToGbk(text);
  };
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_EQ(itemText(bar, 0), "菜单");
  EXPECT_EQ(itemText(bar, 1), "工具");
  EXPECT_EQ(itemText(bar, 2), "关于");
  HMENU fileMenu = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(fileMenu), 5);
  EXPECT_EQ(itemText(fileMenu, 0), "启动时加载logo");
  EXPECT_EQ(GetMenuState(fileMenu, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(itemText(fileMenu, 2), "编辑名称");
  EXPECT_EQ(itemText(fileMenu, 3), "打开当前文件夹");
  EXPECT_EQ(itemText(fileMenu, 4), "退出");
  EXPECT_EQ(GetMenuItemID(fileMenu, 2), static_cast<UINT>(ui::kCommandEditNames));
  HMENU toolsMenu = GetSubMenu(bar, 1);
  ASSERT_EQ(GetMenuItemCount(toolsMenu), 3);
  EXPECT_EQ(itemText(toolsMenu, 0), "更名历史");
  EXPECT_EQ(itemText(toolsMenu, 1), "记录更名历史");
  EXPECT_EQ(itemText(toolsMenu, 2), "添加到“发送到”菜单");
  EXPECT_EQ(GetMenuItemID(toolsMenu, 0), static_cast<UINT>(ui::kCommandHistory));
  EXPECT_EQ(window.ToolsMenu(), toolsMenu);
  HMENU aboutMenu = GetSubMenu(bar, 2);
  ASSERT_EQ(GetMenuItemCount(aboutMenu), 2);
  EXPECT_EQ(itemText(aboutMenu, 0), "帮助");
  EXPECT_EQ(itemText(aboutMenu, 1), "作者信息");
  EXPECT_EQ(window.FileMenu(), fileMenu);
}

TEST_F(MainWindowTest, NothingPickedShowsTheMessageFromEveryEntryPoint) {
  folder.AddFile("a.txt");
  window.SetInitialFolder(folder.path());
  EditWindowCloser closer([](HWND) {});
  EditWindowCloser::opened = 0;

  SendMessageW(GetDlgItem(window.handle(), ui::kPictureButtonId), BM_CLICK, 0, 0);
  Command(ui::kCommandEditNames);  // the menu bar and the tray menu send this command
  EXPECT_EQ(desktop.messages(), (std::vector<MessageRequest>{kNothingPicked, kNothingPicked}));
  EXPECT_EQ(EditWindowCloser::opened, 0);
}

TEST_F(MainWindowTest, HandOverFillsSeparateListsAndHandBackRelistsWithASlash) {
  for (const char* name : {"b.txt", "a.txt", "c.txt"}) folder.AddFile(name);
  window.SetInitialFolder(folder.path());
  Pick("b.txt");
  Pick("a.txt");

  rules::ProgramState seen;
  bool mainEnabledWhileOpen = true;
  EditWindowCloser closer([&](HWND) {
    seen = state;
    mainEnabledWhileOpen = IsWindowEnabled(window.handle()) != FALSE;
  });
  EditWindowCloser::opened = 0;
  SendMessageW(GetDlgItem(window.handle(), ui::kPictureButtonId), BM_CLICK, 0, 0);

  ASSERT_EQ(EditWindowCloser::opened, 1);
  EXPECT_FALSE(mainEnabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(window.handle()));
  EXPECT_EQ(seen.FolderPath, folder.path() + "\\");
  const rules::NameList picked{"a.txt", "b.txt"};
  EXPECT_EQ(seen.CurrentNames, picked);
  EXPECT_EQ(seen.NewNames, picked);
  EXPECT_EQ(seen.UndoNames, picked);
  EXPECT_NE(state.NewNames.data(), state.CurrentNames.data());

  // Hand-back: listed again under the folder text with "/", selection kept.
  EXPECT_EQ(window.fileBox().FolderText(), folder.path() + "/");
  EXPECT_EQ(window.fileBox().Names().size(), 3u);
  EXPECT_EQ(window.fileBox().SelectionText(), "a.txt;b.txt");

  Command(ui::kCommandEditNames);
  ASSERT_EQ(EditWindowCloser::opened, 2);
  EXPECT_EQ(seen.FolderPath, folder.path() + "/");
  EXPECT_TRUE(desktop.events().empty());
}

// The tray menu's 编辑名称 reaches the Main window while the Edit window is
// open: it brings that one forward instead of opening a second.
TEST_F(MainWindowTest, EditNamesWhileTheEditWindowIsOpenOpensNoSecondOne) {
  folder.AddFile("a.txt");
  window.SetInitialFolder(folder.path());
  Pick("a.txt");
  std::set<HWND> editWindows;
  EditWindowCloser closer([&](HWND edit) {
    if (editWindows.insert(edit).second && editWindows.size() == 1) {
      PostMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(ui::kCommandEditNames, 0), 0);
    }
  });
  Command(ui::kCommandEditNames);
  EXPECT_EQ(editWindows.size(), 1u);
  EXPECT_TRUE(IsWindowEnabled(window.handle()));
  Command(ui::kCommandEditNames);  // and once it has closed, it opens again
  EXPECT_EQ(editWindows.size(), 2u);
}

TEST(MainWindowResources, TheFileBoxFontGoesWithTheWindow) {
  rules::ProgramState state;
  ScriptedDesktop desktop;
  platform::WindowsFiles files;
  MemoryJournals journals;
  HFONT font = nullptr;
  {
    ui::MainWindow window(state, {desktop, files, journals, journals}, {});
    ASSERT_NE(window.Create(GetModuleHandleW(nullptr)), nullptr);
    font = reinterpret_cast<HFONT>(SendMessageW(window.fileBox().handle(), WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  }
  EXPECT_EQ(GetObjectType(font), 0u);
}


// Keys as the message loop hands them over, with Shift or Ctrl held.
MSG KeyDown(HWND target, WPARAM key) { return MSG{target, WM_KEYDOWN, key, 0, 0, {}}; }
void HoldKeys(std::initializer_list<int> keys) {
  BYTE state[256] = {};
  for (int key : keys) state[key] = 0x80;
  SetKeyboardState(state);
}

// Tab and Shift+Tab go round the boxes and the picture button in reading
// order; Enter and Space press the button; Ctrl+A picks every file.
TEST_F(MainWindowTest, TheKeyboardReachesEveryControl) {
  for (const char* name : {"b.txt", "a.txt", "c.txt"}) folder.AddFile(name);
  window.SetInitialFolder(folder.path());
  ShowWindow(window.handle(), SW_SHOW);
  HWND main = window.handle();
  const std::vector<HWND> order = {GetDlgItem(main, ui::kDriveBoxId), GetDlgItem(main, ui::kDirectoryBoxId),
                                   window.fileBox().handle(), GetDlgItem(main, ui::kPictureButtonId)};
  EXPECT_EQ(platform::TabStops(main), order);
  SetFocus(order[0]);
  std::vector<HWND> visited;
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_TRUE(window.HandleKey(KeyDown(GetFocus(), VK_TAB)));
    visited.push_back(GetFocus());
  }
  EXPECT_EQ(visited, (std::vector<HWND>{order[1], order[2], order[3], order[0]}));
  HoldKeys({VK_SHIFT});
  EXPECT_TRUE(window.HandleKey(KeyDown(GetFocus(), VK_TAB)));
  EXPECT_EQ(GetFocus(), order[3]);

  HoldKeys({VK_CONTROL});
  EXPECT_TRUE(window.HandleKey(KeyDown(window.fileBox().handle(), 'A')));
  HoldKeys({});
  EXPECT_EQ(window.fileBox().SelectionText(), "a.txt;b.txt;c.txt");

  // The picture button: Enter and Space act as a click (here: the Edit
  // window opens, and closes again at once).
  EditWindowCloser closer([](HWND) {});
  EditWindowCloser::opened = 0;
  SendMessageW(order[3], WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(EditWindowCloser::opened, 1);
  SendMessageW(order[3], WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(order[3], WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(EditWindowCloser::opened, 2);
}

TEST_F(MainWindowTest, DriveChangeListsTheRootWithADoubledSeparator) {
  window.SetInitialFolder(folder.path());
  HWND drives = window.driveBox().handle();
  const auto count = SendMessageW(drives, CB_GETCOUNT, 0, 0);
  LRESULT driveC = CB_ERR;
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    SendMessageW(drives, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    if (text[0] == L'C') driveC = i;
  }
  ASSERT_NE(driveC, CB_ERR);
  SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(driveC), 0);
  SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(ui::kDriveBoxId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drives));

  EXPECT_EQ(window.driveBox().Drive(), 'C');
  EXPECT_EQ(window.directoryBox().FolderText(), "C:\\");
  EXPECT_EQ(window.fileBox().FolderText(), "C:\\\\");
}

// A stick put in or taken out: the drive box lists the drives afresh and
// keeps its drive; the boxes below keep their folder.
TEST_F(MainWindowTest, AVolumeThatComesOrGoesListsTheDrivesAfresh) {
  window.SetInitialFolder(folder.path());
  HWND drives = window.driveBox().handle();
  const char drive = window.driveBox().Drive();
  const std::string folderText = window.directoryBox().FolderText();
  SendMessageW(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Q: （可移动磁盘）"));  // gone since
  for (const WPARAM event : {WPARAM{DBT_DEVICEARRIVAL}, WPARAM{DBT_DEVICEREMOVECOMPLETE}}) {
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << ('Q' - 'A');
    SendMessageW(window.handle(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
    EXPECT_EQ(static_cast<size_t>(SendMessageW(drives, CB_GETCOUNT, 0, 0)), platform::ListDrives().size());
    EXPECT_GE(SendMessageW(drives, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(window.driveBox().Drive(), drive);
    EXPECT_EQ(window.directoryBox().FolderText(), folderText);
  }
  const LRESULT count = SendMessageW(drives, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    SendMessageW(drives, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_NE(text[0], L'Q');
  }
}

// The hint label lies over the file box's bottom edge: the box keeps its
// bottom border and the last pixels of its last row, where the label would
// otherwise paint the window's navy.
TEST_F(MainWindowTest, TheFileBoxKeepsItsBottomEdgeUnderTheHintLabel) {
  for (int i = 0; i < 40; ++i) folder.AddFile("file" + std::to_string(i) + ".txt");
  window.SetInitialFolder(folder.path());
  ShowOnTop(window.handle());
  RECT box;
  GetWindowRect(window.fileBox().handle(), &box);
  MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&box), 2);
  constexpr COLORREF kNavy = RGB(0, 0, 128);
  for (const int up : {1, 3, 6}) {
    EXPECT_NE(ColourAt(window.handle(), {box.left + 60, box.bottom - up}), kNavy) << up;
  }
  ShowOnTop(window.handle(), false);
}

// Under high contrast the window, its three boxes and its labels take the
// system's colours, the labels without their white shadows; switched back,
// everything has its own colours again.
TEST_F(MainWindowTest, HighContrastTakesTheSystemColoursAndGivesThemBack) {
  for (const char* name : {"a.txt", "b.txt"}) folder.AddFile(name);
  window.SetInitialFolder(folder.path());
  HWND hint = GetDlgItem(window.handle(), ui::kLabel1Id);
  HWND link = GetDlgItem(window.handle(), ui::kLinkLabelId);
  struct Looks {
    COLORREF window, fileBox, tree, dropDown;
    std::map<COLORREF, int> hint, link;
  };
  const auto look = [&] {
    ShowOnTop(window.handle());
    RECT box, client;
    GetWindowRect(window.fileBox().handle(), &box);
    MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&box), 2);
    GetClientRect(window.fileBox().handle(), &client);
    HDC dc = GetDC(window.driveBox().handle());
    const auto dropDown = reinterpret_cast<HBRUSH>(SendMessageW(
        window.handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), 0));
    LOGBRUSH brush{};
    GetObjectW(dropDown, sizeof(brush), &brush);
    ReleaseDC(window.driveBox().handle(), dc);
    return Looks{ColourAt(window.handle(), {box.right + 4, box.bottom - 10}),
                 ColourAt(window.fileBox().handle(), {client.right - 5, client.bottom - 5}),
                 ColourAt(window.directoryBox().handle(), {1, 1}), brush.lbColor, ColoursOf(hint),
                 ColoursOf(link)};
  };
  constexpr COLORREF kNavy = RGB(0, 0, 128), kLilac = RGB(128, 128, 255);
  constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
  const auto expectOwnColours = [&](Looks own) {
    EXPECT_EQ(own.window, kNavy);
    EXPECT_EQ(own.fileBox, kLilac);
    EXPECT_EQ(own.tree, kLilac);
    EXPECT_EQ(own.dropDown, kLilac);
    EXPECT_GT(own.hint[kWhite], 0);  // the engraved shadow
    EXPECT_GT(own.hint[kBlack], 0);
    EXPECT_GT(own.link[kWhite], 0);  // the embossed shadow
  };
  expectOwnColours(look());
  {
    const HighContrastTheme theme(desktop.highContrast);
    Looks contrast = look();
    EXPECT_EQ(contrast.window, HighContrastTheme::kWindow);
    EXPECT_EQ(contrast.fileBox, HighContrastTheme::kWindow);
    EXPECT_EQ(contrast.tree, HighContrastTheme::kWindow);
    EXPECT_EQ(contrast.dropDown, HighContrastTheme::kWindow);
    EXPECT_GT(contrast.hint[HighContrastTheme::kText], 0);
    EXPECT_GT(contrast.link[HighContrastTheme::kLink], 0);
    for (auto* label : {&contrast.hint, &contrast.link}) {
      EXPECT_EQ((*label)[kWhite], 0);
      EXPECT_EQ((*label)[kBlack], 0);
      EXPECT_EQ((*label)[kNavy], 0);
    }
  }
  expectOwnColours(look());
  ShowOnTop(window.handle(), false);
}

// What a screen reader hears: the picture button is a push button named
// 编辑名称 whose default action clicks it; the hint is static text with its
// text, the link a link whose default action follows it.
TEST_F(MainWindowTest, ScreenReadersHearAPushButtonALinkAndTheHint) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the program does at its start
  struct Heard {
    long role;
    std::wstring name;
  };
  auto hear = [](HWND control, bool act) {
    IAccessible* object = nullptr;
    Heard heard{0, L""};
    using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    static const auto fromWindow = reinterpret_cast<FromWindow>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryW(L"oleacc.dll"), "AccessibleObjectFromWindow")));
    if (!fromWindow || fromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                  reinterpret_cast<void**>(&object)) != S_OK) {
      return heard;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) heard.role = role.lVal;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name) heard.name = name;
    SysFreeString(name);
    if (act) object->accDoDefaultAction(self);
    object->Release();
    return heard;
  };
  const Heard button = hear(GetDlgItem(window.handle(), ui::kPictureButtonId), true);
  EXPECT_EQ(button.role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(button.name, platform::ToWide("编辑名称"));
  const Heard link = hear(GetDlgItem(window.handle(), ui::kLinkLabelId), true);
  EXPECT_EQ(link.role, ROLE_SYSTEM_LINK);
  EXPECT_EQ(link.name, platform::ToWide("点击这里访问我们"));
  const Heard hint = hear(GetDlgItem(window.handle(), ui::kLabel2Id), false);
  EXPECT_EQ(hint.role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(hint.name, platform::ToWide("提示：请在上方选择需要更名的文件。"));
  PumpMessages();  // the default actions were posted
  ASSERT_EQ(desktop.messages().size(), 1u);  // nothing picked: the button's click says so
  EXPECT_EQ(desktop.messages()[0], kNothingPicked);
  EXPECT_EQ(desktop.shellOpens().size(), 1u);  // the web page
  CoUninitialize();
}

TEST_F(MainWindowTest, DriveEntriesShowTheirKind) {
  using platform::DriveInfo;
  using platform::DriveKind;
  EXPECT_EQ(ui::DriveEntryText(DriveInfo{'C', DriveKind::Fixed, "System"}), "C: （硬盘） System");
  EXPECT_EQ(ui::DriveEntryText(DriveInfo{'D', DriveKind::Fixed, ""}), "D: （硬盘）");
  EXPECT_EQ(ui::DriveEntryText(DriveInfo{'E', DriveKind::CdRom, "x"}), "E: （光驱）");
  EXPECT_EQ(ui::DriveEntryText(DriveInfo{'F', DriveKind::Network, ""}), "F: （网络驱动器）");
  EXPECT_EQ(ui::DriveEntryText(DriveInfo{'G', DriveKind::RamDisk, ""}), "G: （内存虚拟驱动器）");
  EXPECT_EQ(ui::DriveEntryText(DriveInfo{'A', DriveKind::Removable, "x"}), "A:");
}

TEST_F(MainWindowTest, DirectoryShowsTheChainAndOpensAFolderOnDoubleClickOrEnter) {
  folder.AddFolder("sub");
  folder.AddFolder("sub\\deeper");
  folder.AddFile("top.txt");
  folder.AddFile("sub\\inner.txt");
  window.SetInitialFolder(folder.path());
  ShowWindow(window.handle(), SW_SHOW);
  UpdateWindow(window.handle());

  HWND tree = window.directoryBox().handle();
  HTREEITEM current = TreeView_GetSelection(tree);
  HTREEITEM sub = TreeView_GetChild(tree, current);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(TreeView_GetNextSibling(tree, sub), nullptr);  // only the one sub-folder

  RECT item;
  TreeView_GetItemRect(tree, sub, &item, TRUE);
  POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  const LPARAM at = MAKELPARAM(centre.x, centre.y);
  POINT onScreen = centre;
  ClientToScreen(tree, &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);

  // A single click selects the folder but opens nothing. The tree watches
  // for a drag after the button goes down, so the release waits in the queue.
  PostMessageW(tree, WM_LBUTTONUP, 0, at);
  SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PumpMessages();
  EXPECT_EQ(window.fileBox().Names(), std::vector<std::string>{"top.txt"});
  EXPECT_EQ(window.directoryBox().FolderText(), folder.path());

  PostMessageW(tree, WM_LBUTTONUP, 0, at);
  SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PumpMessages();
  EXPECT_EQ(window.directoryBox().FolderText(), folder.path() + "\\sub");
  EXPECT_EQ(window.fileBox().FolderText(), folder.path() + "\\sub\\");
  EXPECT_EQ(window.fileBox().Names(), std::vector<std::string>{"inner.txt"});

  // Enter on the selected sub-folder opens it too.
  HTREEITEM deeper = TreeView_GetChild(tree, TreeView_GetSelection(tree));
  ASSERT_NE(deeper, nullptr);
  TreeView_SelectItem(tree, deeper);
  SendMessageW(tree, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  EXPECT_EQ(window.directoryBox().FolderText(), folder.path() + "\\sub\\deeper");
  EXPECT_TRUE(window.fileBox().Names().empty());
}

// Started from a network folder, the tree's root is the share itself, and
// every folder text made from the tree keeps it.
TEST_F(MainWindowTest, ANetworkFolderKeepsItsServerAndShare) {
  window.SetInitialFolder("\\\\server\\share\\folder");
  HWND tree = window.directoryBox().handle();
  HTREEITEM root = TreeView_GetRoot(tree);
  wchar_t text[64] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = root;
  item.pszText = text;
  item.cchTextMax = 64;
  TreeView_GetItem(tree, &item);
  EXPECT_EQ(std::wstring(text), L"\\\\server\\share");
  EXPECT_EQ(window.fileBox().FolderText(), "\\\\server\\share\\folder\\");
  TreeView_SelectItem(tree, TreeView_GetChild(tree, root));
  SendMessageW(tree, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  EXPECT_EQ(window.directoryBox().FolderText(), "\\\\server\\share\\folder");
  TreeView_SelectItem(tree, root);
  SendMessageW(tree, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  EXPECT_EQ(window.directoryBox().FolderText(), "\\\\server\\share");
  EXPECT_EQ(window.fileBox().FolderText(), "\\\\server\\share\\");
}

TEST_F(MainWindowTest, HelpShowsItsMessageThenOpensTheWebPage) {
  Command(ui::kCommandHelp);
  ASSERT_EQ(desktop.events().size(), 2u);
  EXPECT_TRUE(desktop.events()[0].isMessage);
  EXPECT_EQ(desktop.events()[0].message,
            (MessageRequest{"您好，有什么意见和建议请到空间中留言，谢谢", "帮助"}));
  EXPECT_FALSE(desktop.events()[1].isMessage);
  EXPECT_EQ(desktop.events()[1].shell, (ShellRequest{"http://www.ccjs.example/", "open"}));
}

TEST_F(MainWindowTest, AuthorInformationHasTheInformationIcon) {
  Command(ui::kCommandAuthorInfo);
  ASSERT_EQ(desktop.messages().size(), 1u);
  const MessageRequest shown = desktop.messages()[0];
  EXPECT_EQ(shown.title, "作者信息");
  EXPECT_EQ(shown.icon, MessageIcon::Information);
  EXPECT_EQ(shown.buttons, MessageButtons::Ok);
  EXPECT_EQ(shown.text,
            "澄川改名宝v1.00由澄川技术荣誉开发，感谢您的使用。    联系我们：kf@ccjs.example。");
}

TEST_F(MainWindowTest, LinkOpensThePageOnButtonDown) {
  HWND link = GetDlgItem(window.handle(), ui::kLinkLabelId);
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(desktop.shellOpens(), (std::vector<ShellRequest>{{"http://www.ccjs.example/", "open"}}));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(desktop.shellOpens().size(), 1u);
}

TEST_F(MainWindowTest, OpenFolderHandsTheFileBoxFolderToTheShell) {
  window.SetInitialFolder(folder.path());
  Command(ui::kCommandOpenFolder);
  EXPECT_EQ(desktop.shellOpens(), (std::vector<ShellRequest>{{folder.path() + "\\", ""}}));
}

TEST_F(MainWindowTest, PictureButtonHasThreeLooks) {
  ShowWindow(window.handle(), SW_SHOW);
  HWND button = GetDlgItem(window.handle(), ui::kPictureButtonId);
  EXPECT_EQ(ui::CurrentLook(button), ui::ButtonLook::Normal);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(ui::CurrentLook(button), ui::ButtonLook::MouseOver);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(ui::CurrentLook(button), ui::ButtonLook::Pressed);
  SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
  EXPECT_EQ(ui::CurrentLook(button), ui::ButtonLook::Normal);
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));  // released outside: no click
  EXPECT_TRUE(desktop.events().empty());
}

// A real HDROP, as Explorer's drop hands one over: a DROPFILES block in
// global memory with the paths in UTF-16, each ended by a zero, and a zero
// after the last. The window takes it and lets it go.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* block = static_cast<DROPFILES*>(GlobalLock(memory));
  block->pFiles = sizeof(DROPFILES);
  block->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(block) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// Each kind of drop: files of one folder (a folder with blanks, names
// outside code page 936) open the Edit window with exactly them; a folder
// alone becomes the current one; files of two folders are told of; a path
// that is not there is told of and changes nothing.
TEST_F(MainWindowTest, ADropShowsItsFolderAndEditsItsFiles) {
  const std::wstring base = platform::ToWide(folder.path());
  folder.AddFolder("有 空格");
  folder.AddFolder("other");
  const std::wstring spaced = base + L"\\有 空格";
  const std::wstring accented = L"\u00e9t\u00e9 \U0001F600.jpg";  // outside code page 936
  for (const std::wstring& name : {std::wstring(L"b.txt"), std::wstring(L"a.txt"), accented, std::wstring(L"c.txt")}) {
    CloseHandle(CreateFileW((L"\\\\?\\" + spaced + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  for (const wchar_t* name : {L"x.txt", L"y.txt"}) {
    CloseHandle(CreateFileW((base + L"\\other\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  window.SetInitialFolder(folder.path());
  rules::ProgramState seen;
  EditWindowCloser closer([&](HWND) { seen = state; });
  const std::string spacedText = platform::ToGbk(spaced);
  struct Row {
    const char* what;
    std::vector<std::wstring> paths;
    int opened;
    std::string shown;  // the file box's folder afterwards
    rules::NameList edited;
    std::vector<std::string> messages;
  };
  const std::vector<Row> table = {
      {"files of one folder", {spaced + L"\\b.txt", spaced + L"\\" + accented, spaced + L"\\a.txt"}, 1,
       spacedText + "/", {"a.txt", "b.txt", platform::ToGbk(accented)}, {}},
      {"a folder alone", {base + L"\\other"}, 0, folder.path() + "\\other\\", {}, {}},
      {"files of two folders", {spaced + L"\\c.txt", base + L"\\other\\x.txt", base + L"\\other\\y.txt"}, 1,
       spacedText + "/", {"c.txt"}, {"一次只能编辑同一个文件夹中的文件，另一个文件夹中的 2 个文件没有加入。"}},
      {"a path that is not there", {base + L"\\gone.txt"}, 0, spacedText + "/", {},
       {"找不到文件：" + folder.path() + "\\gone.txt"}},
  };
  for (const Row& row : table) {
    SCOPED_TRACE(row.what);
    EditWindowCloser::opened = 0;
    seen = rules::ProgramState();
    const size_t before = desktop.messages().size();
    SendMessageW(window.handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(row.paths)), 0);
    EXPECT_EQ(EditWindowCloser::opened, row.opened);
    EXPECT_EQ(window.fileBox().FolderText(), row.shown);
    EXPECT_EQ(seen.CurrentNames, row.edited);
    // A folder alone leaves nothing picked; a missing path leaves things as they were.
    if (row.opened == 0 && row.messages.empty()) EXPECT_EQ(window.fileBox().SelectionText(), "");
    std::vector<std::string> said;
    for (size_t i = before; i < desktop.messages().size(); ++i) {
      said.push_back(desktop.messages()[i].text);
      EXPECT_EQ(desktop.messages()[i].title, "提示：");
    }
    EXPECT_EQ(said, row.messages);
  }
}

// Paths another copy hands over: taken as a drop once the sender is free;
// while the Edit window is open (the sender another thread, as another
// process's would be), it says so and takes nothing.
TEST_F(MainWindowTest, PathsHandedOverByAnotherCopyAreTakenAsADrop) {
  for (const char* name : {"a.txt", "b.txt"}) folder.AddFile(name);
  static std::wstring base;
  static HWND main, edit;
  static int opened;
  static std::thread sender;
  base = platform::ToWide(folder.path());
  main = window.handle();
  edit = nullptr;
  opened = 0;
  static auto handOver = [](const std::vector<std::wstring>& paths) {
    std::wstring text = platform::PathsMessage(paths);
    COPYDATASTRUCT data{platform::kPathsData, static_cast<DWORD>(text.size() * sizeof(wchar_t)), text.data()};
    return SendMessageW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  };
  // Once the Edit window shows, another "copy" hands a path over; the
  // window closes after the message that answers it.
  HHOOK hook = SetWindowsHookExW(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    const auto shown = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && WindowText(shown) == "编辑窗口" && shown != edit) {
      edit = shown;
      ++opened;
      sender = std::thread([] { handOver({base + L"\\a.txt"}); });
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }, nullptr, GetCurrentThreadId());
  desktop.onMessage = [](const MessageRequest&) { PostMessageW(edit, WM_CLOSE, 0, 0); };
  rules::ProgramState seen;

  EXPECT_EQ(handOver({base + L"\\b.txt", base + L"\\a.txt"}), TRUE);
  EXPECT_EQ(opened, 0);  // not while the sender waits
  PumpMessages();
  UnhookWindowsHookEx(hook);
  if (sender.joinable()) sender.join();
  PumpMessages();
  EXPECT_EQ(opened, 1);  // those handed while it was open were not taken
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"a.txt", "b.txt"}));
  EXPECT_EQ(desktop.messages(), (std::vector<MessageRequest>{{"请先关闭编辑窗口，再加入新的文件。", "提示："}}));

  const COPYDATASTRUCT other{0x1234, 0, nullptr};
  EXPECT_EQ(SendMessageW(window.handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other)), FALSE);
}

// The 发送到 shortcut, in a folder standing in for the user's Send To
// folder: made pointing at this very program (read back through
// IShellLinkW), removed, and one pointing at another copy replaced.
TEST_F(MainWindowTest, TheSendToItemMakesAndRemovesTheShortcut) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));  // as the program does at its start
  const std::wstring sendTo = platform::ToWide(folder.path()) + L"\\";
  const std::wstring program = platform::ExecutablePath();
  HMENU tools = window.ToolsMenu();
  auto checked = [&] { return (GetMenuState(tools, ui::kCommandSendTo, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  app::ShowSendTo(tools, ui::kCommandSendTo, sendTo, program);
  EXPECT_FALSE(checked());
  app::ToggleSendTo(tools, ui::kCommandSendTo, sendTo, program);
  EXPECT_TRUE(checked());
  EXPECT_EQ(platform::SendToTarget(sendTo), program);
  app::ToggleSendTo(tools, ui::kCommandSendTo, sendTo, program);
  EXPECT_FALSE(checked());
  EXPECT_FALSE(platform::SendToTarget(sendTo));
  EXPECT_EQ(GetFileAttributesW((sendTo + platform::kSendToShortcutName).c_str()), INVALID_FILE_ATTRIBUTES);

  const std::wstring other = sendTo + L"another copy\\rntool.exe";
  ASSERT_TRUE(platform::MakeSendToShortcut(sendTo, other));
  app::ShowSendTo(tools, ui::kCommandSendTo, sendTo, program);
  EXPECT_FALSE(checked());  // it points elsewhere
  app::ToggleSendTo(tools, ui::kCommandSendTo, sendTo, program);
  EXPECT_TRUE(checked());
  EXPECT_EQ(platform::SendToTarget(sendTo), program);
  CoUninitialize();
}

// A file whose path is longer than 260 characters, dropped as Explorer
// hands it over (without \\?\\): its folder is shown and it is edited.
TEST_F(MainWindowTest, ADropFromAFolderBeyond260CharactersWorks) {
  std::wstring deep = platform::ToWide(folder.path());
  while (deep.size() < 300) {
    deep += L"\\" + std::wstring(60, L'深');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
  }
  CloseHandle(CreateFileW((L"\\\\?\\" + deep + L"\\a.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  window.SetInitialFolder(folder.path());
  rules::ProgramState seen;
  EditWindowCloser closer([&](HWND) { seen = state; });
  EditWindowCloser::opened = 0;
  SendMessageW(window.handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({deep + L"\\a.txt"})), 0);
  EXPECT_EQ(EditWindowCloser::opened, 1);
  EXPECT_EQ(seen.CurrentNames, rules::NameList{"a.txt"});
  EXPECT_EQ(seen.FolderPath, platform::ToGbk(deep) + "\\");
  EXPECT_TRUE(desktop.messages().empty());
}

// A copy run as administrator still takes what lower processes send it:
// the taskbar's return, a drop (WM_DROPFILES and its data in 0x0049) and
// another copy's paths. Recorded at the seam, as Wine runs every program
// as administrator.
TEST(MainWindowFilter, LetsThroughWhatExplorerAndOtherCopiesSend) {
  struct Recording final : platform::MessageFilter {
    std::vector<std::pair<HWND, UINT>> calls;
    void Allow(HWND window, UINT message) override { calls.emplace_back(window, message); }
  } filter;
  rules::ProgramState state;
  ScriptedDesktop desktop;
  platform::WindowsFiles files;
  MemoryJournals journals;
  ui::MainWindow window{state, {desktop, files, journals, journals}, {}};
  HWND handle = window.Create(GetModuleHandleW(nullptr), filter);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(filter.calls, (std::vector<std::pair<HWND, UINT>>{{handle, ui::MainWindow::TaskbarCreatedMessage()},
                                                              {handle, WM_DROPFILES},
                                                              {handle, 0x0049},
                                                              {handle, WM_COPYDATA}}));
}

}  // namespace
}  // namespace testing_support
