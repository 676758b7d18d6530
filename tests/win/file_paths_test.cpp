// The exact paths handed to the file system: every one absolute, normal
// and with the \\?\ prefix, so that Windows takes names as they stand and
// paths of any length (Wine enforces neither, so the paths are recorded).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dll_search.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/gbk_convert.h"
#include "platform/windows_files.h"
#include "manifest_setting.h"
#include "temp_folder.h"

namespace testing_support {
namespace {

// Records every call; the real file system answers only when asked to.
class RecordingCalls final : public platform::FileCalls {
 public:
  explicit RecordingCalls(bool real) : real_(real) {}
  std::vector<std::wstring> calls;

  // Played when not real: the one entry every search finds, if any.
  std::wstring foundName;

  HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& entry) override {
    calls.push_back(L"find " + pattern);
    if (real_) return FileCalls::FindFirst(pattern, entry);
    if (foundName.empty()) return INVALID_HANDLE_VALUE;
    wcscpy_s(entry.cFileName, foundName.c_str());
    return kPlayedSearch;
  }
  void FindEnd(HANDLE search) override {
    if (search != kPlayedSearch) FileCalls::FindEnd(search);
  }
  bool Move(const std::wstring& from, const std::wstring& to) override {
    calls.push_back(L"move " + from + L" > " + to);
    return real_ ? FileCalls::Move(from, to) : true;
  }
  DWORD Attributes(const std::wstring& path) override {
    calls.push_back(L"attributes " + path);
    return real_ ? FileCalls::Attributes(path) : INVALID_FILE_ATTRIBUTES;
  }

