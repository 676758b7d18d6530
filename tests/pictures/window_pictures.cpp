// Saves pictures of the Logo window, the Main window and of the Edit window
// with each of its five option panels, with each rename type's example
// previewed, with marked rows and a tip in its preview, sorted by its first
// title and with its list's menu open, the Main window with the focus moved
// by the keyboard, and the History window with two batches kept, as the
// screen shows them; then the windows under high contrast. The windows
// show the current folder, where the sample files are made: started in the
// same folder, it draws the same pictures on any machine.
//   window_pictures OUTPUT_FOLDER [SAMPLE_FOLDER]
// SAMPLE_FOLDER is made and becomes the current folder first.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "logo/logo_window.h"
#include "platform/desktop.h"
#include "platform/gbk_convert.h"
#include "platform/window_layout.h"
#include "platform/folder_journals.h"
#include "platform/windows_files.h"
#include "rules/program_state.h"
#include "exec/rename_run.h"
#include "ui/edit/edit_window.h"
#include "ui/history/history_window.h"
#include "ui/main/main_window.h"
#include "../win/high_contrast_theme.h"

namespace {

// Handles messages for half a second; `relay` sees each one first.
void Settle(ui::edit::PreviewList* relay = nullptr) {
  for (int i = 0; i < 20; ++i) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (relay) relay->RelayPointer(message);
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(25);
  }
}

// Writes the screen area under `window` as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT place;
  GetWindowRect(window, &place);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
  std::vector<BYTE> pixels(rowBytes * static_cast<DWORD>(height));
  GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof(header) + sizeof(info);
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return false;
  fwrite(&header, sizeof(header), 1, file);
  fwrite(&info, sizeof(info), 1, file);
  fwrite(pixels.data(), 1, pixels.size(), file);
  fclose(file);
  return true;
}

// The system's desktop, with high contrast on when the pictures ask for it
// (Wine cannot switch it on itself).
class ThemedDesktop final : public platform::DesktopInteractions {
 public:
  bool highContrast = false;
  platform::MessageAnswer ShowMessage(const platform::MessageRequest& request) override {
    return platform::SystemDesktop().ShowMessage(request);
  }
  void OpenWithShell(const platform::ShellRequest& request) override {
    platform::SystemDesktop().OpenWithShell(request);
  }
  std::optional<std::string> ChooseFile(const platform::FileDialogRequest& request) override {
    return platform::SystemDesktop().ChooseFile(request);
  }
  bool HighContrastOn() const override { return highContrast; }
};

HWND ShowMainWindow(ui::MainWindow& mainWindow, const std::string& folder) {
  HWND main = mainWindow.Create(GetModuleHandleW(nullptr));
  mainWindow.SetInitialFolder(folder);
  ShowWindow(main, SW_SHOW);
  Settle();
  return main;
}

// The files the Main and Edit windows show, and the rename types' examples,
// in the file box's order.
const rules::NameList kSampleNames = {"IMG_0012.JPG", "IMG_0013.JPG", "报告 第1章.doc", "海边日落.jpg"};

