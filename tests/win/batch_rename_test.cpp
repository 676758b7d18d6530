// Batch rename and Undo through the real Edit window, on real files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "../core/codec_expectations.h"
#include "../core/recording_window.h"
#include "exec/left_runs.h"
#include "display_scale_expect.h"
#include "edit_window_fixture.h"
#include "high_contrast_theme.h"
#include "main_window_fixture.h"
#include "platform/gbk_convert.h"
#include "platform/window_layout.h"
#include "platform/name_keys.h"
#include "ui/edit/edit_window.h"
#include "ui/history/history_window.h"

namespace testing_support {
namespace {

using namespace ui::edit;
using platform::MessageAnswer;

const std::string kDone =
    "更名完成，是否立即打开文件夹查看文件？（如果有问题可以点击撤销按钮撤销此次操作！）";
const std::string kUndoQuestion = "即将撤销上一次更名，是否继续？";
const std::string kUndoDone = "撤销完成！文件名恢复到此次更名前的状态！";

std::string BatchFailure(const std::string& prefix, const std::string& from, const std::string& to) {
  return prefix + from + " 更改为： " + to +
         " 更名失败,可能是没有相关权限,请以管理员身份运行本程序.是否继续更改后续文件？";
}

// Every file of a folder with its contents, names as the disk has them.
std::map<std::string, std::string> Disk(const std::string& folder) {
  std::map<std::string, std::string> files;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((platform::ToWide(folder) + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = L"\\\\?\\" + platform::ToWide(folder) + L"\\" + entry.cFileName;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[256] = {};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    files[platform::ToGbk(entry.cFileName)] = std::string(buffer, read);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return files;
}

class BatchRenameWineTest : public EditWindowFixture {
 protected:
  // Files that hold their own names, all picked, in this order.
  void Open(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      HANDLE file = CreateFileW(folder.Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(file, name.data(), static_cast<DWORD>(name.size()), &written, nullptr);
      CloseHandle(file);
    }
    OpenEdit(folder.path() + "\\", names);
  }
  // `count` names from a printf pattern with one number, from 0.
  static std::vector<std::string> Numbered(const char* pattern, int count) {
    std::vector<std::string> names;
    char name[32];
    for (int i = 0; i < count; ++i) {
      std::snprintf(name, sizeof(name), pattern, i);
      names.push_back(name);
    }
    return names;
  }
  void PreviewAdding(const char* text) {
    SetText(添加字符文本, text);
    Click(按钮预览);
  }
  // The picture index of each row's new-name cell: a mark or none.
  std::vector<int> MarkImages() const {
    std::vector<int> images;
    HWND list = Get(超级列表框1);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      LVITEMW item{};
      item.mask = LVIF_IMAGE;
      item.iItem = row;
      item.iSubItem = 1;
      item.iImage = 99;
      SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      images.push_back(item.iImage < 0 ? -1 : item.iImage);
    }
    return images;
  }
  LRESULT Progress() const { return SendMessageW(Get(进度条1), PBM_GETPOS, 0, 0); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& message : desktop.messages()) texts.push_back(message.text);
    return texts;
  }

  TempFolder folder;
};

TEST_F(BatchRenameWineTest, EveryRenameSucceedsThenUndoPutsThemBack) {
  Open({"a.txt", "报告.doc"});
  PreviewAdding("新");
  desktop.Answer(MessageAnswer::Yes);  // open the folder
  Click(按钮更名);

  EXPECT_EQ(Texts(), std::vector<std::string>{kDone});
  EXPECT_EQ(desktop.messages()[0].title, "提示：");
  EXPECT_EQ(desktop.shellOpens(), (std::vector<platform::ShellRequest>{{folder.path() + "\\", ""}}));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{
                                     {"新a.txt", "a.txt"}, {"新报告.doc", "报告.doc"}}));
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"新a.txt", "新报告.doc"}));
  EXPECT_EQ(state.UndoNames, (rules::NameList{"a.txt", "报告.doc"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"新a.txt", "新报告.doc"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", ""}));
  EXPECT_FALSE(Enabled(按钮更名));
  EXPECT_TRUE(Enabled(按钮撤销));
  EXPECT_EQ(Progress(), 0);
  EXPECT_EQ(SendMessageW(Get(进度条1), PBM_GETRANGE, FALSE, 0), 2);

  desktop.Answer(MessageAnswer::Yes);
  Click(按钮撤销);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kDone, kUndoQuestion, kUndoDone}));
  EXPECT_EQ(Disk(folder.path()),
            (std::map<std::string, std::string>{{"a.txt", "a.txt"}, {"报告.doc", "报告.doc"}}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt", "报告.doc"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", ""}));
  EXPECT_FALSE(Enabled(按钮更名) || Enabled(按钮撤销));
  // Both runs are kept; the batch's entry is marked undone by this Undo.
  ASSERT_EQ(journals.Entries(), (std::vector<std::string>{"entry2", "entry1"}));
  EXPECT_TRUE(exec::ParseHistoryEntry(journals.entries["entry1"])->undone);
  EXPECT_EQ(exec::ParseHistoryEntry(journals.entries["entry2"])->kind, exec::JournalKind::Undo);
}

TEST_F(BatchRenameWineTest, TakenTargetIsMarkedFailsAndTheOtherFileIsUntouched) {
  folder.AddFile("XA");  // not picked
  Open({"a", "b"});
  PreviewAdding("x");  // "a" -> "xa", which "XA" already is
  EXPECT_EQ(MarkImages(), (std::vector<int>{0, -1}));
  EXPECT_EQ(edit->previewList().MarkReason(0), "新文件名已被一个不改名的文件或文件夹占用。");
  desktop.Answer(MessageAnswer::Yes);  // go on
  desktop.Answer(MessageAnswer::No);   // no folder
  Click(按钮更名);
  EXPECT_EQ(Texts(), (std::vector<std::string>{BatchFailure("", "a", "xa"), kDone}));
  EXPECT_EQ(desktop.messages()[0].title, "警告:");
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"XA", ""}, {"a", "a"}, {"xb", "b"}}));
  EXPECT_EQ(MarkImages(), (std::vector<int>{-1, -1}));  // the emptied cells lose their marks

  // Undo renames the skipped file onto its own name without a prompt.
  desktop.Answer(MessageAnswer::Yes);
  Click(按钮撤销);
  EXPECT_EQ(Texts().back(), kUndoDone);
  EXPECT_EQ(Texts().size(), 4u);
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"XA", ""}, {"a", "a"}, {"b", "b"}}));
}

