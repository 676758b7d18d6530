#include "logo/logo_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "display_scale_expect.h"
#include "platform/gbk_convert.h"

namespace testing_support {
namespace {

constexpr UINT kItem = 77;

// A flag location of this test's own, removed at the end.
class LogoTest : public testing::Test {
 protected:
  void SetUp() override {
    menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kItem, L"logo");
  }
  void TearDown() override {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    DestroyMenu(menu);
  }
  // Stores the machine's value, or with `root` the user's.
  void Store(DWORD type, const void* data, DWORD size, HKEY root = HKEY_LOCAL_MACHINE) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyW(root, kKey, &key), ERROR_SUCCESS);
    RegSetValueExW(key, L"logo", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void StoreNumber(DWORD value, HKEY root = HKEY_LOCAL_MACHINE) { Store(REG_DWORD, &value, sizeof(value), root); }
  std::optional<DWORD> UserValue() const {
    DWORD value = 0, size = sizeof(value), type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, L"logo", RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return value;
  }
  bool Checked() const { return (GetMenuState(menu, kItem, MF_BYCOMMAND) & MF_CHECKED) != 0; }

  // Shows the logo as start-up does; returns how many Logo windows opened.
  int ShowCountingWindows() {
    static int opened;
    opened = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
      wchar_t name[64] = {};
      if (code == HCBT_CREATEWND) GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
      if (std::wstring(name) == L"RntoolLogoWindow") ++opened;
      return CallNextHookEx(nullptr, code, wParam, lParam);
    }, nullptr, GetCurrentThreadId());
    logo::ShowStartupLogo(GetModuleHandleW(nullptr), menu, kItem, flag);
    UnhookWindowsHookEx(hook);
    return opened;
  }

  static constexpr wchar_t kKey[] = L"software\\RntoolTest\\RNTOOL";
  const platform::RegistrySwitch flag{"software\\RntoolTest\\RNTOOL\\logo"};
  HMENU menu = nullptr;
};

// The user's value first; the machine's where the user has none; 1 where
// the one read is not a DWORD, or where neither is.
TEST_F(LogoTest, FlagReadsOneUnlessADwordSaysOtherwise) {
  EXPECT_EQ(flag.Read(), 1u);  // no key at all
  StoreNumber(0);
  EXPECT_EQ(flag.Read(), 0u);
  StoreNumber(2);
  EXPECT_EQ(flag.Read(), 2u);
  Store(REG_SZ, L"0", 4);
  EXPECT_EQ(flag.Read(), 1u);
  StoreNumber(0);
  StoreNumber(1, HKEY_CURRENT_USER);
  EXPECT_EQ(flag.Read(), 1u);  // the user's wins
  StoreNumber(1);
  StoreNumber(0, HKEY_CURRENT_USER);
  EXPECT_EQ(flag.Read(), 0u);
  Store(REG_SZ, L"0", 4, HKEY_CURRENT_USER);
  EXPECT_EQ(flag.Read(), 1u);
  const char big[8] = {};
  Store(REG_QWORD, big, 8, HKEY_CURRENT_USER);
  EXPECT_EQ(flag.Read(), 1u);
}

TEST_F(LogoTest, OnlyOneShowsTheWindowAndTheCheckMarkFollows) {
  StoreNumber(0);
  EXPECT_EQ(ShowCountingWindows(), 0);
  EXPECT_FALSE(Checked());
  StoreNumber(2);
  EXPECT_EQ(ShowCountingWindows(), 0);
  EXPECT_FALSE(Checked());
  Store(REG_SZ, L"0", 4);
  EXPECT_EQ(ShowCountingWindows(), 1);
  EXPECT_TRUE(Checked());
  StoreNumber(1);
  EXPECT_EQ(ShowCountingWindows(), 1);
  EXPECT_TRUE(Checked());
}

TEST_F(LogoTest, NoValueShowsTheWindow) {
  EXPECT_EQ(ShowCountingWindows(), 1);
  EXPECT_TRUE(Checked());
}

// The switch is the user's: written under HKEY_CURRENT_USER, over the
// machine's value, which stays as it is.
TEST_F(LogoTest, ToggleWritesTheUsersZeroThenOne) {
  StoreNumber(1);
  CheckMenuItem(menu, kItem, MF_BYCOMMAND | MF_CHECKED);
  logo::ToggleStartupLogo(menu, kItem, flag);
  EXPECT_FALSE(Checked());
  EXPECT_EQ(flag.Read(), 0u);
  EXPECT_EQ(UserValue(), 0u);
  logo::ToggleStartupLogo(menu, kItem, flag);
  EXPECT_TRUE(Checked());
  EXPECT_EQ(UserValue(), 1u);
  RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(flag.Read(), 1u);  // the machine's again
}

TEST_F(LogoTest, FailedWritePutsTheCheckMarkBackSilently) {
  // A key name longer than the registry allows cannot be written.
  const platform::RegistrySwitch unwritable("software\\" + std::string(300, 'k') + "\\logo");
  CheckMenuItem(menu, kItem, MF_BYCOMMAND | MF_CHECKED);
  logo::ToggleStartupLogo(menu, kItem, unwritable);
  EXPECT_TRUE(Checked());
}

struct Step {
  std::string what;
  int value;
  bool operator==(const Step&) const = default;
};

class RecordingFade final : public logo::FadeActions {
 public:
  std::vector<Step> steps;
  void MakeTopmost() override { steps.push_back({"topmost", 0}); }
  void SetOpacity(int alpha) override { steps.push_back({"opacity", alpha}); }
  void Wait(int ms) override { steps.push_back({"wait", ms}); }
  void RequestClose() override { steps.push_back({"close", 0}); }
};