void MakeFiles(const std::string& folder, const rules::NameList& names) {
  CreateDirectoryW(platform::ToWide(folder).c_str(), nullptr);
  for (const std::string& name : names) {
    CloseHandle(CreateFileW(platform::ToWide(folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            0, nullptr));
  }
}

// The Main window over the sample files, all of them picked.
void PickSampleFiles(HWND main) {
  HWND fileBox = GetDlgItem(main, ui::kFileBoxId);
  SendMessageW(fileBox, LB_SETSEL, TRUE, -1);
  Settle();
}

// One rename type's options as a user fills them in before Preview.
struct Example {
  ui::edit::Control type;
  std::vector<std::pair<ui::edit::Control, const wchar_t*>> texts;
  std::vector<ui::edit::Control> clicks;
  std::vector<std::pair<ui::edit::Control, int>> choices;  // drop-down lists
  const wchar_t* picture;
};

const Example kExamples[] = {
    {ui::edit::单选框添加字符, {{ui::edit::添加字符文本, L"_2024"}, {ui::edit::添加位置, L"4"}},
     {ui::edit::选择框添加右始}, {}, L"example-1-add.bmp"},
    {ui::edit::单选框删除字符, {{ui::edit::删除字符数量, L"4"}, {ui::edit::删除位置, L"0"}}, {}, {},
     L"example-2-delete.bmp"},
    {ui::edit::单选框字符替换, {{ui::edit::替换掉, L"img_"}, {ui::edit::替换为, L"旅行_"}}, {}, {},
     L"example-3-replace.bmp"},
    {ui::edit::单选框大小写转换, {}, {ui::edit::单选框转到小写}, {}, L"example-4-case.bmp"},
    {ui::edit::单选框序号添加, {{ui::edit::编辑框开始序号, L"1"}}, {ui::edit::单选框序号居右, ui::edit::选择框添加括号},
     {{ui::edit::组合框1, 0}, {ui::edit::组合框2, 0}}, L"example-5-number.bmp"},
};

// Each rename type with its example filled in and previewed.
void SaveExamples(rules::ProgramState& state, const ui::ProgramPorts& ports, HWND main,
                  const std::string& folder, const std::wstring& output) {
  for (const Example& example : kExamples) {
    ui::EditWindow editWindow(state, ports, folder + "\\", kSampleNames);
    HWND edit = editWindow.Open(main);
    ShowWindow(edit, SW_SHOW);
    SendMessageW(editWindow.control(example.type), BM_CLICK, 0, 0);
    for (const auto& [control, text] : example.texts) SetWindowTextW(editWindow.control(control), text);
    for (ui::edit::Control control : example.clicks) SendMessageW(editWindow.control(control), BM_CLICK, 0, 0);
    for (const auto& [control, item] : example.choices) SendMessageW(editWindow.control(control), CB_SETCURSEL, item, 0);
    editWindow.Preview();
    Settle();
    SaveWindowPicture(edit, output + example.picture);
    DestroyWindow(edit);
  }
}

// The Edit window with each of its five option panels.
void SaveEditPanels(rules::ProgramState& state, const ui::ProgramPorts& ports, HWND main,
                    const std::string& folder, const std::wstring& output) {
  ui::EditWindow editWindow(state, ports, folder + "\\", kSampleNames);
  HWND edit = editWindow.Open(main);
  ShowWindow(edit, SW_SHOW);
  const ui::edit::Control types[] = {ui::edit::单选框添加字符, ui::edit::单选框删除字符,
                                     ui::edit::单选框字符替换, ui::edit::单选框大小写转换,
                                     ui::edit::单选框序号添加};
  const wchar_t* names[] = {L"edit-1-add.bmp", L"edit-2-delete.bmp", L"edit-3-replace.bmp",
                            L"edit-4-case.bmp", L"edit-5-number.bmp"};
  for (int i = 0; i < 5; ++i) {
    SendMessageW(editWindow.control(types[i]), BM_CLICK, 0, 0);
    Settle();
    SaveWindowPicture(edit, output + names[i]);
  }
  DestroyWindow(edit);
}

// Marks: "b.txt" -> "ab.txt" is taken by a file that is not picked, and
// "gone.txt" does not exist; the pointer rests on the first marked row. It
// comes there from an unmarked row, so the tip shows at one place only.
void SaveMarkedEditWindow(rules::ProgramState& state, const ui::ProgramPorts& ports, HWND main,
                          const std::string& folder, const std::wstring& path) {
  const std::string marks = folder + "\\marks\\";
  MakeFiles(marks, {"a.txt", "aa.txt", "b.txt", "ab.txt", "报告.doc"});
  ui::EditWindow markedWindow(state, ports, marks, {"a.txt", "aa.txt", "b.txt", "gone.txt", "报告.doc"});
  HWND marked = markedWindow.Open(main);
  ShowWindow(marked, SW_SHOW);
  SetWindowTextW(markedWindow.control(ui::edit::添加字符文本), L"a");
  markedWindow.Preview();
  Settle();
  HWND list = markedWindow.control(ui::edit::超级列表框1);
  RECT row{};
  ListView_GetItemRect(list, 2, &row, LVIR_BOUNDS);
  POINT pointer{row.left + platform::ScaleOf(list)(250), (row.top + row.bottom) / 2};
  ClientToScreen(list, &pointer);
  RECT unmarked{};
  ListView_GetItemRect(list, 0, &unmarked, LVIR_BOUNDS);
  SetCursorPos(pointer.x, pointer.y - (row.top - unmarked.top));
  Settle(&markedWindow.previewList());
  SetCursorPos(pointer.x, pointer.y);
  Settle(&markedWindow.previewList());
  Settle(&markedWindow.previewList());
  SaveWindowPicture(marked, path);
  DestroyWindow(marked);
}

// Twelve photos sorted by a click on the first title, then the list's
// menu open over them (saved from a timer while the menu runs).
void SaveSortedEditWindow(rules::ProgramState& state, const ui::ProgramPorts& ports, HWND main,
                          const std::string& folder, const std::wstring& output) {
  rules::NameList photos;
  for (int i = 1; i <= 12; ++i) photos.push_back(std::to_string(i) + ".jpg");
  std::sort(photos.begin(), photos.end());  // as the file box lists them
  ui::EditWindow sortedWindow(state, ports, folder + "\\", photos);
  HWND sorted = sortedWindow.Open(main);
  ShowWindow(sorted, SW_SHOW);
  sortedWindow.SortByColumn(0);
  HWND list = sortedWindow.control(ui::edit::超级列表框1);
  ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Settle();
  SaveWindowPicture(sorted, output + L"edit-7-sorted.bmp");
  static HWND shown;
  static std::wstring menuPicture;
  shown = sorted;
  menuPicture = output + L"edit-8-order-menu.bmp";
  SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SaveWindowPicture(shown, menuPicture);
    EndMenu();
  });
  RECT row{};
  ListView_GetItemRect(list, 1, &row, LVIR_LABEL);
  POINT at{row.left + 40, row.bottom};
  ClientToScreen(list, &at);
  SendMessageW(sorted, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(at.x, at.y));
  DestroyWindow(sorted);
}

