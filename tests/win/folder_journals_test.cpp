// Journals as files: written a buffer at a time, held open so that another
// running copy never takes a live one for one left, and gone once ended.
#include <windows.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace testing_support
