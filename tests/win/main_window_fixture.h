// A real Main window over a fresh folder of files, with a scripted desktop.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../core/memory_journals.h"
#include "platform/windows_files.h"
#include "rules/program_state.h"
#include "scripted_desktop.h"
#include "temp_folder.h"
#include "ui/main/main_window.h"

namespace testing_support {

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.Create(GetModuleHandleW(nullptr)), nullptr);
  }

  // Selects `name` in the file box the way a Ctrl+click does.
  void Pick(const std::string& name) {
    const auto& names = window.fileBox().Names();
    const auto found = std::find(names.begin(), names.end(), name);
    ASSERT_NE(found, names.end()) << name;
    HWND list = window.fileBox().handle();
    SendMessageW(list, LB_SETSEL, TRUE, found - names.begin());
    SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(ui::kFileBoxId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  }

  void Command(int id) { SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  rules::ProgramState state;
  ScriptedDesktop desktop;
  platform::WindowsFiles files;
  MemoryJournals journals;
  TempFolder folder;
  ui::MainWindow window{state, {desktop, files, journals, journals}, {}};
};

}  // namespace testing_support