// Answers every question No (no folder is opened after a batch).
class NoToEverything final : public exec::Prompts {
 public:
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void Tell(const std::string&, const std::string&) override {}
};

// Two batches over files of `folder`, kept in the history of `ports`.
void KeepTwoBatches(const ui::ProgramPorts& ports, const std::string& folder) {
  MakeFiles(folder, {"a.txt", "b.txt", "报告 第1章.doc"});
  const std::vector<std::pair<rules::NameList, rules::NameList>> batches = {
      {{"a.txt", "b.txt", "报告 第1章.doc"}, {"新a.txt", "新b.txt", "新报告 第1章.doc"}},
      {{"新a.txt"}, {"A.TXT"}}};
  for (const auto& [from, to] : batches) {
    rules::ProgramState state;
    state.FillFromPicked(folder, from);
    state.NewNames = to;
    exec::RenameRun run = exec::RenameRun::Batch(state, ports.files, ports.journals);
    NoToEverything no;
    while (!run.Step(no, [] { return false; })) {
    }
  }
}

// The entries of `store` (under `folder`) as kept at fixed times, a few
// minutes apart, instead of now.
void SetEntryTimes(platform::FolderJournals& store, const std::wstring& folder) {
  const std::vector<std::string> entries = store.Entries();  // newest first
  for (size_t i = 0; i < entries.size(); ++i) {
    char time[32];
    std::snprintf(time, sizeof(time), "2026-03-08 14:%02u", static_cast<unsigned>(30 - 5 * i));
    HANDLE file = CreateFileW((folder + L"history\\" + platform::ToWide(entries[i])).c_str(), GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD written = 0;
    SetFilePointer(file, static_cast<LONG>(std::strlen("RNTOOL-HISTORY 1\t")), nullptr, FILE_BEGIN);
    WriteFile(file, time, static_cast<DWORD>(std::strlen(time)), &written, nullptr);
    CloseHandle(file);
  }
}

// The History window with its older entry selected.
void SaveHistoryWindow(const ui::ProgramPorts& ports, HWND main, const std::wstring& path) {
  ui::HistoryWindow history(ports);
  HWND window = history.Open(main);
  history.Select(1);
  ShowWindow(window, SW_SHOW);
  Settle();
  SaveWindowPicture(window, path);
  DestroyWindow(window);
}

}  // namespace