 private:
  static inline const HANDLE kPlayedSearch = reinterpret_cast<HANDLE>(0x1234);
  bool real_;
};

struct FolderCase {
  const char* text;
  const wchar_t* path;
};

class FolderPathTest : public testing::TestWithParam<FolderCase> {};

// The folder of the listing, the plan and every rename, from a folder text
// as the boxes make it.
TEST_P(FolderPathTest, EveryCallGetsTheFolderAbsoluteNormalAndPrefixed) {
  RecordingCalls calls(false);
  platform::WindowsFiles files(calls);
  const exec::FolderListing listing = files.ListFolder(GetParam().text);
  files.Exists(GetParam().text, "memo.txt ");
  files.Rename(GetParam().text, "report.", "report_");
  platform::ListFileNames(GetParam().text, calls);
  const std::wstring folder = GetParam().path;
  EXPECT_EQ(calls.calls, (std::vector<std::wstring>{L"find " + folder + L"*",
                                                     L"attributes " + folder + L"memo.txt ",
                                                     L"move " + folder + L"report. > " + folder + L"report_",
                                                     L"find " + folder + L"*"}));
  EXPECT_EQ(listing.pathUnits, folder.size());
}

INSTANTIATE_TEST_SUITE_P(
    FolderTexts, FolderPathTest,
    testing::Values(
        // A drive chosen in the drive box: its root and one more separator.
        FolderCase{"C:\\\\", L"\\\\?\\C:\\"},
        FolderCase{"D:\\Tools\\\\", L"\\\\?\\D:\\Tools\\"},
        // After the Edit window closed once.
        FolderCase{"D:\\Tools/", L"\\\\?\\D:\\Tools\\"},
        FolderCase{"D:/a//b/./c\\..\\", L"\\\\?\\D:\\a\\b\\"},
        // Names keep their trailing dots and blanks.
        FolderCase{"D:\\dots.\\blank \\", L"\\\\?\\D:\\dots.\\blank \\"},
        FolderCase{"\\\\server\\share\\folder\\\\", L"\\\\?\\UNC\\server\\share\\folder\\"},
        FolderCase{"\\\\server\\share\\folder/", L"\\\\?\\UNC\\server\\share\\folder\\"},
        // ".." never leaves the share.
        FolderCase{"\\\\server\\share\\a\\..\\..\\", L"\\\\?\\UNC\\server\\share\\"},
        FolderCase{"\\\\?\\C:\\x\\", L"\\\\?\\C:\\x\\"},
        FolderCase{"C:\\J\x81\x30\x8B\x32rg\\", L"\\\\?\\C:\\J\u00F6rg\\"}));

TEST(FilePaths, ARelativeFolderTextIsTakenFromTheCurrentFolder) {
  TempFolder folder;
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(platform::ToWide(folder.path()).c_str());
  const auto relative = platform::FileSystemFolder("sub\\");
  const auto current = platform::FileSystemFolder("");
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(relative, L"\\\\?\\" + platform::ToWide(folder.path()) + L"\\sub\\");
  EXPECT_EQ(current, L"\\\\?\\" + platform::ToWide(folder.path()) + L"\\");
  EXPECT_EQ(platform::FileSystemFolder("C:\\\x81"), std::nullopt);  // no character: no path
  EXPECT_EQ(platform::FileSystemPathOf("C:\\p/a\\b.KRNM"), L"\\\\?\\C:\\p\\a\\b.KRNM");
}

// A change of letter case is one rename, read back; only where the folder
// still holds the old case (Wine, some shares) does it go through a middle
// name. Each step in the folder as it stands.
TEST(FilePaths, ACaseChangeTakesEveryStepInThePrefixedFolder) {
  const std::wstring folder = L"\\\\?\\UNC\\server\\share\\d\\";
  const std::wstring middle = folder + L"ABC." + platform::ToWide(".~改大小写");
  const std::wstring direct = L"move " + folder + L"ABC. > " + folder + L"abc.";
  const std::wstring readBack = L"find " + folder + L"abc.";
  struct Case {
    std::wstring nameAfterwards;  // as the folder then holds it; empty: not found
    std::vector<std::wstring> calls;
  } cases[] = {
      {L"abc.", {direct, readBack}},
      {L"ABC.", {direct, readBack, L"attributes " + middle, L"move " + folder + L"ABC. > " + middle,
                 L"move " + middle + L" > " + folder + L"abc."}},
      {L"", {direct, readBack, L"attributes " + middle, L"move " + folder + L"ABC. > " + middle,
             L"move " + middle + L" > " + folder + L"abc."}},
  };
  for (const Case& c : cases) {
    RecordingCalls calls(false);
    calls.foundName = c.nameAfterwards;
    platform::WindowsFiles files(calls);
    EXPECT_TRUE(files.Rename("\\\\server\\share\\d\\", "ABC.", "abc.").done);
    EXPECT_EQ(calls.calls, c.calls) << c.nameAfterwards;
  }
}

// A folder deeper than 260 characters lists and renames like any other
// (on Windows only the \\?\ prefix makes that so).
TEST(FilePaths, AFolderOverTheOldLimitListsAndRenames) {
  // Paths without the prefix too, where Windows has long paths switched on.
  EXPECT_EQ(ManifestSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"longPathAware"),
            L"true");
  TempFolder top;
  std::string folder = top.path();
  while (folder.size() < 300) {
    folder += "\\" + std::string(40, 'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + platform::ToWide(folder)).c_str(), nullptr));
  }
  CloseHandle(CreateFileW((L"\\\\?\\" + platform::ToWide(folder) + L"\\a.txt").c_str(), GENERIC_WRITE, 0,
                          nullptr, CREATE_ALWAYS, 0, nullptr));
  RecordingCalls calls(true);
  platform::WindowsFiles files(calls);
  const std::string folderText = folder + "\\";
  EXPECT_EQ(platform::ListFileNames(folderText, calls), std::vector<std::string>{"a.txt"});
  EXPECT_TRUE(files.Rename(folderText, "a.txt", "b.txt").done);
  EXPECT_EQ(platform::ListFileNames(folderText), std::vector<std::string>{"b.txt"});
  EXPECT_GT(calls.calls.back().size(), 260u);
  for (const std::wstring& call : calls.calls) EXPECT_NE(call.find(L" \\\\?\\C:\\"), std::wstring::npos);
}

// Once the search is held to System32, a DLL beside the program is never
// loaded by its name; system DLLs still are. (The DLL loads before, so the
// test can fail.)
TEST(DllSearch, ADllBesideTheProgramIsNeverLoadedByName) {
  HMODULE before = LoadLibraryW(L"rntool_planted.dll");
  ASSERT_NE(before, nullptr);
  FreeLibrary(before);
  app::SearchDllsOnlyInSystem32();
  HMODULE after = LoadLibraryW(L"rntool_planted.dll");
  EXPECT_EQ(after, nullptr);
  if (after) FreeLibrary(after);
  EXPECT_NE(LoadLibraryW(L"comdlg32.dll"), nullptr);
}

}  // namespace
}  // namespace testing_support
