#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "platform/gbk_convert.h"
#include "platform/list_order.h"

namespace testing_support {
namespace {

using FileBoxTest = MainWindowTest;

// What a list box with LBS_SORT makes of the same names, added one by one.
std::vector<std::string> SortedByAListBox(const std::vector<std::string>& names) {
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT, 0, 0, 100, 100, nullptr, nullptr,
                              nullptr, nullptr);
  for (const std::string& name : names) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(name).c_str()));
  }
  std::vector<std::string> sorted;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    sorted.push_back(platform::ToGbk(text));
  }
  DestroyWindow(list);
  return sorted;
}

TEST_F(FileBoxTest, ListsEveryFileInTheOrderOfASortedListBox) {
  const std::vector<std::string> names = {
      "b.txt", "A.txt", "a1.txt", "_x",   "10.txt", "9.txt",  "报告.doc", "Zeta",  "zebra",
      "~tilde", "a-b",  "ab",     "a b",  "文件",   "第二章", "B.TXT2",   "[1].txt", "#hash"};
  for (const std::string& name : names) folder.AddFile(name);
  folder.AddFile("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  folder.AddFile("system.txt", FILE_ATTRIBUTE_SYSTEM);
  folder.AddFile("readonly.txt", FILE_ATTRIBUTE_READONLY);
  folder.AddFolder("a folder");

  window.SetInitialFolder(folder.path());

  std::vector<std::string> expected = names;
  expected.insert(expected.end(), {"hidden.txt", "system.txt", "readonly.txt"});
  EXPECT_EQ(window.fileBox().Names(), SortedByAListBox(expected));
  EXPECT_EQ(window.fileBox().FolderText(), folder.path() + "\\");
  const auto shown = SendMessageW(window.fileBox().handle(), LB_GETCOUNT, 0, 0);
  EXPECT_EQ(shown, static_cast<LRESULT>(expected.size()));
}

// A name the folder gives twice (a case-sensitive share can) is listed once;
// names that only compare equal are all kept, in the order they came.
TEST(ListOrder, ANameGivenTwiceIsListedOnce) {
  std::vector<std::string> names = {"b", "a", "A", "a", "B", "b", "文", "文"};
  platform::SortLikeListBox(names);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "A", "b", "B", "文"}));
}

TEST_F(FileBoxTest, SelectionTextFollowsListOrderNotClickOrder) {
  for (const char* name : {"c.txt", "b.txt", "a.txt"}) folder.AddFile(name);
  window.SetInitialFolder(folder.path());
  Pick("b.txt");
  EXPECT_EQ(window.fileBox().SelectionText(), "b.txt");
  Pick("a.txt");
  EXPECT_EQ(window.fileBox().SelectionText(), "a.txt;b.txt");
}

TEST_F(FileBoxTest, ListingAgainReselectsNamesIgnoringCase) {
  for (const char* name : {"ABC.TXT", "x.txt", "other.txt"}) folder.AddFile(name);
  window.SetInitialFolder(folder.path());
  Pick("ABC.TXT");
  Pick("x.txt");
  ASSERT_EQ(window.fileBox().SelectionText(), "ABC.TXT;x.txt");

  // A case-only rename keeps the file selected; a rename to another name does not.
  ASSERT_TRUE(MoveFileW(folder.Wide("ABC.TXT").c_str(), folder.Wide("tmp").c_str()));
  ASSERT_TRUE(MoveFileW(folder.Wide("tmp").c_str(), folder.Wide("abc.txt").c_str()));
  ASSERT_TRUE(MoveFileW(folder.Wide("x.txt").c_str(), folder.Wide("y.txt").c_str()));
  window.fileBox().SetFolder(folder.path() + "/");

  EXPECT_EQ(window.fileBox().SelectionText(), "abc.txt");
  EXPECT_EQ(window.fileBox().FolderText(), folder.path() + "/");
  EXPECT_EQ(window.fileBox().Names(), (std::vector<std::string>{"abc.txt", "other.txt", "y.txt"}));
}

TEST_F(FileBoxTest, NoSelectedNameLeftGivesAnEmptySelectionText) {
  folder.AddFile("a.txt");
  window.SetInitialFolder(folder.path());
  Pick("a.txt");
  ASSERT_TRUE(MoveFileW(folder.Wide("a.txt").c_str(), folder.Wide("b.txt").c_str()));
  window.fileBox().SetFolder(folder.path() + "\\");
  EXPECT_EQ(window.fileBox().SelectionText(), "");
}

TEST_F(FileBoxTest, FolderThatCannotBeReadGivesAnEmptyList) {
  folder.AddFile("a.txt");
  window.SetInitialFolder(folder.path());
  Pick("a.txt");
  window.fileBox().SetFolder(folder.path() + "\\missing\\");
  EXPECT_TRUE(window.fileBox().Names().empty());
  EXPECT_EQ(window.fileBox().SelectionText(), "");
  EXPECT_TRUE(desktop.events().empty());
}

TEST_F(FileBoxTest, EmptyFolderTextMeansTheCurrentFolder) {
  folder.AddFile("here.txt");
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(platform::ToWide(folder.path()).c_str());
  window.fileBox().SetFolder("");
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(window.fileBox().FolderText(), folder.path());
  EXPECT_EQ(window.fileBox().Names(), std::vector<std::string>{"here.txt"});
}

}  // namespace
}  // namespace testing_support
