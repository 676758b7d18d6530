// Handles that own themselves: each lets go of what it holds when it goes,
// through the one call its kind needs, so no other code releases a handle.
// Moved, never copied.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace platform {

template <typename Traits>
class Owned {
 public:
  using Handle = typename Traits::Handle;

  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(other.Take()) {}
  Owned& operator=(Owned&& other) noexcept {
    Reset(other.Take());
    return *this;
  }
  ~Owned() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::Valid(handle_); }
  // Lets go of the handle without releasing it.
  Handle Take() {
    const Handle handle = handle_;
    handle_ = Traits::Empty();
    return handle;
  }
  void Reset(Handle handle = Traits::Empty()) {
    if (Traits::Valid(handle_)) Traits::Release(handle_);
    handle_ = handle;
  }
  // For a call that hands the handle back through a pointer.
  Handle* Receive() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

namespace handle_traits {

template <typename H, void (*ReleaseFunction)(H)>
struct Simple {
  using Handle = H;
  static Handle Empty() { return nullptr; }
  static bool Valid(Handle handle) { return handle != nullptr; }
  static void Release(Handle handle) { ReleaseFunction(handle); }
};

inline void CloseKernel(HANDLE handle) { CloseHandle(handle); }
inline void CloseFind(HANDLE handle) { FindClose(handle); }
inline void DeleteGdi(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void DeleteDcHandle(HDC dc) { DeleteDC(dc); }
inline void ReleaseScreenDc(HDC dc) { ReleaseDC(nullptr, dc); }
inline void FreeLocal(wchar_t* text) { LocalFree(text); }
inline void FreeTaskMemory(wchar_t* text) { CoTaskMemFree(text); }
inline void FreeGlobal(HGLOBAL memory) { GlobalFree(memory); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void FreeArguments(wchar_t** arguments) { LocalFree(arguments); }

// A kernel handle: none is null or INVALID_HANDLE_VALUE, as calls give.
struct Kernel : Simple<HANDLE, CloseKernel> {
  static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
};
struct Find : Simple<HANDLE, CloseFind> {
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }
};
template <typename Gdi>
struct GdiObject {
  using Handle = Gdi;
  static Handle Empty() { return nullptr; }
  static bool Valid(Handle handle) { return handle != nullptr; }
  static void Release(Handle handle) { DeleteGdi(handle); }
};
template <typename Interface>
struct Com {
  using Handle = Interface*;
  static Handle Empty() { return nullptr; }
  static bool Valid(Handle handle) { return handle != nullptr; }
  static void Release(Handle handle) { handle->Release(); }
};

}  // namespace handle_traits

using OwnedHandle = Owned<handle_traits::Kernel>;            // CloseHandle
using OwnedFind = Owned<handle_traits::Find>;                // FindClose
template <typename Gdi>
using OwnedGdi = Owned<handle_traits::GdiObject<Gdi>>;       // DeleteObject
using OwnedIcon = Owned<handle_traits::Simple<HICON, handle_traits::DestroyIconHandle>>;
using OwnedKey = Owned<handle_traits::Simple<HKEY, handle_traits::CloseKey>>;
using OwnedDc = Owned<handle_traits::Simple<HDC, handle_traits::DeleteDcHandle>>;  // CreateCompatibleDC
using ScreenDc = Owned<handle_traits::Simple<HDC, handle_traits::ReleaseScreenDc>>;  // GetDC(nullptr)
using LocalText = Owned<handle_traits::Simple<wchar_t*, handle_traits::FreeLocal>>;  // FormatMessage's
using TaskText = Owned<handle_traits::Simple<wchar_t*, handle_traits::FreeTaskMemory>>;  // the shell's
using GlobalMemory = Owned<handle_traits::Simple<HGLOBAL, handle_traits::FreeGlobal>>;  // GlobalAlloc's
using LocalArguments = Owned<handle_traits::Simple<wchar_t**, handle_traits::FreeArguments>>;  // CommandLineToArgvW's
using OwnedMenu = Owned<handle_traits::Simple<HMENU, handle_traits::DestroyMenuHandle>>;  // a pop-up menu not in a bar
// A COM object's reference, its members reached through ->.
template <typename Interface>
class ComPtr : public Owned<handle_traits::Com<Interface>> {
 public:
  using Owned<handle_traits::Com<Interface>>::Owned;
  Interface* operator->() const { return this->get(); }
};

}  // namespace platform
