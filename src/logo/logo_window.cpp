#include "logo/logo_window.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>

#include "platform/object_window.h"
#include "platform/owned_handles.h"
#include "platform/scaled_picture.h"
#include "platform/user32_function.h"
#include "platform/window_layout.h"
#include "platform/window_helpers.h"
#include "resource_ids.h"

namespace logo {
namespace {

constexpr wchar_t kClassName[] = L"RntoolLogoWindow";
constexpr int kWidth = 735;
constexpr int kHeight = 151;

using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// A banner JPEG carried in the program, decoded into a bitmap.
HBITMAP LoadBanner(HINSTANCE instance, int id) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!resource) return nullptr;
  const DWORD size = SizeofResource(instance, resource);
  const void* bytes = LockResource(LoadResource(instance, resource));
  if (!bytes) return nullptr;
  platform::GlobalMemory copy(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!copy) return nullptr;
  memcpy(GlobalLock(copy.get()), bytes, size);
  GlobalUnlock(copy.get());
  platform::ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(copy.get(), TRUE, stream.Receive()))) return nullptr;
  copy.Take();  // the stream frees it
  platform::ComPtr<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(picture.Receive())))) {
    return nullptr;
  }
  OLE_HANDLE handle = 0;
  picture.get()->get_Handle(&handle);
  return static_cast<HBITMAP>(
      CopyImage(reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
}

// The banner, drawn for the window's display scale; the window owns it.
class LogoWindow {
 public:
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_PAINT: return OnPaint(window);
      case WM_DPICHANGED: return OnScaleChanged(window, lParam);
      case WM_KEYDOWN: return OnKeyDown(window, wParam);
      default: return DefWindowProcW(window, message, wParam, lParam);
    }
  }

 private:
  LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const platform::Scale scale = platform::ScaleOf(window);
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    if (HBITMAP banner = banner_.For(instance, scale, 0)) {
      // From the top-left corner: the window is 2 columns narrower than the picture.
      const SIZE size = platform::SizeAt(scale, banner_.choice(), platform::BitmapSize(banner));
      platform::DrawPicture(dc, {0, 0, size.cx, size.cy}, banner);
    }
    EndPaint(window, &paint);
    return 0;
  }
  // The banner for the new scale is chosen when painted.
  static LRESULT OnScaleChanged(HWND window, LPARAM suggested) {
    platform::MoveToSuggested(window, suggested);
    InvalidateRect(window, nullptr, FALSE);
    return 0;
  }
  static LRESULT OnKeyDown(HWND window, WPARAM key) {
    if (key == VK_ESCAPE) DestroyWindow(window);
    return 0;
  }

  platform::ScaledPictures banner_{{IDR_BANNER}, LoadBanner};
};

class WindowFade final : public FadeActions {
 public:
  explicit WindowFade(HWND window) : window_(window) {}
  void MakeTopmost() override {
    if (IsWindow(window_)) {
      SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
  }
  void SetOpacity(int alpha) override { SetWindowOpacity(window_, alpha); }
  void Wait(int milliseconds) override { WaitProcessingMessages(milliseconds); }
  void RequestClose() override {
    if (IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
  }

 private:
  HWND window_;
};

}  // namespace

void FadeLogoWindow(FadeActions& actions) {
  actions.MakeTopmost();
  int alpha = 0;
  for (; alpha <= 255; alpha += 3) {
    actions.SetOpacity(alpha);
    actions.Wait(10);
  }
  for (; alpha >= 0; alpha -= 5) {
    actions.SetOpacity(alpha);
    actions.Wait(5);
  }
  actions.RequestClose();
}

void SetWindowOpacity(HWND window, int alpha) {
  if (alpha < 0 || alpha > 255) alpha = 255;
  if (!IsWindow(window)) return;
  static const auto setLayered =
      platform::User32Function<SetLayeredWindowAttributesFunction>("SetLayeredWindowAttributes");
  if (!setLayered) return;
  // Layered, and still a tool window (no taskbar button).
  SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  setLayered(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void WaitProcessingMessages(int milliseconds) {
  if (milliseconds <= 0) return;
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  while (GetTickCount64() <= end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now <= end) MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now + 1), QS_ALLINPUT);
  }
}

HWND OpenLogoWindow(HINSTANCE instance) {
  platform::RegisterWindowClass(instance, kClassName,
                                platform::ObjectWindowProc<LogoWindow, platform::ObjectOwner::Window>);
  auto object = std::make_unique<LogoWindow>();
  // A tool window: it gets no taskbar button of its own.
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, kWidth, kHeight,
                                nullptr, nullptr, instance, &object);
  if (!window) return nullptr;
  platform::CentreOnScreen(window, kWidth, kHeight);
  // Shown at nothing, so the fade starts from nothing: no flash of the
  // whole banner before its first step.
  SetWindowOpacity(window, 0);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

void ShowStartupLogo(HINSTANCE instance, HMENU menu, UINT item, const platform::RegistrySwitch& flag) {
  const bool shown = flag.Read() == 1;
  CheckMenuItem(menu, item, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
  if (!shown) return;
  WindowFade fade(OpenLogoWindow(instance));
  FadeLogoWindow(fade);
}

void ToggleStartupLogo(HMENU menu, UINT item, const platform::RegistrySwitch& flag) {
  platform::ToggleSwitch(menu, item, flag);
}

}  // namespace logo