TEST(FadeLogoWindow, InThenOutThenClose) {
  RecordingFade fade;
  logo::FadeLogoWindow(fade);
  std::vector<Step> expected{{"topmost", 0}};
  for (int a = 0; a <= 255; a += 3) expected.insert(expected.end(), {{"opacity", a}, {"wait", 10}});
  for (int a = 258; a >= 0; a -= 5) expected.insert(expected.end(), {{"opacity", a}, {"wait", 5}});
  expected.push_back({"close", 0});
  EXPECT_EQ(fade.steps, expected);
  EXPECT_EQ(expected.size(), 1u + 2 * 86 + 2 * 52 + 1);
  EXPECT_EQ(fade.steps[1 + 2 * 86].value, 258);
  EXPECT_EQ(fade.steps[fade.steps.size() - 3].value, 3);
}

// Before it is first shown the window is already a layered tool window at
// opacity 0: the fade starts from nothing, and no taskbar button comes.
TEST(LogoWindow, IsAnInvisibleToolWindowWhenFirstShown) {
  static LONG_PTR styleWhenShown;
  static int alphaWhenShown;
  styleWhenShown = 0;
  alphaWhenShown = -1;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    const auto& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
    wchar_t name[64] = {};
    GetClassNameW(call.hwnd, name, 64);
    if (call.message == WM_SHOWWINDOW && call.wParam && std::wstring(name) == L"RntoolLogoWindow") {
      styleWhenShown = GetWindowLongPtrW(call.hwnd, GWL_EXSTYLE);
      BYTE alpha = 0;
      DWORD flags = 0;
      if (GetLayeredWindowAttributes(call.hwnd, nullptr, &alpha, &flags)) alphaWhenShown = alpha;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }, nullptr, GetCurrentThreadId());
  HWND window = logo::OpenLogoWindow(GetModuleHandleW(nullptr));
  UnhookWindowsHookEx(hook);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(styleWhenShown, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  EXPECT_EQ(alphaWhenShown, 0);
  DestroyWindow(window);
}

TEST(SetWindowOpacity, OutOfRangeTakesEffectAs255) {
  HWND window = logo::OpenLogoWindow(GetModuleHandleW(nullptr));
  ASSERT_NE(window, nullptr);
  auto alpha = [window] {
    BYTE value = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(window, nullptr, &value, &flags);
    return static_cast<int>(value);
  };
  for (int given : {258, -1, 300}) {
    logo::SetWindowOpacity(window, 7);
    logo::SetWindowOpacity(window, given);
    EXPECT_EQ(alpha(), 255) << given;
  }
  logo::SetWindowOpacity(window, 3);
  EXPECT_EQ(alpha(), 3);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE), WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  DestroyWindow(window);
  logo::SetWindowOpacity(window, 9);  // gone: nothing happens
}

TEST_F(LogoTest, EscDuringTheFadeLeavesTheRestHarmlessAndAllWaitsRun) {
  static HWND logoWindow;
  logoWindow = nullptr;
  HHOOK hook = SetWindowsHookExW(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    wchar_t name[64] = {};
    if (code == HCBT_CREATEWND) GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
    if (std::wstring(name) == L"RntoolLogoWindow") {
      logoWindow = reinterpret_cast<HWND>(wParam);
      PostMessageW(logoWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }, nullptr, GetCurrentThreadId());
  const ULONGLONG start = GetTickCount64();
  logo::ShowStartupLogo(GetModuleHandleW(nullptr), menu, kItem, flag);
  const ULONGLONG took = GetTickCount64() - start;
  UnhookWindowsHookEx(hook);
  ASSERT_NE(logoWindow, nullptr);
  EXPECT_FALSE(IsWindow(logoWindow));
  EXPECT_GE(took, 86u * 10 + 52 * 5 - 50);  // every wait ran
}

// The 735x151 window at the display scale, centred, and the banner drawn
// for that scale fills it to its far corner (the gradient's blue there).
TEST(LogoWindow, BannerFillsTheWindowAtTheDisplayScale) {
  HWND window = logo::OpenLogoWindow(GetModuleHandleW(nullptr));
  ASSERT_NE(window, nullptr);
  logo::SetWindowOpacity(window, 255);  // as at the height of its fade
  logo::WaitProcessingMessages(50);      // the screen shows it once the display has caught up
  RECT frame;
  GetWindowRect(window, &frame);
  const int dpi = RunDpi();
  ExpectScaled(frame.right - frame.left, 735, dpi);
  ExpectScaled(frame.bottom - frame.top, 151, dpi);
  EXPECT_LE(std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  const COLORREF corner = ColourAt(window, {frame.right - frame.left - 3, frame.bottom - frame.top - 3});
  EXPECT_LT(GetRValue(corner), 0x50);
  EXPECT_GT(GetBValue(corner), 0xC0);
  DestroyWindow(window);
}

TEST(WaitProcessingMessages, DispatchesWhileWaiting) {
  static bool handled;
  handled = false;
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetTimer(window, 1, 1, [](HWND, UINT, UINT_PTR, DWORD) { handled = true; });
  logo::WaitProcessingMessages(50);
  EXPECT_TRUE(handled);
  logo::WaitProcessingMessages(0);
  logo::WaitProcessingMessages(-5);
  DestroyWindow(window);
}

}  // namespace
}  // namespace testing_support
