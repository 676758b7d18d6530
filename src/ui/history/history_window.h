// The History window "更名历史": the runs kept in the rename history, newest
// first, the files of the one selected, and its undo; modal to the Main
// window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "exec/run_history.h"
#include "platform/object_window.h"
#include "platform/window_layout.h"
#include "rules/program_state.h"
#include "ui/program_ports.h"

namespace ui {

enum HistoryControl : int {
  kEntriesListId = 200,
  kRowsListId,
  kUndoEntryId,    // "撤销所选"
  kForgetEntryId,  // "删除所选"
  kForgetAllId,    // "清空历史"
  kCloseHistoryId, // "关闭"
};

class HistoryWindow {
 public:
  // `ports` must outlive the window.
  explicit HistoryWindow(ProgramPorts ports) : ports_(ports) {}
  HistoryWindow(const HistoryWindow&) = delete;
  HistoryWindow& operator=(const HistoryWindow&) = delete;
  ~HistoryWindow();

  // Creates the window, still hidden, over `owner`, with the entries read.
  HWND Open(HWND owner);
  // Shows it and handles messages until it has closed; `owner` takes no
  // input meanwhile.
  void RunModal(HWND owner);

  // The buttons' commands.
  void UndoSelected();
  void ForgetSelected();
  void ForgetAll();
  // Selects entry `index` of the list (newest first) and shows its files.
  void Select(int index);

  HWND handle() const { return handle_; }
  HWND control(HistoryControl id) const { return GetDlgItem(handle_, id); }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Shown {
    std::string name;
    exec::HistoryEntry entry;
  };

  void OnCreate(HWND window);
  void OnCommand(int id);
  LRESULT OnNotify(NMHDR& notification);
  void OnColoursChanged(HWND window);
  void OnClose(HWND window);
  // Reads the entries again (one that can't be read is set aside) and
  // lists them; `select` is selected.
  void Reload(int select);
  void ShowRows();
  void ShowRowStates(int entry);
  void FillRowCell(LVITEMW& item) const;
  void ShowButtons();
  int SelectedIndex() const;

  ProgramPorts ports_;
  HWND handle_ = nullptr;
  platform::WindowLayout layout_;
  std::vector<Shown> entries_;
  int selected_ = -1;
  std::vector<exec::RowState> states_;  // of the selected entry's rows, once known
  bool running_ = false;
};

}  // namespace ui
