// The standard controls in a few one-line calls each, so that a handler
// reads as what it does rather than as the messages it sends.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A drawn control tells its parent it was clicked, as a standard one does
// (`code`: BN_CLICKED, STN_CLICKED).
inline void NotifyParent(HWND control, WORD code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// Any window: drawing held off while many changes are made, and its font.
inline void SetRedraw(HWND window, bool redraw) { SendMessageW(window, WM_SETREDRAW, redraw, 0); }
inline void SetFont(HWND window, HFONT font) {
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

class Button {
 public:
  explicit Button(HWND button) : button_(button) {}
  bool Checked() const { return SendMessageW(button_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool checked) const { SendMessageW(button_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }

 private:
  HWND button_;
};

class ComboBox {
 public:
  explicit ComboBox(HWND box) : box_(box) {}
  void Add(const std::wstring& text) const {
    SendMessageW(box_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Clear() const { SendMessageW(box_, CB_RESETCONTENT, 0, 0); }
  // -1: none.
  int Selected() const { return static_cast<int>(SendMessageW(box_, CB_GETCURSEL, 0, 0)); }
  void Select(int index) const { SendMessageW(box_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

 private:
  HWND box_;
};

// A list box with more than one selection.
class ListBox {
 public:
  explicit ListBox(HWND box) : box_(box) {}
  void Add(const std::wstring& text) const {
    SendMessageW(box_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Clear() const { SendMessageW(box_, LB_RESETCONTENT, 0, 0); }
  // Room for `items` of `bytes` in all, made at once.
  void Reserve(size_t items, size_t bytes) const { SendMessageW(box_, LB_INITSTORAGE, items, bytes); }
  void Select(int index) const { SendMessageW(box_, LB_SETSEL, TRUE, index); }
  void SelectAll() const { Select(-1); }
  std::vector<int> SelectedIndices() const {
    const auto count = SendMessageW(box_, LB_GETSELCOUNT, 0, 0);
    std::vector<int> selected(count > 0 ? static_cast<size_t>(count) : 0);
    if (!selected.empty()) {
      SendMessageW(box_, LB_GETSELITEMS, selected.size(), reinterpret_cast<LPARAM>(selected.data()));
    }
    return selected;
  }

 private:
  HWND box_;
};

class ProgressBar {
 public:
  explicit ProgressBar(HWND bar) : bar_(bar) {}
  // From 0; the 32-bit range, so that more than 32,767 steps still move it.
  void SetRange(uint32_t maximum) const { SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(maximum)); }
  void SetPosition(uint32_t position) const { SendMessageW(bar_, PBM_SETPOS, position, 0); }
  uint32_t Position() const { return static_cast<uint32_t>(SendMessageW(bar_, PBM_GETPOS, 0, 0)); }

 private:
  HWND bar_;
};

class ToolTip {
 public:
  explicit ToolTip(HWND tip) : tip_(tip) {}
  void AddTool(const TTTOOLINFOW& tool) const { SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)); }
  void SetMaxWidth(int width) const { SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, width); }
  // The tip sees the pointer's moves over its tool.
  void Relay(const MSG& message) const {
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
  }
  void Hide() const { SendMessageW(tip_, TTM_POP, 0, 0); }

 private:
  HWND tip_;
};

// An edit box takes at most `characters`.
inline void LimitText(HWND edit, int characters) { SendMessageW(edit, EM_LIMITTEXT, characters, 0); }

}  // namespace platform
