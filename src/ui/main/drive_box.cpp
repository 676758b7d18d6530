#include "ui/main/drive_box.h"

#include "platform/controls.h"
#include "platform/gbk_convert.h"

namespace ui {
namespace {

const char* KindSuffix(platform::DriveKind kind) {
  switch (kind) {
    case platform::DriveKind::Fixed: return " （硬盘）";
    case platform::DriveKind::Network: return " （网络驱动器）";
    case platform::DriveKind::CdRom: return " （光驱）";
    case platform::DriveKind::RamDisk: return " （内存虚拟驱动器）";
    default: return "";
  }
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string DriveEntryText(const platform::DriveInfo& drive) {
  std::string text{drive.letter, ':'};
  text += KindSuffix(drive.kind);
  if (drive.kind == platform::DriveKind::Fixed && !drive.label.empty()) text += " " + drive.label;
  return text;
}

void DriveBox::Create(platform::WindowLayout& layout, HWND parent, int id, const platform::Rect& place) {
  // The height given to a drop-down list is that of its opened list.
  platform::Rect withList = place;
  withList.height = 240;
  handle_ = layout.CreateChild(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                  withList, parent, id);
}

void DriveBox::Fill(const std::vector<platform::DriveInfo>& drives) {
  platform::ComboBox(handle_).Clear();
  letters_.clear();
  for (const platform::DriveInfo& drive : drives) {
    platform::ComboBox(handle_).Add(platform::ToWide(DriveEntryText(drive)));
    letters_.push_back(drive.letter);
  }
}

void DriveBox::Refill(const std::vector<platform::DriveInfo>& drives) {
  const bool selected = platform::ComboBox(handle_).Selected() >= 0;
  const char letter = Drive();
  Fill(drives);
  if (selected) SelectFromText(std::string(1, letter));
}

void DriveBox::SelectFromText(std::string_view text) {
  int found = CB_ERR;
  if (!text.empty()) {
    for (size_t i = 0; i < letters_.size(); ++i) {
      if (letters_[i] == UpperAscii(text[0])) found = static_cast<int>(i);
    }
  }
  platform::ComboBox(handle_).Select(static_cast<int>(found));
}

char DriveBox::Drive() const {
  const int selected = platform::ComboBox(handle_).Selected();
  if (selected >= 0 && static_cast<size_t>(selected) < letters_.size()) {
    return letters_[static_cast<size_t>(selected)];
  }
  const std::string current = platform::CurrentFolder();
  return current.empty() ? 'C' : UpperAscii(current[0]);
}

}  // namespace ui
