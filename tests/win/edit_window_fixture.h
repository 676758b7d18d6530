// A real Edit window over a hidden owner, with a scripted desktop, and the
// helpers that drive and read its controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/gbk_convert.h"
#include "../core/memory_journals.h"
#include "platform/windows_files.h"
#include "scripted_desktop.h"
#include "ui/edit/edit_window.h"

namespace testing_support {

// The real file system, whose renames can be made to throw from the n-th
// on, as memory running out would.
class FailableFiles final : public exec::FileOperations {
 public:
  int throwFromRename = 0;  // 0: never

  bool Exists(const std::string& folder, const std::string& name) override { return real_.Exists(folder, name); }
  exec::RenameOutcome Rename(const std::string& folder, const std::string& from, const std::string& to,
                             const exec::BeforeMiddleName& beforeMiddle) override {
    if (throwFromRename > 0 && --throwFromRename == 0) {
      throwFromRename = 1;
      throw std::bad_alloc();
    }
    return real_.Rename(folder, from, to, beforeMiddle);
  }
  exec::FolderListing ListFolder(const std::string& folder) override { return real_.ListFolder(folder); }
  std::optional<std::string> NameOnDisk(const std::string& folder, const std::string& name) override {
    return real_.NameOnDisk(folder, name);
  }
  bool NameKey(std::string_view name, std::u16string& key) override { return real_.NameKey(name, key); }

 private:
  platform::WindowsFiles real_;
};

class EditWindowFixture : public testing::Test {
 protected:
  // Opens the Edit window on `folderText` with these names picked, over
  // `owner` (a hidden one when there is none yet).
  void OpenEdit(const std::string& folderText, const rules::NameList& picked) {
    if (!owner) {
      owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    }
    edit.emplace(state, ui::ProgramPorts{desktop, files, journals, journals}, folderText, picked);
    ASSERT_NE(edit->Open(owner), nullptr);
  }
  void TearDown() override {
    if (owner) DestroyWindow(owner);
  }

  HWND Get(ui::edit::Control id) const { return edit->control(id); }
  // A click; one that starts a batch or an undo returns once it has ended,
  // the window's messages answered meanwhile (as its own loop would).
  void Click(ui::edit::Control id) {
    SendMessageW(Get(id), BM_CLICK, 0, 0);
    MSG message;
    while (edit->Running()) {
      if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  bool Enabled(ui::edit::Control id) const { return IsWindowEnabled(Get(id)) != FALSE; }
  void SetText(ui::edit::Control id, const std::string& text) {
    SetWindowTextW(Get(id), platform::ToWide(text).c_str());
  }
  // The texts of one column of the preview list, row by row.
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> cells;
    HWND list = Get(ui::edit::超级列表框1);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      wchar_t text[256] = {};
      ListView_GetItemText(list, row, column, text, 256);
      cells.push_back(platform::ToGbk(text));
    }
    return cells;
  }

  rules::ProgramState state;
  ScriptedDesktop desktop;
  FailableFiles files;
  MemoryJournals journals;
  HWND owner = nullptr;
  std::optional<ui::EditWindow> edit;
};

}  // namespace testing_support