// A marked cell keeps its picture; under high contrast its name is drawn in
// the system's text colour instead of the warning red, on the system's
// window colour like the rest of the list.
TEST_F(BatchRenameWineTest, MarkedCellsUnderHighContrastKeepThePictureInTheSystemTextColour) {
  folder.AddFile("XA");
  Open({"a", "b"});
  PreviewAdding("x");  // "a" -> "xa" is marked
  HWND list = Get(超级列表框1);
  RECT cell{}, client{};
  ListView_GetSubItemRect(list, 0, 1, LVIR_LABEL, &cell);
  GetClientRect(list, &client);
  const int iconRight = cell.left + platform::ScaleOf(list)(3 + 16);
  const RECT icon{cell.left, cell.top, iconRight, cell.bottom}, name{iconRight, cell.top, cell.right, cell.bottom};
  constexpr COLORREF kWarning = RGB(200, 0, 0);
  ShowOnTop(edit->handle());
  EXPECT_GT(ColoursOf(list, &name)[kWarning], 0);
  {
    const HighContrastTheme theme(desktop.highContrast);
    ShowOnTop(edit->handle());
    auto inName = ColoursOf(list, &name);
    EXPECT_EQ(inName[kWarning], 0);
    EXPECT_GT(inName[HighContrastTheme::kText], 0);
    EXPECT_EQ(ColourAt(list, {cell.right - 3, cell.bottom - 2}), HighContrastTheme::kWindow);
    EXPECT_EQ(ColourAt(list, {client.right - 3, client.bottom - 3}), HighContrastTheme::kWindow);
    const auto inIcon = ColoursOf(list, &icon);
    EXPECT_GT(inIcon.size(), 2u) << "the picture is drawn";
  }
  ShowOnTop(edit->handle());
  EXPECT_GT(ColoursOf(list, &name)[kWarning], 0);
  ShowOnTop(edit->handle(), false);
}

// "a.txt" -> "aa.txt" waits for "aa.txt" -> "aaa.txt"; Undo goes the other way.
TEST_F(BatchRenameWineTest, AChainGoesThroughAndUndoRestoresIt) {
  Open({"a.txt", "aa.txt"});
  PreviewAdding("a");
  EXPECT_EQ(MarkImages(), (std::vector<int>{-1, -1}));
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts(), std::vector<std::string>{kDone});
  EXPECT_EQ(Disk(folder.path()),
            (std::map<std::string, std::string>{{"aa.txt", "a.txt"}, {"aaa.txt", "aa.txt"}}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"aa.txt", "aaa.txt"}));
  desktop.Answer(MessageAnswer::Yes);
  Click(按钮撤销);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kDone, kUndoQuestion, kUndoDone}));
  EXPECT_EQ(Disk(folder.path()),
            (std::map<std::string, std::string>{{"a.txt", "a.txt"}, {"aa.txt", "aa.txt"}}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a.txt", "aa.txt"}));
}

TEST_F(BatchRenameWineTest, DuplicateNewNamesAreMarkedAndOnlyTheFirstGetsTheName) {
  Open({"1a.txt", "2A.TXT", "3b.txt"});
  Click(单选框删除字符);
  SetText(删除字符数量, "1");
  SetText(删除位置, "0");
  Click(按钮预览);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a.txt", "A.TXT", "b.txt"}));
  EXPECT_EQ(MarkImages(), (std::vector<int>{-1, 0, -1}));
  EXPECT_EQ(edit->previewList().MarkReason(1), "与第 1 行（1a.txt）的新文件名相同，此名称归第 1 行。");
  desktop.Answer(MessageAnswer::Yes);
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts(), (std::vector<std::string>{BatchFailure("", "2A.TXT", "A.TXT"), kDone}));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{
                                     {"a.txt", "1a.txt"}, {"2A.TXT", "2A.TXT"}, {"b.txt", "3b.txt"}}));
}

TEST_F(BatchRenameWineTest, InvalidNewNamesAreMarkedAndNeverTried) {
  Open({"a", "b"});
  PreviewAdding("?");
  EXPECT_EQ(MarkImages(), (std::vector<int>{0, 0}));
  EXPECT_EQ(edit->previewList().MarkReason(1), "新文件名无效：Windows 不允许这样的文件名。");
  EXPECT_EQ(edit->previewList().MarkReason(5), "");
  desktop.Answer(MessageAnswer::Yes);
  desktop.Answer(MessageAnswer::Yes);
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts(), (std::vector<std::string>{BatchFailure("", "a", "?a"), BatchFailure("", "b", "?b"), kDone}));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"a", "a"}, {"b", "b"}}));
}

TEST_F(BatchRenameWineTest, SwappedNamesGoThroughAParkingNameAndBack) {
  Open({"a", "b"});
  PreviewAdding("");
  state.NewNames = {"b", "a"};
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts(), std::vector<std::string>{kDone});
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"a", "b"}, {"b", "a"}}));
  desktop.Answer(MessageAnswer::Yes);
  Click(按钮撤销);
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"a", "a"}, {"b", "b"}}));
}

// The tables behind the name keys say what the code page and the upper-case
// table say, character by character, for every one- and two-byte text.
TEST(NameKeys, AgreeWithTheCodePageAndTheUpperCaseTable) {
  platform::NameKeys keys;
  std::u16string key;
  for (unsigned lead = 1; lead < 256; ++lead) {
    for (unsigned trail = 1; trail < (lead >= 0x80 ? 256u : 2u); ++trail) {  // texts hold no zero byte
      std::string text(1, static_cast<char>(lead));
      if (lead >= 0x80) text += static_cast<char>(trail);
      std::optional<std::wstring> wide = platform::ToWideExactly(text);
      if (wide) {
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide->data(), static_cast<int>(wide->size()),
                     wide->data(), static_cast<int>(wide->size()));
      }
      const bool converts = keys.FromGbk(text, key);
      ASSERT_EQ(converts, wide.has_value()) << lead << " " << trail;
      if (converts) {
        ASSERT_EQ(key, std::u16string(wide->begin(), wide->end())) << lead << " " << trail;
      }
    }
  }
  EXPECT_TRUE(keys.FromGbk("a\xA3\xE1", key));  // a and full-width a fold to A and full-width A
  EXPECT_EQ(key, u"A\uFF21");
}

