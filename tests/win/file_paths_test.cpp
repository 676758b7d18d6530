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
#include "platform/system_library.h"
#include "exec/rename_plan.h"
#include "platform/windows_files.h"
#include "manifest_setting.h"
#include "temp_folder.h"

namespace testing_support {
namespace {

// An entry of a folder as a played listing gives it.
struct PlayedEntry {
  std::wstring name, shortName;
  LONGLONG size, lastWrite, fileId;
};

// Records every call; the real file system answers only when asked to.
class RecordingCalls final : public platform::FileCalls {
 public:
  explicit RecordingCalls(bool real) : real_(real) {}
  std::vector<std::wstring> calls;

  // Played when not real: the one entry every search finds, if any.
  std::wstring foundName;
  // Played when not real: the folder's entries, one read each, and the
  // error the read after the last gives; its volume.
  std::vector<PlayedEntry> entries;
  DWORD errorAtTheEnd = ERROR_NO_MORE_FILES;
  bool opens = true;
  DWORD serial = 0x5EED, flags = FILE_SUPPORTS_OPEN_BY_FILE_ID;

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
  HANDLE OpenFolder(const std::wstring& folder) override {
    calls.push_back(L"open " + folder);
    if (real_) return FileCalls::OpenFolder(folder);
    return opens ? kPlayedSearch : INVALID_HANDLE_VALUE;
  }
  bool ReadFolder(HANDLE folder, bool first, void* buffer, DWORD size) override {
    if (real_) return FileCalls::ReadFolder(folder, first, buffer, size);
    if (first) read_ = 0;
    if (read_ == entries.size()) return false;
    const PlayedEntry& played = entries[read_++];
    ZeroMemory(buffer, size);
    auto& entry = *static_cast<FILE_ID_BOTH_DIR_INFO*>(buffer);
    entry.EndOfFile.QuadPart = played.size;
    entry.LastWriteTime.QuadPart = played.lastWrite;
    entry.FileId.QuadPart = played.fileId;
    entry.ShortNameLength = static_cast<CCHAR>(played.shortName.size() * sizeof(WCHAR));
    played.shortName.copy(entry.ShortName, played.shortName.size());
    entry.FileNameLength = static_cast<DWORD>(played.name.size() * sizeof(WCHAR));
    played.name.copy(entry.FileName, played.name.size());
    return true;
  }
  bool Volume(HANDLE handle, DWORD& serialNumber, DWORD& volumeFlags) override {
    if (real_) return FileCalls::Volume(handle, serialNumber, volumeFlags);
    serialNumber = serial;
    volumeFlags = flags;
    return true;
  }
  void Close(HANDLE handle) override {
    if (handle != kPlayedSearch) FileCalls::Close(handle);
  }
  DWORD LastError() override { return real_ ? FileCalls::LastError() : errorAtTheEnd; }