int main() {
  // Wide, so that a folder's name outside the system's code page arrives whole.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_pictures OUTPUT_FOLDER [SAMPLE_FOLDER]\n");
    return 2;
  }
  const std::wstring output = std::wstring(argv[1]) + L"\\";
  if (argc > 2 && !(CreateDirectoryW(argv[2], nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)) return 1;
  if (argc > 2 && !SetCurrentDirectoryW(argv[2])) return 1;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  HWND logoWindow = logo::OpenLogoWindow(GetModuleHandleW(nullptr));
  logo::SetWindowOpacity(logoWindow, 255);  // as at the height of its fade
  Settle();
  SaveWindowPicture(logoWindow, output + L"logo.bmp");
  DestroyWindow(logoWindow);

  rules::ProgramState state;
  platform::WindowsFiles files;
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  const std::string folderText = platform::ToGbk(folder);
  // The history is kept beside the folder, so that its own folder is not shown in it.
  const std::wstring store = std::wstring(folder) + L"-历史\\";
  platform::FolderJournals journals(store);
  ThemedDesktop desktop;
  const ui::ProgramPorts ports{desktop, files, journals, journals};
  KeepTwoBatches(ports, folderText + "\\文档\\");
  SetEntryTimes(journals, store);
  MakeFiles(folderText + "\\", kSampleNames);
  {
    ui::MainWindow mainWindow(state, ports, {});
    HWND main = ShowMainWindow(mainWindow, folderText);
    PickSampleFiles(main);
    SaveWindowPicture(main, output + L"main.bmp");
    // The picture button reached with the keyboard shows its focus rectangle.
    SetFocus(GetDlgItem(main, ui::kDirectoryBoxId));
    for (int i = 0; i < 2; ++i) mainWindow.HandleKey(MSG{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}});
    Settle();
    SaveWindowPicture(main, output + L"main-keyboard.bmp");
    ShowWindow(main, SW_HIDE);
    SaveEditPanels(state, ports, main, folderText, output);
    SaveExamples(state, ports, main, folderText, output);
    SaveMarkedEditWindow(state, ports, main, folderText, output + L"edit-6-marks.bmp");
    SaveHistoryWindow(ports, main, output + L"history.bmp");
    SaveSortedEditWindow(state, ports, main, folderText, output);
  }
  // Both windows again under a dark high-contrast theme.
  const testing_support::HighContrastTheme theme(desktop.highContrast);
  ui::MainWindow mainWindow(state, ports, {});
  HWND main = ShowMainWindow(mainWindow, folderText);
  SaveWindowPicture(main, output + L"main-high-contrast.bmp");
  ShowWindow(main, SW_HIDE);
  SaveMarkedEditWindow(state, ports, main, folderText, output + L"edit-high-contrast.bmp");
  SaveHistoryWindow(ports, main, output + L"history-high-contrast.bmp");
  return 0;
}
