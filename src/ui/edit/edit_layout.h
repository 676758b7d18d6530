// Every control of the Edit window with its parent, place, caption, font
// and initial state.
#pragma once

#include <windows.h>

#include <array>

#include "platform/window_helpers.h"
#include "platform/window_layout.h"
#include "ui/edit/edit_controls.h"

namespace ui::edit {

enum class Kind {
  GroupBox,
  Radio,
  CheckBox,
  Label,
  TextEdit,    // any text
  NumberEdit,  // typed characters limited to "0"-"9" and "-"
  DropDown,
  PreviewList,
  Button,
  ProgressBar,
};

enum class FontRole { WindowDefault, Button, Hint, Song, LargeEdit };

struct ControlEntry {
  Control id;
  Kind kind;
  int parent;  // 0: the window itself, else the group box's Control id
  platform::Rect place;
  const char* caption;
  FontRole font = FontRole::WindowDefault;
  bool checked = false;
  bool enabled = true;
  bool shown = true;
};

// The controls in creation order (a group box before what it holds).
const ControlEntry* ControlEntries(size_t& count);

// Items of the two drop-down lists.
const char* const* NumberStyleItems(size_t& count);
const char* const* BracketItems(size_t& count);

// The controls of one open Edit window, by Control id.
class EditControls {
 public:
  HWND operator[](Control id) const { return handles_[id - 分组框1]; }
  HWND& operator[](Control id) { return handles_[id - 分组框1]; }

 private:
  std::array<HWND, kControlEnd - 分组框1> handles_{};
};

struct EditFonts {
  HFONT button, hint, song, largeEdit;
};

// Creates every control of `window` with its initial state; the group
// boxes pass their children's notifications on to `window`.
void CreateEditControls(platform::WindowLayout& layout, HWND window, const EditFonts& fonts,
                        EditControls& controls);

}  // namespace ui::edit