 private:
  static inline const HANDLE kPlayedSearch = reinterpret_cast<HANDLE>(0x1234);
  bool real_;
  size_t read_ = 0;
};

const exec::BeforeMiddleName kNoMiddle = [](const std::string&) {};

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
  files.Rename(GetParam().text, "report.", "report_", kNoMiddle);
  platform::ListFileNames(GetParam().text, calls);
  const std::wstring folder = GetParam().path;
  EXPECT_EQ(calls.calls, (std::vector<std::wstring>{L"open " + folder,
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

// The plan's listing: one pass over the folder's handle, each entry with
// its size, time, file ID and 8.3 name, and the volume's serial and
// whether it keeps file IDs. A folder that can't be opened, or whose
// listing breaks off, is not reached (never taken for one whose files are
// gone). Wine makes short names its own way, so they are played.
TEST(FilePaths, TheListingGivesEachFileItsIdentityAndShortName) {
  RecordingCalls calls(false);
  calls.entries = {{L".", L"", 0, 1, 1},
                   {L"Program Files.txt", L"PROGRA~1.TXT", 12, 1000, 77},
                   {L"a.txt", L"", 3, 2000, 78}};
  platform::WindowsFiles files(calls);
  exec::FolderListing listing = files.ListFolder("D:\\d\\");
  EXPECT_EQ(calls.calls, std::vector<std::wstring>{L"open \\\\?\\D:\\d\\"});
  EXPECT_TRUE(listing.reached);
  ASSERT_EQ(listing.keys.size(), 2u);
  EXPECT_EQ(listing.keys[0], u"PROGRAM FILES.TXT");
  EXPECT_EQ(listing.keys[1], u"A.TXT");
  EXPECT_EQ(listing.identities, (std::vector<exec::FileIdentity>{{12, 1000, 77}, {3, 2000, 78}}));
  ASSERT_EQ(listing.shortKeys.size(), 1u);
  EXPECT_EQ(listing.shortKeys[0], (std::pair<uint32_t, std::u16string>{0, u"PROGRA~1.TXT"}));
  EXPECT_TRUE(listing.volume.known && listing.volume.keepsFileIds);
  EXPECT_EQ(listing.volume.serial, 0x5EEDu);
  // The new name another file's short name takes is marked.
  const exec::RenamePlan plan =
      exec::PlanRenames(listing, {"a.txt"}, {"progra~1.txt"}, exec::ListOrder(1), files);
  EXPECT_EQ(plan.verdicts, std::vector<exec::Verdict>{exec::Verdict::ShortNameTaken});

  calls.flags = 0;  // FAT: IDs say nothing
  EXPECT_FALSE(files.ListFolder("D:\\d\\").volume.keepsFileIds);
  calls.errorAtTheEnd = ERROR_NETNAME_DELETED;
  EXPECT_FALSE(files.ListFolder("D:\\d\\").reached);
  calls.errorAtTheEnd = ERROR_NO_MORE_FILES;
  calls.opens = false;
  EXPECT_FALSE(files.ListFolder("D:\\d\\").reached);
  EXPECT_FALSE(files.ListFolder("D:\\\x81\\").reached);  // no path at all
}

// On Wine's own file system: names, sizes and a file ID that stays with
// the file across a rename.
TEST(FilePaths, AFileKeepsItsIdentityAcrossARename) {
  TempFolder folder;
  const std::wstring path = L"\\\\?\\" + platform::ToWide(folder.path()) + L"\\";
  const HANDLE file = CreateFileW((path + L"a.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "12345", 5, &written, nullptr);
  CloseHandle(file);
  platform::WindowsFiles files;
  const exec::FolderListing before = files.ListFolder(folder.path() + "\\");
  ASSERT_EQ(before.identities.size(), 1u);
  EXPECT_EQ(before.identities[0].size, 5u);
  EXPECT_NE(before.identities[0].lastWrite, 0u);
  ASSERT_TRUE(files.Rename(folder.path() + "\\", "a.txt", "b.txt", kNoMiddle).done);
  const exec::FolderListing after = files.ListFolder(folder.path() + "\\");
  ASSERT_EQ(after.keys.size(), 1u);
  EXPECT_EQ(after.keys[0], u"B.TXT");
  EXPECT_TRUE(exec::IsSameFile(before.identities[0], before.volume, after.identities[0], after.volume));
  EXPECT_FALSE(files.ListFolder(folder.path() + "\\gone\\").reached);
}

// A change of letter case is one rename, read back; only where the folder
// still holds the old case (Wine, some shares) does it go through a middle
// name. Each step in the folder as it stands.
TEST(FilePaths, ACaseChangeTakesEveryStepInThePrefixedFolder) {
  const std::wstring folder = L"\\\\?\\UNC\\server\\share\\d\\";
  const std::wstring middle = folder + L"ABC." + platform::ToWide(".~改大小写");
  const std::wstring direct = L"move " + folder + L"ABC. > " + folder + L"abc.";
  const std::wstring readBack = L"find " + folder + L"abc.";
  // The journal hears the middle name before the file goes there.
  const std::wstring noted = L"journal ABC." + platform::ToWide(".~改大小写");
  struct Case {
    std::wstring nameAfterwards;  // as the folder then holds it; empty: not found
    std::vector<std::wstring> calls;
  } cases[] = {
      {L"abc.", {direct, readBack}},
      {L"ABC.", {direct, readBack, L"attributes " + middle, noted, L"move " + folder + L"ABC. > " + middle,
                 L"move " + middle + L" > " + folder + L"abc."}},
      {L"", {direct, readBack, L"attributes " + middle, noted, L"move " + folder + L"ABC. > " + middle,
             L"move " + middle + L" > " + folder + L"abc."}},
  };
  for (const Case& c : cases) {
    RecordingCalls calls(false);
    calls.foundName = c.nameAfterwards;
    platform::WindowsFiles files(calls);
    EXPECT_TRUE(files.Rename("\\\\server\\share\\d\\", "ABC.", "abc.", [&](const std::string& name) {
                      calls.calls.push_back(L"journal " + platform::ToWide(name));
                    }).done);
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
  EXPECT_TRUE(files.Rename(folderText, "a.txt", "b.txt", kNoMiddle).done);
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

// A DLL of System32 comes from there alone: by name with the search held
// to System32 where Windows knows the flag, else by its full path (Windows 7
// without KB2533623 fails the call with the flag; Wine always knows it).
TEST(DllSearch, ASystemLibraryIsLoadedFromSystem32OnEveryWindows) {
  const platform::LibraryLoad known = platform::SystemLibraryLoad(L"oleacc.dll", true, L"C:\\Windows\\system32");
  EXPECT_EQ(known.file, L"oleacc.dll");
  EXPECT_EQ(known.flags, static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32));
  const platform::LibraryLoad older = platform::SystemLibraryLoad(L"oleacc.dll", false, L"C:\\Windows\\system32");
  EXPECT_EQ(older.file, L"C:\\Windows\\system32\\oleacc.dll");
  EXPECT_EQ(older.flags, 0u);
  HMODULE oleacc = platform::LoadSystemLibrary(L"oleacc.dll");
  EXPECT_NE(oleacc, nullptr);
  if (oleacc) FreeLibrary(oleacc);
}

}  // namespace
}  // namespace testing_support