// The table read from the system in two calls holds exactly the codes that
// the system converts there and back one at a time; with it, every scalar
// value converts to a text and back, a character of code page 936 keeps
// its code, and any other gets GB18030's four-byte code, or a unit code
// where GB18030's pair is one that code page 936 gives to another
// character (80 of them: CJK radicals, ideographic description characters).
TEST(TextConversion, TakesCodePage936FromTheSystemAndGB18030ForTheRest) {
  const rules::CodePage936 table = platform::SystemCodePage();
  for (unsigned code = 0x80; code < 0x10000; ++code) {
    const bool pair = code > 0xFF;
    if (pair != (table.leads[code >> 8] != 0) || (pair && (code & 0xFF) < 0x40)) continue;
    const std::string bytes = pair ? std::string{static_cast<char>(code >> 8), static_cast<char>(code)}
                                   : std::string(1, static_cast<char>(code));
    wchar_t unit[2] = {};
    BOOL usedDefault = FALSE;
    char back[4] = {};
    const bool one = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(),
                                         static_cast<int>(bytes.size()), unit, 2) == 1;
    const int backSize = one ? WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, unit, 1, back, 4,
                                                   nullptr, &usedDefault) : 0;
    const bool exact = one && !usedDefault && std::string(back, static_cast<size_t>(backSize)) == bytes;
    const char16_t inTable = pair ? table.pairs[code] : table.bytes[code];
    ASSERT_EQ(inTable, exact ? static_cast<char16_t>(unit[0]) : u'\0') << std::hex << code;
  }
  EXPECT_EQ(testing_support::CheckEveryScalarValue(platform::Codec(), table), 80u);
  testing_support::CheckEveryTableCode(platform::Codec(), table);
}

TEST_F(BatchRenameWineTest, TheEuroSignIsAValidName) {
  EXPECT_EQ(platform::ToWideExactly("\x80"), std::wstring(L"\u20AC"));
  EXPECT_EQ(platform::ToWideExactly("\x81"), std::nullopt);
  Open({"\x80.txt", "b"});
  PreviewAdding("新");
  EXPECT_EQ(MarkImages(), (std::vector<int>{-1, -1}));
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts(), std::vector<std::string>{kDone});
  EXPECT_EQ(Disk(folder.path()),
            (std::map<std::string, std::string>{{"新\x80.txt", "\x80.txt"}, {"新b", "b"}}));
  desktop.Answer(MessageAnswer::Yes);
  Click(按钮撤销);
  EXPECT_EQ(Texts().back(), kUndoDone);
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"\x80.txt", "\x80.txt"}, {"b", "b"}}));
}

TEST_F(BatchRenameWineTest, SourceDeletedAfterOpeningGetsThePrefix) {
  Open({"a", "b"});
  PreviewAdding("1");
  DeleteFileW(folder.Wide("a").c_str());
  desktop.Answer(MessageAnswer::Yes);
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts()[0], BatchFailure("源文件不存在！！！", "a", "1a"));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"1b", "b"}}));
}

TEST_F(BatchRenameWineTest, NoAtAFileStopsTheBatchAndClosesTheWindow) {
  folder.AddFile("xb");  // not picked
  Open({"a", "b", "c"});
  PreviewAdding("x");  // "b" -> "xb" is taken
  desktop.Answer(MessageAnswer::No);   // stop at file 2
  desktop.Answer(MessageAnswer::No);   // no folder
  HWND window = edit->handle();
  Click(按钮更名);
  EXPECT_EQ(Texts(), (std::vector<std::string>{BatchFailure("", "b", "xb"), kDone}));
  EXPECT_EQ(Disk(folder.path()),
            (std::map<std::string, std::string>{{"xa", "a"}, {"b", "b"}, {"c", "c"}, {"xb", ""}}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", "xb", "xc"}));
  EXPECT_TRUE(Enabled(按钮撤销));
  EXPECT_EQ(Progress(), 0);
  PumpMessages();  // the queued close takes effect
  EXPECT_FALSE(IsWindow(window));
}

// The close that a No asks for waits until the batch has ended, even when
// messages are handled while its completion prompt is up.
TEST_F(BatchRenameWineTest, TheWindowStaysUntilTheBatchAfterANoHasEnded) {
  folder.AddFile("xb");  // not picked
  Open({"a", "b"});
  PreviewAdding("x");
  const HWND window = edit->handle();
  bool aliveDuringThePrompt = false;
  desktop.onMessage = [&](const platform::MessageRequest& request) {
    if (request.text != kDone) return;
    PumpMessages();  // as the prompt's own message loop would
    aliveDuringThePrompt = IsWindow(window) != FALSE;
  };
  desktop.Answer(MessageAnswer::No);  // stop at "b"
  desktop.Answer(MessageAnswer::No);  // no folder
  Click(按钮更名);
  EXPECT_TRUE(aliveDuringThePrompt);
  EXPECT_EQ(SendMessageW(Get(进度条1), PBM_GETPOS, 0, 0), 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(BatchRenameWineTest, CaseOnlyBatchReallyChangesTheCaseOnDisk) {
  Open({"ABC.TXT", "Mixed.Doc"});
  Click(单选框大小写转换);
  Click(单选框转到小写);
  Click(按钮预览);
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts(), std::vector<std::string>{kDone});
  EXPECT_EQ(Disk(folder.path()),
            (std::map<std::string, std::string>{{"abc.txt", "ABC.TXT"}, {"mixed.doc", "Mixed.Doc"}}));
  desktop.Answer(MessageAnswer::Yes);
  Click(按钮撤销);
  EXPECT_EQ(Disk(folder.path()),
            (std::map<std::string, std::string>{{"ABC.TXT", "ABC.TXT"}, {"Mixed.Doc", "Mixed.Doc"}}));
}

TEST_F(BatchRenameWineTest, NameThatWouldLeaveTheFolderIsAFailedRename) {
  folder.AddFolder("sub");
  Open({"a", "b", "c"});
  PreviewAdding("");
  state.NewNames = {"..\\a", "sub\\b", "c?"};
  for (int i = 0; i < 3; ++i) desktop.Answer(MessageAnswer::Yes);
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Texts(), (std::vector<std::string>{BatchFailure("", "a", "..\\a"), BatchFailure("", "b", "sub\\b"),
                                                BatchFailure("", "c", "c?"), kDone}));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"a", "a"}, {"b", "b"}, {"c", "c"}}));
  EXPECT_TRUE(Disk(folder.path() + "\\sub").empty());
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"a", "b", "c"}));
}

