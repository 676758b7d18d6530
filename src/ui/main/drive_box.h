// The drive box: a drop-down list of the logical drives.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/window_helpers.h"
#include "platform/window_layout.h"

namespace ui {

// "C: （硬盘） System": the letter, ":", the kind of drive, and the label of
// a fixed disk.
std::string DriveEntryText(const platform::DriveInfo& drive);

class DriveBox {
 public:
  void Create(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place);
  // Lists the drives in the order the system reports them.
  void Fill(const std::vector<platform::DriveInfo>& drives);
  // Lists them afresh (a drive came or went), the selected drive still
  // selected while it is there.
  void Refill(const std::vector<platform::DriveInfo>& drives);
  // Selects the drive named by the first character of `text`, upper-cased;
  // nothing is selected when there is no such drive.
  void SelectFromText(std::string_view text);
  // The selected drive's letter; with nothing selected, the current drive's.
  char Drive() const;
  HWND handle() const { return handle_; }

 private:
  HWND handle_ = nullptr;
  std::vector<char> letters_;
};

}  // namespace ui
