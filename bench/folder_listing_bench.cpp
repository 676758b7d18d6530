// Listing a large folder into the file box, and the plan's listing of it
// (names, sizes, times, file IDs and short names in one pass over the
// folder's handle), against a plain FindFirstFileW loop over the same
// folder, all measured in this one run; with a larger folder, the same
// again there, and how the times grow with the folder.
//   folder_listing_bench FOLDER [ROUNDS [LARGER_FOLDER]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/desktop.h"
#include "platform/gbk_convert.h"
#include "platform/folder_journals.h"
#include "platform/windows_files.h"
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

struct Listing {
  size_t found, shown;
  double plain, listed, planned;
};

Listing Measure(ui::MainWindow& window, const std::string& folder, int rounds) {
  Listing listing{};
  listing.plain = MedianSeconds(rounds, [&] { listing.found = PlainFindLoop(platform::ToWide(folder)); });
  listing.listed = MedianSeconds(rounds, [&] { window.fileBox().SetFolder(folder + "\\"); });
  listing.shown = static_cast<size_t>(SendMessageW(window.fileBox().handle(), LB_GETCOUNT, 0, 0));
  platform::WindowsFiles files;
  size_t identified = 0;
  listing.planned =
      MedianSeconds(rounds, [&] { identified = files.ListFolder(folder + "\\").identities.size(); });
  std::printf("files: %zu found, %zu listed, %zu with identities\n", listing.found, listing.shown, identified);
  std::printf("plain FindFirstFileW loop: %.3f s (median of %d)\n", listing.plain, rounds);
  std::printf("file box listing:          %.3f s (median of %d)\n", listing.listed, rounds);
  std::printf("ratio: %.2fx\n", listing.listed / listing.plain);
  std::printf("plan's listing with identities: %.3f s, ratio %.2fx\n", listing.planned,
              listing.planned / listing.plain);
  return listing;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: folder_listing_bench FOLDER [ROUNDS [LARGER_FOLDER]]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  rules::ProgramState state;
  platform::WindowsFiles files;
  platform::FolderJournals noJournals(L"");
  ui::MainWindow window(state, {platform::SystemDesktop(), files, noJournals, noJournals}, {});
  if (!window.Create(GetModuleHandleW(nullptr))) return 1;

  const Listing small = Measure(window, platform::ToGbk(platform::ToWide(argv[1])), rounds);
  bool complete = small.found == small.shown;
  if (argc > 3) {
    const Listing large = Measure(window, platform::ToGbk(platform::ToWide(argv[3])), 1);
    std::printf("%zu files against %zu: file box %.2fx the time, plain loop %.2fx\n", large.found,
                small.found, large.listed / small.listed, large.plain / small.plain);
    complete = complete && large.found == large.shown;
  }
  return complete ? 0 : 1;
}