TEST_F(BatchRenameWineTest, UndoOfAFileMovedAwayPromptsAndNoInTheQuestionChangesNothing) {
  Open({"a", "b"});
  PreviewAdding("1");
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  SendMessageW(Get(进度条1), PBM_SETPOS, 1, 0);

  desktop.Answer(MessageAnswer::No);  // the undo question
  Click(按钮撤销);
  EXPECT_EQ(Texts().back(), kUndoQuestion);
  EXPECT_EQ(Progress(), 1);
  EXPECT_TRUE(Enabled(按钮撤销));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"1a", "a"}, {"1b", "b"}}));

  MoveFileW(folder.Wide("1a").c_str(), folder.Wide("elsewhere").c_str());
  desktop.Answer(MessageAnswer::Yes);  // undo
  desktop.Answer(MessageAnswer::Yes);  // go on after the failure
  Click(按钮撤销);
  const std::vector<std::string> texts = Texts();
  EXPECT_EQ(texts[texts.size() - 2],
            "文件  1a  更名为   a 更名失败，可能是没有相关权限，请以管理员身份运行本程序。是否继续更改后续文件？  ");
  EXPECT_EQ(texts.back(), kUndoDone);
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"elsewhere", "a"}, {"b", "b"}}));
}

// A long run keeps the window live: another thread's messages are answered
// while files are still being renamed, both ways.
TEST_F(BatchRenameWineTest, TheWindowAnswersThroughoutALongBatchAndUndo) {
  const std::vector<std::string> names = Numbered("f%04d", 3000);
  Open(names);
  PreviewAdding("x");
  const HWND window = edit->handle();
  auto exists = [this](const char* file) {
    return GetFileAttributesW(folder.Wide(file).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  // Counts the answers that come while the run is half way: its first file
  // has moved and its last one not yet.
  auto answersMidway = [&](const char* first, const char* last, std::function<void()> run) {
    std::atomic<bool> over{false}, senderDone{false};
    std::atomic<int> midway{0};
    std::thread sender([&] {
      while (!over) {
        DWORD_PTR result = 0;
        const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
        if (answered && exists(first) && !exists(last)) ++midway;
        Sleep(2);
      }
      senderDone = true;
    });
    run();
    over = true;
    while (!senderDone) {  // answer the message that may still be on its way
      PumpMessages();
      Sleep(1);
    }
    sender.join();
    return midway.load();
  };
  desktop.Answer(MessageAnswer::No);  // no folder
  EXPECT_GE(answersMidway("xf0000", "xf2999", [&] { Click(按钮更名); }), 10);
  EXPECT_TRUE(exists("xf2999"));
  desktop.Answer(MessageAnswer::Yes);
  EXPECT_GE(answersMidway("f2999", "f0000", [&] { Click(按钮撤销); }), 10);
  EXPECT_TRUE(exists("f0000"));
}

// Closing the window mid-batch stops it after the file in hand; the option
// controls and buttons can't be clicked meanwhile, and are as they were
// once it has ended.
TEST_F(BatchRenameWineTest, ClosingMidBatchStopsItAndControlsTakeNoClicks) {
  const std::vector<std::string> names = Numbered("g%03d", 800);
  Open(names);
  PreviewAdding("y");
  const HWND window = edit->handle();
  const HWND checkBox = Get(选择框添加右始);
  const HWND previewButton = Get(按钮预览);
  const HWND disabledBox = Get(组合框2);  // off until brackets are asked for
  std::atomic<bool> anyClickable{true};
  std::thread user([&] {
    while (GetFileAttributesW(folder.Wide("yg010").c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(1);
    anyClickable = IsWindowEnabled(checkBox) || IsWindowEnabled(previewButton) ||
                   IsWindowEnabled(Get(添加字符文本)) || IsWindowEnabled(Get(按钮载参));
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  desktop.Answer(MessageAnswer::No);  // no folder
  Click(按钮更名);
  user.join();
  EXPECT_EQ(Texts(), std::vector<std::string>{kDone});
  EXPECT_FALSE(anyClickable);
  EXPECT_TRUE(IsWindowEnabled(checkBox) && IsWindowEnabled(previewButton));
  EXPECT_FALSE(IsWindowEnabled(disabledBox));
  const auto disk = Disk(folder.path());
  EXPECT_EQ(disk.size(), names.size());
  size_t renamed = 0;
  for (const std::string& original : names) {
    const bool moved = disk.count("y" + original) == 1;
    EXPECT_NE(moved, disk.count(original) == 1) << original;  // one or the other
    renamed += moved;
  }
  EXPECT_GT(renamed, 10u);
  EXPECT_LT(renamed, names.size());
  EXPECT_TRUE(Enabled(按钮撤销));
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
}

// Takes slices of a started run until `file` has its new name.
void TakeSlicesUntil(const std::wstring& file) {
  MSG message;
  while (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The end of the session waits for a run; ended all the same, it stops
// the run, asking nothing, and the journal left on disk puts every file
// back at the next start. Afterwards the session may end.
TEST_F(BatchRenameWineTest, TheSessionWaitsForARunAndItsForcedEndLeavesAJournalThatPutsBack) {
  const std::vector<std::string> names = Numbered("s%03d", 400);
  Open(names);
  PreviewAdding("y");
  SendMessageW(Get(按钮更名), BM_CLICK, 0, 0);
  TakeSlicesUntil(folder.Wide("ys010"));
  EXPECT_EQ(SendMessageW(edit->handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_TRUE(edit->Running());
  SendMessageW(edit->handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(edit->Running());
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(SendMessageW(edit->handle(), WM_QUERYENDSESSION, 0, 0), TRUE);

  const auto cut = Disk(folder.path());
  ASSERT_EQ(cut.size(), names.size());
  EXPECT_EQ(cut.count("s000"), 0u);
  ASSERT_EQ(journals.journals.size(), 1u);
  RecordingWindow start;
  start.answerToAll = true;
  exec::PutBackLeftRuns(journals, files, start, [&](exec::RenameRun& run) { RunToEnd(run, start); });
  std::map<std::string, std::string> before;
  for (const std::string& name : names) before[name] = name;
  EXPECT_EQ(Disk(folder.path()), before);
  EXPECT_TRUE(journals.journals.empty());
}

// A run that throws stops as after a No: the window says so, the steps
// after the loop run, and the window closes; its owner takes input again.
TEST_F(BatchRenameWineTest, ARunThatThrowsStopsAndTheWindowCloses) {
  Open({"a", "b", "c"});
  PreviewAdding("y");
  files.throwFromRename = 2;
  desktop.Answer(MessageAnswer::No);  // no folder
  EnableWindow(owner, FALSE);
  const HWND window = edit->handle();
  Click(按钮更名);
  EXPECT_EQ(Texts(), (std::vector<std::string>{
                         "更名中出现错误（可能是内存不足），已停止处理后续的文件。", kDone}));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"ya", "a"}, {"b", "b"}, {"c", "c"}}));
  EXPECT_FALSE(edit->Running());
  EXPECT_TRUE(journals.journals.empty());
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(BatchRenameWineTest, ProgressBarTakesMoreThan32767) {
  Open({"a"});
  SendMessageW(Get(进度条1), PBM_SETRANGE32, 0, 40000);
  SendMessageW(Get(进度条1), PBM_SETPOS, 39000, 0);
  EXPECT_EQ(Progress(), 39000);
}

// The control `id` of the Edit window, inside whichever panel it is.
HWND FindControl(HWND editWindow, Control id) {
  struct Search { int id; HWND found; } search{id, nullptr};
  EnumChildWindows(editWindow, [](HWND child, LPARAM address) {
    auto& s = *reinterpret_cast<Search*>(address);
    if (GetDlgCtrlID(child) != s.id) return TRUE;
    s.found = child;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The whole road: files picked in the Main window, Edit-names, options,
// Preview, Batch rename, Undo, all inside the modal Edit window.
TEST_F(MainWindowTest, FromClickToDiskAndBack) {
  for (const char* name : {"b.txt", "a.txt", "c.txt"}) folder.AddFile(name);
  window.SetInitialFolder(folder.path());
  Pick("b.txt");
  Pick("a.txt");

  // Each step is posted when the one before has ended: a click or a close
  // that comes during a run would not wait for it.
  std::map<std::string, std::string> afterBatch;
  static HWND undoButton, editWindowHandle;
  desktop.onMessage = [&](const platform::MessageRequest& request) {
    if (request.text == kDone) {
      afterBatch = Disk(folder.path());
      PostMessageW(undoButton, BM_CLICK, 0, 0);
    }
    if (request.text == kUndoDone) PostMessageW(editWindowHandle, WM_CLOSE, 0, 0);
  };
  desktop.Answer(MessageAnswer::No);   // completion: no folder
  desktop.Answer(MessageAnswer::Yes);  // undo
  static std::function<void(HWND)> drive;
  drive = [](HWND editWindow) {
    auto find = [editWindow](Control id) { return FindControl(editWindow, id); };
    SetWindowTextW(find(添加字符文本), L"_");
    SetWindowTextW(find(添加位置), L"1");
    PostMessageW(find(按钮预览), BM_CLICK, 0, 0);
    PostMessageW(find(按钮更名), BM_CLICK, 0, 0);
    undoButton = find(按钮撤销);
    editWindowHandle = editWindow;
  };
  HHOOK hook = SetWindowsHookExW(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    wchar_t title[64] = {};
    if (code == HCBT_ACTIVATE) GetWindowTextW(reinterpret_cast<HWND>(wParam), title, 64);
    if (code == HCBT_ACTIVATE && platform::ToGbk(title) == "编辑窗口") drive(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }, nullptr, GetCurrentThreadId());
  Command(ui::kCommandEditNames);
  UnhookWindowsHookEx(hook);

  EXPECT_EQ(afterBatch, (std::map<std::string, std::string>{{"a_.txt", ""}, {"b_.txt", ""}, {"c.txt", ""}}));
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"a.txt", ""}, {"b.txt", ""}, {"c.txt", ""}}));
  EXPECT_EQ(desktop.messages().back().text, kUndoDone);
  EXPECT_EQ(window.fileBox().SelectionText(), "a.txt;b.txt");
}


// Names that code page 936 has no code for, names Win32 would change on
// the way, and a ";" inside a name: from the click in the file box to the
// disk and back, only the picked file changes, to exactly the name the
// Preview showed, and Undo brings back every name exactly.
struct Road {
  const char* label;
  std::vector<std::wstring> files;  // the first one is picked
  Control type;                     // 单选框添加字符 (text in front) or 单选框字符替换
  std::wstring text, replacement;
  std::wstring renamedTo;
  std::wstring subfolder = {};  // when not empty, the files are there and it is chosen in the tree
};

void PrintTo(const Road& road, std::ostream* out) { *out << road.label; }

class ExactNamesTest : public MainWindowTest, public testing::WithParamInterface<Road> {};

TEST_P(ExactNamesTest, OnlyThePickedFileChangesAndUndoBringsBackEveryName) {
  const Road& road = GetParam();
  std::string where = folder.path(), prefix;
  if (!road.subfolder.empty()) {
    prefix = platform::ToGbk(road.subfolder) + "\\";
    folder.AddFolder(platform::ToGbk(road.subfolder));
    where += "\\" + platform::ToGbk(road.subfolder);
  }
  for (const std::wstring& name : road.files) {
    HANDLE file = CreateFileW(folder.Wide(prefix + platform::ToGbk(name)).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << road.label;
    DWORD written = 0;
    WriteFile(file, name.data(), static_cast<DWORD>(name.size() * 2), &written, nullptr);
    CloseHandle(file);
  }
  window.SetInitialFolder(folder.path());
  if (!road.subfolder.empty()) {
    HWND tree = window.directoryBox().handle();
    TreeView_SelectItem(tree, TreeView_GetChild(tree, TreeView_GetSelection(tree)));
    SendMessageW(tree, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
    ASSERT_EQ(window.directoryBox().FolderText(), where);
  }
  Pick(platform::ToGbk(road.files[0]));
  const std::map<std::string, std::string> before = Disk(where);
  ASSERT_EQ(before.size(), road.files.size()) << road.label;

  std::map<std::string, std::string> afterBatch;
  static HWND undoButton, editWindowHandle;
  static const Road* driven;
  driven = &road;
  desktop.onMessage = [&](const platform::MessageRequest& request) {
    if (request.text == kDone) {
      afterBatch = Disk(where);
      PostMessageW(undoButton, BM_CLICK, 0, 0);
    }
    if (request.text == kUndoDone) PostMessageW(editWindowHandle, WM_CLOSE, 0, 0);
  };
  desktop.Answer(MessageAnswer::No);   // completion: no folder
  desktop.Answer(MessageAnswer::Yes);  // undo
  HHOOK hook = SetWindowsHookExW(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
    wchar_t title[64] = {};
    const HWND activated = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE) GetWindowTextW(activated, title, 64);
    if (code == HCBT_ACTIVATE && platform::ToGbk(title) == "编辑窗口" && activated != editWindowHandle) {
      editWindowHandle = activated;
      auto find = [activated](Control id) { return FindControl(activated, id); };
      SendMessageW(find(driven->type), BM_CLICK, 0, 0);
      if (driven->type == 单选框字符替换) {
        SendMessageW(find(单选框替换为), BM_CLICK, 0, 0);
        SendMessageW(find(单选框全部替换), BM_CLICK, 0, 0);
        SetWindowTextW(find(替换掉), driven->text.c_str());
        SetWindowTextW(find(替换为), driven->replacement.c_str());
      } else {
        SetWindowTextW(find(添加字符文本), driven->text.c_str());
        SetWindowTextW(find(添加位置), L"0");
      }
      PostMessageW(find(按钮预览), BM_CLICK, 0, 0);
      PostMessageW(find(按钮更名), BM_CLICK, 0, 0);
      undoButton = find(按钮撤销);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }, nullptr, GetCurrentThreadId());
  editWindowHandle = nullptr;
  Command(ui::kCommandEditNames);
  UnhookWindowsHookEx(hook);

  std::map<std::string, std::string> expected = before;
  expected.erase(platform::ToGbk(road.files[0]));
  expected[platform::ToGbk(road.renamedTo)] = before.at(platform::ToGbk(road.files[0]));
  EXPECT_EQ(afterBatch, expected) << road.label;
  EXPECT_EQ(state.NewNames, rules::NameList{platform::ToGbk(road.renamedTo)}) << road.label;
  EXPECT_EQ(Disk(where), before) << road.label;
  EXPECT_EQ(desktop.messages().back().text, kUndoDone) << road.label;
  EXPECT_EQ(window.fileBox().SelectedNames(), rules::NameList{platform::ToGbk(road.files[0])});
}

INSTANTIATE_TEST_SUITE_P(
    Roads, ExactNamesTest,
    testing::Values(
        Road{"semicolon", {L"a;b.txt", L"b.txt"}, 单选框添加字符, L"1", L"", L"1a;b.txt"},
        Road{"trailing dot", {L"report.", L"report"}, 单选框字符替换, L".", L"_", L"report_"},
        Road{"trailing blank", {L"memo.txt ", L"memo.txt"}, 单选框字符替换, L" ", L"_", L"memo.txt_"},
        Road{"capital accent", {L"\u00C9cole.txt"}, 单选框添加字符, L"1", L"", L"1\u00C9cole.txt"},
        Road{"superscript", {L"x\u00B2.txt", L"x2.txt"}, 单选框添加字符, L"1", L"", L"1x\u00B2.txt"},
        Road{"emoji", {L"a\U0001F601.txt", L"a\U0001F600.txt"}, 单选框添加字符, L"1", L"",
             L"1a\U0001F601.txt"},
        Road{"typed text", {L"a.txt"}, 单选框添加字符, L"\u00D6", L"", L"\u00D6a.txt"},
        Road{"folder", {L"x.txt"}, 单选框字符替换, L"x.", L"\U00020BB7.", L"\U00020BB7.txt", L"J\u00F6rg"}),
    [](const testing::TestParamInfo<Road>& info) {
      std::string name = info.param.label;
      for (char& c : name) c = c == ' ' ? '_' : c;
      return name;
    });
// The rename history in its window: two batches, the older one's files
// changed since by the newer one and by hand, listed newest first with
// what became of each file; its undo leaves the changed files alone and
// says how many; an undone entry can't be undone again; entries are
// forgotten one at a time or all after a question. With the switch off no
// entry is kept.
class HistoryWindowTest : public BatchRenameWineTest {
 protected:
  // The cells of one column, once the window has answered its messages.
  std::vector<std::string> Cells(ui::HistoryControl list, int column) const {
    PumpMessages();
    std::vector<std::string> cells;
    HWND handle = history->control(list);
    for (int row = 0; row < ListView_GetItemCount(handle); ++row) {
      wchar_t text[512] = {};
      ListView_GetItemText(handle, row, column, text, 512);
      cells.push_back(platform::ToGbk(text));
    }
    return cells;
  }
  void Press(ui::HistoryControl button) { SendMessageW(history->control(button), BM_CLICK, 0, 0); }
  std::optional<ui::HistoryWindow> history;
};

TEST_F(HistoryWindowTest, TheOlderBatchUndoneLeavesChangedFilesAlone) {
  Open({"a.txt", "b.txt", "c.txt"});
  PreviewAdding("x");
  desktop.Answer(MessageAnswer::No);  // no folder
  Click(按钮更名);
  OpenEdit(folder.path() + "\\", {"xa.txt"});
  PreviewAdding("y");
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  ASSERT_TRUE(MoveFileW(folder.Wide("xb.txt").c_str(), folder.Wide("hand.txt").c_str()));

  history.emplace(ui::ProgramPorts{desktop, files, journals, journals});
  ASSERT_NE(history->Open(owner), nullptr);
  EXPECT_EQ(Cells(ui::kEntriesListId, 2), (std::vector<std::string>{"批量更名", "批量更名"}));
  EXPECT_EQ(Cells(ui::kEntriesListId, 3), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(Cells(ui::kEntriesListId, 1), (std::vector<std::string>{folder.path() + "\\", folder.path() + "\\"}));
  EXPECT_EQ(Cells(ui::kEntriesListId, 4), (std::vector<std::string>{"可撤销", "可撤销"}));
  EXPECT_EQ(Cells(ui::kRowsListId, 1), (std::vector<std::string>{"yxa.txt"}));  // the newest, selected
  history->Select(1);
  EXPECT_EQ(Cells(ui::kRowsListId, 0), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(Cells(ui::kRowsListId, 1), (std::vector<std::string>{"xa.txt", "xb.txt", "xc.txt"}));
  EXPECT_EQ(Cells(ui::kRowsListId, 2), (std::vector<std::string>{"已改动", "已改动", ""}));

  desktop.Answer(MessageAnswer::Yes);
  const size_t before = desktop.messages().size();
  Press(ui::kUndoEntryId);
  const auto said = desktop.messages();
  ASSERT_EQ(said.size(), before + 2);
  EXPECT_EQ(said[before].text, "即将撤销所选的这次更名，是否继续？");
  EXPECT_EQ(said[before].title, "警告：");
  EXPECT_EQ(said[before + 1].text, "撤销完成，有 2 个文件在这次更名之后又被改动或已不存在，没有撤销。");
  EXPECT_EQ(said[before + 1].title, "提示：");
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{
                                      {"yxa.txt", "a.txt"}, {"hand.txt", "b.txt"}, {"c.txt", "c.txt"}}));
  EXPECT_EQ(Cells(ui::kEntriesListId, 2), (std::vector<std::string>{"撤销", "批量更名", "批量更名"}));
  EXPECT_EQ(Cells(ui::kEntriesListId, 4), (std::vector<std::string>{"可撤销", "可撤销", "已撤销"}));
  history->Select(2);
  EXPECT_EQ(Cells(ui::kRowsListId, 2), (std::vector<std::string>{"已撤销", "已撤销", "已撤销"}));
  EXPECT_FALSE(IsWindowEnabled(history->control(ui::kUndoEntryId)));

  Press(ui::kForgetEntryId);  // no question
  EXPECT_EQ(desktop.messages().size(), before + 2);
  EXPECT_EQ(Cells(ui::kEntriesListId, 2), (std::vector<std::string>{"撤销", "批量更名"}));
  desktop.Answer(MessageAnswer::No);
  Press(ui::kForgetAllId);
  EXPECT_EQ(desktop.messages().back().text, "即将删除全部更名历史，是否继续？");
  EXPECT_EQ(Cells(ui::kEntriesListId, 0).size(), 2u);
  desktop.Answer(MessageAnswer::Yes);
  Press(ui::kForgetAllId);
  EXPECT_TRUE(Cells(ui::kEntriesListId, 0).empty());
  EXPECT_TRUE(journals.entries.empty());
  EXPECT_FALSE(IsWindowEnabled(history->control(ui::kUndoEntryId)));
}

// 640x480 of client area at 100 % (646x505 outside under Wine), every
// control in its place, at each display scale.
TEST_F(HistoryWindowTest, LayoutAtTheDisplayScale) {
  OpenEdit(folder.path() + "\\", {});  // the owner
  history.emplace(ui::ProgramPorts{desktop, files, journals, journals});
  ASSERT_NE(history->Open(owner), nullptr);
  const int dpi = RunDpi();
  ExpectWindowAt(history->handle(), 646, 505, {640, 480}, dpi);
  ExpectPlaceAt(history->control(ui::kEntriesListId), {8, 8, 624, 200}, dpi);
  ExpectPlaceAt(history->control(ui::kRowsListId), {8, 216, 624, 216}, dpi);
  ExpectPlaceAt(history->control(ui::kUndoEntryId), {8, 440, 96, 32}, dpi);
  ExpectPlaceAt(history->control(ui::kForgetEntryId), {112, 440, 96, 32}, dpi);
  ExpectPlaceAt(history->control(ui::kForgetAllId), {216, 440, 96, 32}, dpi);
  ExpectPlaceAt(history->control(ui::kCloseHistoryId), {536, 440, 96, 32}, dpi);
}

TEST_F(HistoryWindowTest, NothingIsKeptWhileTheSwitchIsOffAndADamagedEntryIsSetAside) {
  journals.entries["entry0"] = "RNTOOL-HISTORY 1\tdamaged";
  journals.keeping = false;
  Open({"a.txt"});
  PreviewAdding("x");
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(journals.entries.size(), 1u);
  history.emplace(ui::ProgramPorts{desktop, files, journals, journals});
  ASSERT_NE(history->Open(owner), nullptr);
  EXPECT_TRUE(Cells(ui::kEntriesListId, 0).empty());
  EXPECT_EQ(journals.setAside, (std::vector<std::string>{"entry0"}));
  PostMessageW(history->control(ui::kCloseHistoryId), WM_KEYDOWN, VK_ESCAPE, 0);
  history->RunModal(owner);
  EXPECT_EQ(history->handle(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

// The Edit window's own order: its titles, its menu and Alt+arrows, the
// preview taken back by a new order, numbering, Batch rename and Undo
// going by the order shown.
class RowOrderTest : public BatchRenameWineTest {
 protected:
  const std::vector<std::string> photos = {"1.jpg", "10.jpg", "11.jpg", "12.jpg", "2.jpg"};
  // A click on a column's title, as the pointer makes it.
  void ClickTitle(int column) {
    HWND header = ListView_GetHeader(Get(超级列表框1));
    RECT title{};
    Header_GetItemRect(header, column, &title);
    const LPARAM at = MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
  }
  int Arrow(int column) const {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(Get(超级列表框1)), column, &item);
    return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
  }
  void Command(OrderCommand command) { SendMessageW(edit->handle(), WM_COMMAND, command, 0); }
  void SelectRows(const std::vector<int>& rows) {
    for (int row : rows) ListView_SetItemState(Get(超级列表框1), row, LVIS_SELECTED, LVIS_SELECTED);
  }
};

TEST_F(RowOrderTest, ATitleSortsNaturallyAndASecondClickReverses) {
  Open(photos);
  PreviewAdding("x");
  ASSERT_TRUE(Enabled(按钮更名));
  ClickTitle(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"1.jpg", "2.jpg", "10.jpg", "11.jpg", "12.jpg"}));
  EXPECT_EQ(Arrow(0), HDF_SORTUP);
  EXPECT_EQ(Arrow(1), 0);
  // The preview no longer stands: its column is empty, Batch rename waits.
  EXPECT_EQ(Column(1), std::vector<std::string>(5, ""));
  EXPECT_FALSE(Enabled(按钮更名));
  EXPECT_EQ(state.NewNames[1], "x2.jpg");  // the lists moved together
  ClickTitle(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"12.jpg", "11.jpg", "10.jpg", "2.jpg", "1.jpg"}));
  EXPECT_EQ(Arrow(0), HDF_SORTDOWN);
  ClickTitle(1);  // by the new names
  EXPECT_EQ(Column(0), (std::vector<std::string>{"1.jpg", "2.jpg", "10.jpg", "11.jpg", "12.jpg"}));
  EXPECT_EQ(Arrow(0), 0);
  EXPECT_EQ(Arrow(1), HDF_SORTUP);
  Command(kPickedOrder);
  EXPECT_EQ(Column(0), photos);
  EXPECT_EQ(Arrow(1), 0);
}

// Twelve photos numbered at the right after a sort: "2.jpg" gets 2, and
// Batch rename and Undo go by that order.
TEST_F(RowOrderTest, NumberingBatchRenameAndUndoFollowTheOrderShown) {
  Open(photos);
  ClickTitle(0);
  Click(单选框序号添加);
  Click(单选框序号居右);
  SendMessageW(Get(组合框1), CB_SETCURSEL, 0, 0);
  SendMessageW(Get(选择框添加括号), BM_CLICK, 0, 0);
  SendMessageW(Get(组合框2), CB_SETCURSEL, 0, 0);
  Click(按钮预览);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"1(1).jpg", "2(2).jpg", "10(3).jpg", "11(4).jpg", "12(5).jpg"}));
  desktop.Answer(MessageAnswer::No);
  Click(按钮更名);
  EXPECT_EQ(Disk(folder.path()), (std::map<std::string, std::string>{{"1(1).jpg", "1.jpg"},
                                                                      {"2(2).jpg", "2.jpg"},
                                                                      {"10(3).jpg", "10.jpg"},
                                                                      {"11(4).jpg", "11.jpg"},
                                                                      {"12(5).jpg", "12.jpg"}}));
  Command(kOrderReversed);  // a new order leaves the Undo as it was
  EXPECT_TRUE(Enabled(按钮撤销));
  desktop.Answer(MessageAnswer::Yes);
  Click(按钮撤销);
  std::map<std::string, std::string> back;
  for (const std::string& name : photos) back[name] = name;
  EXPECT_EQ(Disk(folder.path()), back);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"12.jpg", "11.jpg", "10.jpg", "2.jpg", "1.jpg"}));
}

