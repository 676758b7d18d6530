// Journals as files: written a buffer at a time, held open so that another
// running copy never takes a live one for one left, and gone once ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "platform/folder_journals.h"
#include "platform/gbk_convert.h"
#include "temp_folder.h"

namespace testing_support {
namespace {

TEST(FolderJournals, ALiveJournalIsNotLeftAndAnEndedOneIsGone) {
  TempFolder folder;
  const std::wstring where = platform::ToWide(folder.path()) + L"\\journals\\";
  platform::FolderJournals journals(where);
  EXPECT_TRUE(journals.Left().empty());  // no folder yet

  std::string failure;
  std::unique_ptr<exec::JournalFile> ended = journals.Create(failure);
  std::unique_ptr<exec::JournalFile> live = journals.Create(failure);
  std::unique_ptr<exec::JournalFile> killed = journals.Create(failure);
  ASSERT_TRUE(ended && live && killed);
  ended->Append("plan\n");
  ended->MakeDurable();
  ended->Discard();
  live->Append("plan\n");
  live->MakeDurable();
  killed->Append("plan\n");
  killed->MakeDurable();
  killed->Append("d\t0\n");  // not yet on disk, but written when the file goes
  killed.reset();

  const std::vector<std::string> left = journals.Left();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(journals.Read(left[0]), "plan\nd\t0\n");
  EXPECT_EQ(journals.Where(left[0]), folder.path() + "\\journals\\" + left[0]);
  journals.SetAside(left[0]);
  EXPECT_TRUE(journals.Left().empty());
  EXPECT_NE(GetFileAttributesW((where + platform::ToWide(left[0]) + L".damaged").c_str()),
            INVALID_FILE_ATTRIBUTES);
  live.reset();
  ASSERT_EQ(journals.Left().size(), 1u);  // the live one, once its copy let go
  journals.Remove(journals.Left()[0]);
  EXPECT_TRUE(journals.Left().empty());

  EXPECT_EQ(failure, "");
  platform::FolderJournals none(L"");
  EXPECT_EQ(none.Create(failure), nullptr);
  EXPECT_EQ(failure, "系统没有给出本地应用数据文件夹");
  EXPECT_TRUE(none.Left().empty());
}

// A file where the journal folder should be: no journal, and the reason
// names the folder; the start passes over it without a word.
TEST(FolderJournals, AFileInPlaceOfTheFolderGivesNoJournalAndSaysWhy) {
  TempFolder folder;
  const std::wstring where = platform::ToWide(folder.path()) + L"\\journals";
  CloseHandle(CreateFileW(where.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  platform::FolderJournals journals(where + L"\\");
  std::string failure;
  EXPECT_EQ(journals.Create(failure), nullptr);
  EXPECT_EQ(failure, "无法建立文件夹 " + folder.path() + "\\journals\\：已有同名的文件");
  EXPECT_TRUE(journals.Left().empty());
}

// An ended journal kept as an entry of the rename history: whole behind its
// header, found again by another start, newest first, the newest 100 only;
// marked undone in place, forgotten, set aside; none kept while the user's
// switch is off, and the journal goes all the same.
TEST(FolderJournals, EndedJournalsBecomeTheHistoryTheNewest100Kept) {
  TempFolder folder;
  const std::wstring where = platform::ToWide(folder.path()) + L"\\journals\\";
  bool keeping = true;
  platform::FolderJournals journals(where, [&] { return keeping; });
  auto keep = [&](const std::string& text) {
    std::string failure;
    std::unique_ptr<exec::JournalFile> file = journals.Create(failure);
    file->Append(text);
    file->MakeDurable();
    return file->Keep();
  };
  const std::string first = keep("run 0\n");
  ASSERT_FALSE(first.empty());
  const std::optional<std::string> text = journals.ReadEntry(first);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->substr(0, 17), "RNTOOL-HISTORY 1\t");
  EXPECT_EQ(text->substr(exec::kUndoneOffset), "0\nrun 0\n");
  EXPECT_TRUE(journals.Left().empty());

  for (int run = 1; run <= 100; ++run) ASSERT_FALSE(keep("run " + std::to_string(run) + "\n").empty());
  platform::FolderJournals again(where);  // the next start
  const std::vector<std::string> entries = again.Entries();
  ASSERT_EQ(entries.size(), platform::FolderJournals::kMostEntries);
  EXPECT_EQ(again.ReadEntry(entries.front())->substr(exec::kUndoneOffset + 2), "run 100\n");
  EXPECT_EQ(again.ReadEntry(entries.back())->substr(exec::kUndoneOffset + 2), "run 1\n");
  EXPECT_FALSE(again.ReadEntry(first));  // the oldest went

  again.MarkUndone(entries[0]);
  EXPECT_EQ(again.ReadEntry(entries[0])->substr(exec::kUndoneOffset), "1\nrun 100\n");
  again.Forget(entries[0]);
  again.SetEntryAside(entries[1]);
  EXPECT_EQ(again.Entries().size(), 98u);
  EXPECT_NE(GetFileAttributesW((where + L"history\\" + platform::ToWide(entries[1]) + L".damaged").c_str()),
            INVALID_FILE_ATTRIBUTES);

  keeping = false;
  EXPECT_EQ(keep("run 101\n"), "");
  EXPECT_EQ(journals.Entries().size(), 98u);
  EXPECT_TRUE(journals.Left().empty());
}

}  // namespace
}  // namespace testing_support
