// One shape for every window of the program: an object gets the window's
// messages in Object::Handle(window, message, wParam, lParam) from
// WM_NCCREATE on, and each case there hands its message to a named
// handler. Nothing the object throws (memory running out) leaves the
// procedure: the message goes to DefWindowProc, and a window whose creation
// failed is not made.
#pragma once

#include <windows.h>

#include <memory>

namespace platform {

// Who owns a window's object.
enum class ObjectOwner {
  // The code that made the window (the Main and Edit windows): the
  // creation parameter is the object, which outlives the window.
  Caller,
  // The window itself (the drawn controls, the Logo window): the creation
  // parameter is a std::unique_ptr<Object>* that the window empties at
  // WM_NCCREATE, and the object goes with the window. A window that was
  // never made leaves it with the pointer.
  Window,
};

template <typename Object>
Object* ObjectOf(HWND window) {
  return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

template <typename Object, ObjectOwner kOwner = ObjectOwner::Caller>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    void* parameter = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
    Object* object = kOwner == ObjectOwner::Window ? static_cast<std::unique_ptr<Object>*>(parameter)->release()
                                                   : static_cast<Object*>(parameter);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  }
  Object* object = ObjectOf<Object>(window);
  if (!object) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = object->Handle(window, message, wParam, lParam);
  } catch (...) {
    result = message == WM_NCCREATE ? FALSE : DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if constexpr (kOwner == ObjectOwner::Window) delete object;
  }
  return result;
}

}  // namespace platform
