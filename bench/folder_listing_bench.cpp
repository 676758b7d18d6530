// Listing a large folder into the file box, against a plain FindFirstFileW
// loop over the same folder, both measured in this one run.
//   folder_listing_bench FOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/gbk_convert.h"
#include "wine_timing.h"
#include "rules/program_state.h"
#include "ui/main/main_window.h"

namespace {

using bench::MedianSeconds;
using bench::Seconds;

size_t PlainFindLoop(const std::wstring& folder) {
  size_t files = 0;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: folder_listing_bench FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::string folder = platform::ToGbk(platform::ToWide(argv[1]));
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  rules::ProgramState state;
  ui::MainWindow window(state, {});
  if (!window.Create(GetModuleHandleW(nullptr))) return 1;

  size_t found = 0;
  const double plain = MedianSeconds(rounds, [&] { found = PlainFindLoop(platform::ToWide(folder)); });
  const double listed = MedianSeconds(rounds, [&] { window.fileBox().SetFolder(folder + "\\"); });
  const size_t shown = static_cast<size_t>(SendMessageW(window.fileBox().handle(), LB_GETCOUNT, 0, 0));

  std::printf("files: %zu found, %zu listed\n", found, shown);
  std::printf("plain FindFirstFileW loop: %.3f s (median of %d)\n", plain, rounds);
  std::printf("file box listing:          %.3f s (median of %d)\n", listed, rounds);
  std::printf("ratio: %.2fx\n", listed / plain);
  return found == shown ? 0 : 1;
}