TEST_F(RowOrderTest, TimeSizeAndMovesFromTheMenuAndTheKeys) {
  Open({"a", "b", "c"});
  // b is the oldest and the largest, a the newest and the smallest.
  const std::map<std::string, std::pair<int, int>> facts = {{"a", {3, 1}}, {"b", {1, 30}}, {"c", {2, 20}}};
  for (const auto& [name, fact] : facts) {
    HANDLE file = CreateFileW(folder.Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::string bytes(static_cast<size_t>(fact.second), 'x');
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const FILETIME time{static_cast<DWORD>(fact.first) * 100000000u, 30000000};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
  }
  Command(kOrderByTime);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b", "c", "a"}));
  Command(kOrderBySize);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "c", "b"}));
  Command(kOrderByName);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Arrow(0), HDF_SORTUP);
  Command(kOrderReversed);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(Arrow(0), HDF_SORTDOWN);
  SelectRows({2});
  Command(kMoveUp);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(edit->previewList().SelectedRows(), std::vector<size_t>{1});  // the selection moved with it
  EXPECT_EQ(Arrow(0), 0);
  Command(kMoveDown);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"c", "b", "a"}));
  // Alt+↑ twice on the list, then the window closes: a is at the top.
  PostMessageW(Get(超级列表框1), WM_SYSKEYDOWN, VK_UP, 0);
  PostMessageW(Get(超级列表框1), WM_SYSKEYDOWN, VK_UP, 0);
  PostMessageW(edit->handle(), WM_CLOSE, 0, 0);
  edit->RunModal(owner);
  EXPECT_EQ(state.CurrentNames, (rules::NameList{"a", "c", "b"}));
}

// Nothing moves while a run goes on.
TEST_F(RowOrderTest, NothingIsSortedWhileARunGoesOn) {
  const std::vector<std::string> names = Numbered("s%03d", 400);
  Open(names);
  PreviewAdding("y");
  desktop.Answer(MessageAnswer::No);
  SendMessageW(Get(按钮更名), BM_CLICK, 0, 0);
  TakeSlicesUntil(folder.Wide("ys010"));
  ASSERT_TRUE(edit->Running());
  edit->SortByColumn(0);
  edit->SortByColumn(0);
  edit->OrderRows(kOrderReversed);
  EXPECT_EQ(Arrow(0), 0);
  while (edit->Running()) PumpMessages();
  EXPECT_EQ(state.UndoNames, names);
}

}  // namespace
}  // namespace testing_support
