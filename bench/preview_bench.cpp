// Preview of every file of a large folder in the Edit window (computation,
// one listing of the folder, the marks, the list update and repaint)
// against the computation plus one listing of the folder; the planning of
// those rows alone; and sorting the rows in natural order by a title click
// (and the repaint after it) against sorting the names byte by byte. All
// in one run.
//   preview_bench FOLDER [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "exec/rename_run.h"
#include "platform/desktop.h"
#include "platform/gbk_convert.h"
#include "platform/folder_journals.h"
#include "platform/windows_files.h"
#include "rules/compute_new_names.h"
#include "ui/edit/edit_window.h"
#include "ui/edit/option_controls.h"
#include "wine_timing.h"

namespace {

using bench::MedianSeconds;

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Every file of `folder`, as the file box hands them over.
rules::NameList EveryFile(const std::wstring& folder) {
  rules::NameList selection;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return selection;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    selection.push_back(platform::ToGbk(entry.cFileName));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return selection;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: preview_bench FOLDER [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  const std::string folder = argv[1] + std::string("\\");
  rules::ProgramState state;
  platform::WindowsFiles files;
  platform::FolderJournals noJournals(L"");
  ui::EditWindow edit(state, {platform::SystemDesktop(), files, noJournals, noJournals}, folder,
                      EveryFile(platform::ToWide(argv[1])));
  HWND window = edit.Open(owner);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetWindowTextW(edit.control(ui::edit::添加字符文本), L"_new");
  SetWindowTextW(edit.control(ui::edit::添加位置), L"4");

  // The four are measured in turn within each round, so that a busy moment
  // of the machine weighs on all of them alike.
  exec::FolderListing listing;
  std::vector<double> computations, listings, plannings, previews;
  for (int round = 0; round < rounds; ++round) {
    computations.push_back(MedianSeconds(1, [&] {
      rules::ComputeNewNames(ui::edit::ReadRenameOptions(edit.controls()), state);
    }));
    listings.push_back(MedianSeconds(1, [&] { listing = files.ListFolder(folder); }));
    plannings.push_back(MedianSeconds(1, [&] {
      exec::PlanRenames(listing, state.CurrentNames, state.NewNames,
                        exec::ListOrder(state.CurrentNames.size()), files);
    }));
    previews.push_back(MedianSeconds(1, [&] {
      edit.Preview();
      UpdateWindow(window);
    }));
  }
  for (int round = 0; round < rounds; ++round) {
    std::printf("round %d: computation %.3f, listing %.3f, planning %.3f, Preview %.3f\n", round,
                computations[round], listings[round], plannings[round], previews[round]);
  }
  const double computation = Median(computations), listingTime = Median(listings);
  const double planning = Median(plannings), preview = Median(previews);
  std::printf("names: %zu, folder entries: %zu, preview rows: %d\n", state.CurrentNames.size(),
              listing.keys.size(), ListView_GetItemCount(edit.control(ui::edit::超级列表框1)));
  std::printf("computation alone (add characters): %.4f s, one listing of the folder: %.4f s "
              "(medians of %d)\n",
              computation, listingTime, rounds);
  std::printf("planning the rows alone: %.4f s\n", planning);
  std::printf("Preview with marks, list update and repaint: %.4f s\n", preview);
  std::printf("ratio to computation + listing: %.2fx\n", preview / (computation + listingTime));

  // Each click sorts the other way round, so every round does the whole work.
  std::vector<double> byteSorts, naturalSorts, repaints;
  for (int round = 0; round < rounds; ++round) {
    byteSorts.push_back(MedianSeconds(1, [&] {
      rules::NameList names = state.CurrentNames;
      const bool backwards = round % 2 != 0;
      std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return backwards ? b < a : a < b;
      });
    }));
    naturalSorts.push_back(MedianSeconds(1, [&] { edit.SortByColumn(0); }));
    repaints.push_back(MedianSeconds(1, [&] {
      InvalidateRect(edit.control(ui::edit::超级列表框1), nullptr, FALSE);
      UpdateWindow(window);
    }));
  }
  const double byteSort = Median(byteSorts), naturalSort = Median(naturalSorts);
  std::printf("sorting the rows in natural order by a title click: %.4f s (bound 0.2 s), %.2fx sorting a copy "
              "of the names byte by byte (%.4f s); the repaint after it %.4f s\n",
              naturalSort, naturalSort / byteSort, byteSort, Median(repaints));
  return 0;
}
