// Preview of 100,000 picked names in the Edit window (computation, preview
// list update and repaint) against the computation alone, in one run.
//   preview_bench [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules/compute_new_names.h"
#include "wine_timing.h"
#include "ui/edit/edit_window.h"
#include "ui/edit/option_controls.h"

namespace {

using bench::MedianSeconds;
using bench::Seconds;

constexpr int kNameCount = 100000;

std::string PickedNames() {
  std::string selection;
  for (int i = 0; i < kNameCount; ++i) {
    if (i > 0) selection += ';';
    selection += (i % 2 ? "报告_第" : "IMG_2024_") + std::to_string(i) + (i % 3 ? ".jpg" : " 副本.docx");
  }
  return selection;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  rules::ProgramState state;
  ui::EditWindow edit(state);
  HWND window = edit.Open(owner, "C:\\work\\", PickedNames());
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetWindowTextW(edit.control(ui::edit::添加字符文本), L"_new");
  SetWindowTextW(edit.control(ui::edit::添加位置), L"4");

  const double computation = MedianSeconds(rounds, [&] {
    rules::ComputeNewNames(ui::edit::ReadRenameOptions(edit.controls()), state);
  });
  const double preview = MedianSeconds(rounds, [&] {
    edit.Preview();
    UpdateWindow(window);
  });
  std::printf("names: %zu, preview rows: %d\n", state.CurrentNames.size(),
              ListView_GetItemCount(edit.control(ui::edit::超级列表框1)));
  std::printf("computation alone (add characters): %.4f s (median of %d)\n", computation, rounds);
  std::printf("Preview with list update and repaint: %.4f s (median of %d)\n", preview, rounds);
  std::printf("ratio: %.2fx\n", preview / computation);
  return 0;
}
