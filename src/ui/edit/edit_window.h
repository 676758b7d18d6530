// The Edit window, opened modally over the Main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "exec/rename_ports.h"
#include "platform/window_helpers.h"
#include "platform/window_layout.h"
#include "platform/windows_files.h"
#include "rules/program_state.h"
#include "ui/edit/edit_layout.h"
#include "ui/edit/preview_list.h"

namespace ui {

class EditWindow {
 public:
  // `openFolder` opens the Main window's file-box folder (offered after a
  // batch rename).
  EditWindow(rules::ProgramState& state, std::function<void()> openFolder = {});
  EditWindow(const EditWindow&) = delete;
  EditWindow& operator=(const EditWindow&) = delete;
  ~EditWindow();

  // Creates the window, still hidden, over `owner`, running the opening steps:
  // only the add-characters panel shown, the shared state filled from the
  // file box's folder text and picked names, one row per picked name.
  HWND Open(HWND owner, std::string_view folderText, const rules::NameList& picked);
  // Shows the window and handles messages until it has closed; `owner`
  // takes no input meanwhile.
  void RunModal(HWND owner);

  // Preview, Batch rename and Undo work on the real file system unless given other
  // file operations (which must outlive the window).
  void UseFileOperations(exec::FileOperations& files) { files_ = &files; }

  // The commands of the buttons.
  void Preview();
  void BatchRename();
  void Undo();

  HWND handle() const { return handle_; }
  HWND control(edit::Control id) const { return controls_[id]; }
  const edit::EditControls& controls() const { return controls_; }
  edit::PreviewList& previewList() { return previewList_; }

 private:
  friend LRESULT CALLBACK platform::ObjectWindowProc<EditWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate(HWND window);
  void OnCommand(int id, int code);
  // Runs a batch or an undo with the window live: never two at once, and a
  // close asked for meanwhile takes effect once it has ended.
  using Run = void (*)(rules::ProgramState&, exec::FileOperations&, exec::RenameWindow&);
  void CarryOut(Run run);
  // Between two files of a run: answers what waits in the queue, except
  // input meant for the option controls and buttons. True once a close is
  // wanted.
  bool ServeQueue();
  bool IsInputForControls(const MSG& message) const;

  rules::ProgramState& state_;
  std::function<void()> openFolder_;
  platform::WindowsFiles windowsFiles_;
  exec::FileOperations* files_ = &windowsFiles_;
  HWND handle_ = nullptr;
  std::string_view openingFolder_;
  const rules::NameList* openingPicked_ = nullptr;
  platform::WindowLayout layout_;
  edit::EditControls controls_;
  edit::PreviewList previewList_;
  std::string parametersPath_;  // the file dialog offers the last chosen path
  bool running_ = false;
  bool closeWanted_ = false;
};

// Opens the Edit window over `owner` and returns when it has closed.
void RunEditWindow(HWND owner, rules::ProgramState& state, std::string_view folderText,
                   const rules::NameList& picked, std::function<void()> openFolder);

}  // namespace ui
