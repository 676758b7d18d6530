#include "platform/keyboard_focus.h"

#include <algorithm>

namespace platform {
namespace {

bool HasStyle(HWND window, LONG style) { return (GetWindowLongW(window, GWL_STYLE) & style) == style; }

bool IsRadio(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiW(className, L"Button") == 0 && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

bool Usable(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

// Depth first in creation order; a control that takes the focus is not
// looked into (a list's header, a drop-down's parts).
void CollectStops(HWND parent, std::vector<HWND>& stops) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!Usable(child)) continue;
    if (HasStyle(child, WS_TABSTOP)) {
      stops.push_back(child);
    } else {
      CollectStops(child, stops);
    }
  }
}

// The radio boxes that share `radio`'s parent, in creation order.
std::vector<HWND> GroupOf(HWND radio) {
  std::vector<HWND> group;
  for (HWND child = GetWindow(GetParent(radio), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsRadio(child) && Usable(child)) group.push_back(child);
  }
  return group;
}

// The stop that `focus` belongs to: itself, a stop that holds it, or for a
// radio box the stop of its group.
size_t StopOf(const std::vector<HWND>& stops, HWND focus) {
  for (size_t i = 0; i < stops.size(); ++i) {
    if (stops[i] == focus || IsChild(stops[i], focus)) return i;
  }
  for (size_t i = 0; i < stops.size(); ++i) {
    if (IsRadio(focus) && IsRadio(stops[i]) && GetParent(stops[i]) == GetParent(focus)) return i;
  }
  return stops.size();
}

void FocusOn(HWND control, HWND topLevel) {
  // Keyboard use: the focus rectangle is to be seen from now on.
  SendMessageW(topLevel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(control);
  wchar_t className[16] = {};
  GetClassNameW(control, className, 16);
  if (lstrcmpiW(className, L"Edit") == 0) SendMessageW(control, EM_SETSEL, 0, -1);
}

bool MoveInRadioGroup(HWND radio, bool forward, HWND topLevel) {
  const std::vector<HWND> group = GroupOf(radio);
  const auto at = std::find(group.begin(), group.end(), radio);
  if (at == group.end() || group.size() < 2) return true;
  const size_t index = static_cast<size_t>(at - group.begin());
  HWND next = group[(index + (forward ? 1 : group.size() - 1)) % group.size()];
  FocusOn(next, topLevel);
  SendMessageW(next, BM_CLICK, 0, 0);
  return true;
}

}  // namespace

std::vector<HWND> TabStops(HWND topLevel) {
  std::vector<HWND> controls;
  CollectStops(topLevel, controls);
  std::vector<HWND> stops;
  for (HWND control : controls) {
    if (!IsRadio(control)) {
      stops.push_back(control);
      continue;
    }
    const bool groupSeen = !stops.empty() && IsRadio(stops.back()) && GetParent(stops.back()) == GetParent(control);
    if (!groupSeen) {
      stops.push_back(control);
    } else if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      stops.back() = control;
    }
  }
  return stops;
}

bool MoveFocusWithKeys(const MSG& message, HWND topLevel) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != topLevel && !IsChild(topLevel, message.hwnd)) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  const HWND focus = GetFocus();
  switch (message.wParam) {
    case VK_TAB: {
      const std::vector<HWND> stops = TabStops(topLevel);
      if (stops.empty()) return true;
      const bool back = GetKeyState(VK_SHIFT) < 0;
      const size_t at = StopOf(stops, focus);
      size_t next = 0;
      if (at == stops.size()) {
        next = back ? stops.size() - 1 : 0;
      } else {
        next = (at + (back ? stops.size() - 1 : 1)) % stops.size();
      }
      FocusOn(stops[next], topLevel);
      return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (!focus || !IsRadio(focus)) return false;
      return MoveInRadioGroup(focus, message.wParam == VK_RIGHT || message.wParam == VK_DOWN, topLevel);
    default:
      return false;
  }
}

}  // namespace platform
