// The Edit window, opened modally over the Main window.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "exec/edit_session.h"
#include "exec/row_order.h"
#include "exec/rename_run.h"
#include "exec/run_contract.h"
#include "platform/object_window.h"
#include "platform/window_helpers.h"
#include "platform/window_layout.h"
#include "rules/program_state.h"
#include "ui/edit/edit_layout.h"
#include "ui/edit/order_menu.h"
#include "ui/edit/preview_list.h"
#include "ui/edit/run_view.h"
#include "ui/program_ports.h"

namespace ui {

class EditWindow {
 public:
  // The window over the files `picked` in the folder `folderText` (the
  // file box's folder text, as FolderPath takes it). Preview, Batch rename
  // and Undo work on `ports.files`; the ports must outlive the window.
  EditWindow(rules::ProgramState& state, ProgramPorts ports, std::string folderText, rules::NameList picked);
  EditWindow(const EditWindow&) = delete;
  EditWindow& operator=(const EditWindow&) = delete;
  ~EditWindow();

  // Creates the window, still hidden, over `owner`, running the opening steps:
  // only the add-characters panel shown, the shared state filled from the
  // folder text and picked names, one row per picked name.
  HWND Open(HWND owner);
  // Shows the window and handles messages until it has closed; `owner`
  // takes no input meanwhile.
  void RunModal(HWND owner);

  // The commands of the buttons. Batch rename and Undo start a run, which
  // the window's loop carries out a slice at a time.
  void Preview();
  void BatchRename();
  void Undo();
  bool Running() const { return run_.has_value(); }
  // The rows in another order (never while a run goes on), the three lists
  // together: by a column's title in natural order (a second click
  // reverses it), or by a command of the list's menu.
  void SortByColumn(int column);
  void OrderRows(edit::OrderCommand command);
  // The end of the program (退出, or the end of the Windows session): a
  // run that goes on stops after the file in hand and brings a parked file
  // back, asking nothing; its journal stays for the next start.
  void StopForTheEnd() { FinishRunNow(exec::RenameRun::Stop::ForTheEnd); }

  HWND handle() const { return handle_; }
  HWND control(edit::Control id) const { return controls_[id]; }
  const edit::EditControls& controls() const { return controls_; }
  edit::PreviewList& previewList() { return previewList_; }

 private:
  friend LRESULT CALLBACK platform::ObjectWindowProc<EditWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate(HWND window);
  void OnCommand(int id, int code);
  LRESULT OnNotify(HWND window, LPARAM lParam);
  void OnNcDestroy();
  void OnColoursChanged(HWND window);
  bool HandleScaleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A close while a run goes on waits for it.
  void OnClose(HWND window);
  // True while a run goes on: the end of the session waits, with a reason.
  bool HoldsTheSession(HWND window);
  // Takes a started run (never two at once): what can be clicked is held
  // still until it has ended.
  void Start(std::optional<exec::RenameRun> run);
  void TakeSlice();
  // What the ended run asked for: the buttons of the stage it leaves, the
  // folder shown, the window closed.
  void EndRun(const exec::RunOutcome& outcome);
  void KeepInTheHistory(exec::RenameRun::Kind kind, const std::string& entry);
  void FinishRunNow(exec::RenameRun::Stop how);
  exec::RunOutcome StopAfterAFailure();
  // The controls a click or a key would change, off for the run and back
  // as they were.
  void HoldControls();
  void ReleaseControls();
  void ShowControlsAt(const std::function<bool(edit::Control, int)>& enabled);
  void ShowSession();
  void Reorder(const std::vector<size_t>& order);
  void OnContextMenu(HWND window, HWND clicked, LPARAM where);
  // Alt+↑ and Alt+↓ on the list move its selected rows; true when handled.
  bool MovesRows(const MSG& message);
  void RestoreFocus();

  rules::ProgramState& state_;
  ProgramPorts ports_;
  HWND handle_ = nullptr;
  std::string folderText_;
  rules::NameList picked_;  // until the window is made: then the state's
  platform::WindowLayout layout_;
  edit::EditControls controls_;
  edit::PreviewList previewList_;
  std::string parametersPath_;  // the file dialog offers the last chosen path
  exec::EditSession session_;
  std::unique_ptr<edit::RunView> view_;  // while a run goes on
  std::optional<exec::RenameRun> run_;
  std::array<bool, edit::kControlEnd - edit::分组框1> heldEnabled_{};
  bool closeWhenEnded_ = false;
  std::string batchEntry_;  // the last batch's entry in the rename history
  exec::RowOrigins origins_;  // where each row was in the picked order
  int sortColumn_ = -1;       // the column whose title shows the arrow, if any
  bool sortAscending_ = true;
  HWND focusBeforeRun_ = nullptr;
};

}  // namespace ui
