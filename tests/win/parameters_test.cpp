// Save and Load of the rename parameters through the real Edit window.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "edit_window_fixture.h"
#include "params/krnm_file.h"
#include "rules/replace_all.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/file_source.h"
#include "platform/whole_file.h"
#include "temp_folder.h"
#include "ui/edit/edit_layout.h"
#include "ui/edit/option_controls.h"
#include "ui/edit/option_table.h"

namespace testing_support {
namespace {

using namespace ui::edit;

const std::string kHeader = "KRNM\r\n请勿修改本文件内容，否则后果自负！！\r\n";
const std::string kDamaged = "此配置文件数据不正确，可能已经损坏！";

class ParametersTest : public EditWindowFixture {
 protected:
  void SetUp() override { OpenEdit("C:\\work\\", {"a.txt"}); }

  std::string Path(const char* name) const { return folder.path() + "\\" + name; }
  void Write(const char* name, const std::string& bytes) {
    ASSERT_TRUE(platform::ReplaceWholeFile(Path(name), bytes));
  }
  std::string Read(const char* name) const {
    if (GetFileAttributesW(platform::ToWide(Path(name)).c_str()) == INVALID_FILE_ATTRIBUTES) {
      return "(missing)";
    }
    platform::FileSource file(Path(name));
    std::string bytes;
    char buffer[4096];
    for (size_t read; (read = file.Read(buffer, sizeof(buffer))) > 0;) bytes.append(buffer, read);
    return bytes;
  }
  // Everything the controls hold, as Save would write it.
  std::string Options() const { return params::BuildKrnmFile(ReadRenameOptions(edit->controls())); }
  void Check(Control id, bool checked) {
    SendMessageW(Get(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  void Choose(Control list, int item) { SendMessageW(Get(list), CB_SETCURSEL, static_cast<WPARAM>(item), 0); }
  bool Shown(Control id) const { return (GetWindowLongPtrW(Get(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  void Save(const std::string& path) {
    desktop.Choose(path);
    Click(按钮保参);
  }
  void Load(const std::string& path) {
    desktop.Choose(path);
    Click(按钮载参);
  }

  TempFolder folder;
};

TEST_F(ParametersTest, SavesTheExampleByteForByte) {
  SetText(添加字符文本, "ABC");
  SetText(添加位置, "2");
  Check(选择框添加右始, true);
  SetText(替换掉, "-");
  SetText(替换为, "_");
  Choose(组合框1, 0);
  SetText(编辑框开始序号, "1");
  Choose(组合框2, 0);
  Save(Path("example.KRNM"));

  EXPECT_EQ(Read("example.KRNM"),
            kHeader + "1\r\nABC\r\n2\r\n1\r\n\r\n\r\n0\r\n1\r\n0\r\n-\r\n_\r\n0\r\n0\r\n0\r\n\r\n1\r\n1\r\n1\r\n"
                      "0\r\n0\r\n1\r\n");
  ASSERT_EQ(desktop.fileDialogs().size(), 1u);
  const platform::FileDialogRequest& dialog = desktop.fileDialogs()[0];
  EXPECT_EQ(dialog.kind, platform::FileDialogKind::Save);
  EXPECT_EQ(dialog.initialFolder, platform::ProgramFolder());
  EXPECT_EQ(dialog.filter, "澄川更名配置文件(*.KRNM) | *.KRNM");
  EXPECT_EQ(dialog.defaultExtension, "KRNM");
  EXPECT_EQ(dialog.initialPath, "");
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(ParametersTest, SaveThenLoadRestoresEveryTypeAndListItem) {
  const Control types[] = {单选框添加字符, 单选框删除字符, 单选框字符替换, 单选框大小写转换, 单选框序号添加};
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    Click(types[round % 5]);
    Click(round % 2 ? 单选框直接删除 : 单选框替换为);
    Click(round % 3 ? 单选框替换第N : 单选框全部替换);
    Click(round > 2 ? 单选框删除第N : 单选框全部删除);
    Click(round % 2 ? 单选框序号居右 : 单选框序号居左);
    Click(round % 3 == 0 ? 单选框转到大写 : round % 3 == 1 ? 单选框转到小写 : 单选框首字母大写);
    Choose(组合框1, round % 3);
    Choose(组合框2, round);
    Check(选择框添加括号, round % 2 == 0);
    SetText(添加字符文本, "文 " + std::to_string(round));
    SetText(N值, std::to_string(round));
    const std::string saved = Options();
    Save(Path("round.KRNM"));

    // Change everything, then load.
    Click(types[(round + 2) % 5]);
    Choose(组合框1, -1);
    Choose(组合框2, -1);
    Click(单选框首字母大写);
    SetText(添加字符文本, "");
    SetText(N值, "");
    Load(Path("round.KRNM"));
    EXPECT_EQ(Options(), saved);
    EXPECT_TRUE(Shown(static_cast<Control>(分组框添加字符 + round % 5)));
    EXPECT_EQ(Enabled(组合框2), round % 2 == 0);
  }
  EXPECT_TRUE(desktop.messages().empty());
}

// A typed character that code page 936 lacks is stored as its GB18030
// code and comes back as itself, in a file whose folder has such a name too.
TEST_F(ParametersTest, CharactersGbkLacksAreStoredAsGB18030AndComeBack) {
  const std::string jorg = platform::ToGbk(L"J\u00F6rg");
  CreateDirectoryW((L"\\\\?\\" + platform::ToWide(Path(jorg.c_str()))).c_str(), nullptr);
  const std::string file = jorg + "\\x.KRNM";
  SetWindowTextW(Get(替换为), L"\u00D6\U0001F600");
  Save(Path(file.c_str()));
  EXPECT_NE(Read(file.c_str()).find("\r\n\x81\x30\x89\x30\x94\x39\xFC\x36\r\n"), std::string::npos);
  SetWindowTextW(Get(替换为), L"");
  Load(Path(file.c_str()));
  wchar_t text[16] = {};
  GetWindowTextW(Get(替换为), text, 16);
  EXPECT_EQ(std::wstring(text), L"\u00D6\U0001F600");
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(ParametersTest, LoadsTwiceAndSavesOntoALoadedFileOfferingTheLastPath) {
  Write("p.KRNM", kHeader + "4\r\n");
  Load(Path("p.KRNM"));
  Click(单选框添加字符);
  Load(Path("p.KRNM"));
  EXPECT_TRUE(Shown(分组框大小写转换));
  Save(Path("p.KRNM"));
  EXPECT_EQ(Read("p.KRNM"), Options());
  ASSERT_EQ(desktop.fileDialogs().size(), 3u);
  EXPECT_EQ(desktop.fileDialogs()[0].kind, platform::FileDialogKind::Open);
  for (const auto& dialog : desktop.fileDialogs()) EXPECT_EQ(dialog.owner, edit->handle());
  EXPECT_EQ(desktop.fileDialogs()[1].initialPath, Path("p.KRNM"));
  EXPECT_EQ(desktop.fileDialogs()[2].initialPath, Path("p.KRNM"));
}

TEST_F(ParametersTest, RejectedFilesChangeNothing) {
  Write("lower.KRNM", "krnm\r\n请勿修改本文件内容，否则后果自负！！\r\n2\r\n");
  Write("warning.KRNM", "KRNM\r\n请勿修改本文件内容\r\n2\r\n");
  Write("empty.KRNM", "");
  Write("other.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  // A right start, but larger than any parameters file.
  Write("large.KRNM", kHeader + "1\r\n" + std::string(params::kLargestFile, 'x'));
  SetText(添加字符文本, "kept");
  const std::string before = Options();
  for (const char* name :
       {"lower.KRNM", "warning.KRNM", "empty.KRNM", "other.png", "missing.KRNM", "large.KRNM"}) {
    SCOPED_TRACE(name);
    Load(Path(name));
    EXPECT_EQ(Options(), before);
    ASSERT_FALSE(desktop.messages().empty());
    EXPECT_EQ(desktop.messages().back(), (platform::MessageRequest{kDamaged, "警告："}));
  }
  EXPECT_EQ(desktop.messages().size(), 6u);
  EXPECT_TRUE(Shown(分组框添加字符));
}

TEST_F(ParametersTest, FileEndingAfterP8AppliesEmptyValues) {
  Click(单选框字符替换);
  Check(选择框替换右始, true);
  SetText(替换掉, "s");
  SetText(编辑框开始序号, "5");
  Click(单选框转到小写);
  Choose(组合框1, 2);
  Choose(组合框2, 3);
  Write("short.KRNM", kHeader + "3\r\nA\r\n1\r\n1\r\n4\r\n5\r\n1\r\n0\r\n");
  Load(Path("short.KRNM"));

  const rules::RenameOptions o = ReadRenameOptions(edit->controls());
  EXPECT_FALSE(o.SearchFromRight);
  EXPECT_EQ(o.SearchText + o.ReplacementText + o.NthValue + o.StartNumber, "");
  EXPECT_FALSE(o.UseReplacement || o.ReplaceAll || o.DeleteAll || o.NumberAtLeft);
  EXPECT_TRUE(o.AddBrackets);
  EXPECT_TRUE(Enabled(组合框2));
  EXPECT_TRUE(Shown(N值) && Shown(输入N值));
  EXPECT_EQ(o.CaseMode, rules::kAllLower);
  EXPECT_EQ(o.NumberStyle, 2);
  EXPECT_EQ(o.BracketType, 3);
  EXPECT_EQ(o.AddText, "A");
  EXPECT_FALSE(o.IgnoreCase);
}

TEST_F(ParametersTest, ZeroByteEndsTheDataAndALongLineLoadsItsBeginning) {
  Write("zero.KRNM", kHeader + "2\r\nab" + std::string(1, '\0') + "cd\r\n7\r\n");
  SetText(添加位置, "9");
  Load(Path("zero.KRNM"));
  EXPECT_EQ(ReadRenameOptions(edit->controls()).AddText, "ab");
  EXPECT_EQ(ReadRenameOptions(edit->controls()).AddPosition, "");

  // As large as a parameters file may be.
  const std::string head = kHeader + "1\r\n";
  const std::string tail = "\r\n42\r\n";
  Write("long.KRNM", head + std::string(params::kLargestFile - head.size() - tail.size(), 'x') + tail);
  Load(Path("long.KRNM"));
  EXPECT_EQ(ReadRenameOptions(edit->controls()).AddText, std::string(params::kLongestLine, 'x'));
  EXPECT_EQ(ReadRenameOptions(edit->controls()).AddPosition, "42");
}

// A file made to make replace-all grow a name without end ("ab" comes
// back at every pass, by joining): loaded and previewed, the name stops
// growing once no file name could hold it.
class CraftedParametersTest : public ParametersTest {
 protected:
  void SetUp() override { OpenEdit("C:\\work\\", {"aab.txt"}); }
};

TEST_F(CraftedParametersTest, AnEndlessReplaceAllStaysBounded) {
  Click(单选框字符替换);
  Click(单选框替换为);
  Click(单选框全部替换);
  SetText(替换掉, "ab");
  SetText(替换为, std::string(60000, 'b') + "aa");
  Save(Path("crafted.KRNM"));
  SetText(替换为, "");
  Load(Path("crafted.KRNM"));
  Click(按钮预览);
  ASSERT_EQ(state.NewNames.size(), 1u);
  EXPECT_GT(state.NewNames[0].size(), rules::kLongestNameBytes);
  EXPECT_LE(state.NewNames[0].size(), rules::kLongestNameBytes + 60000);
  EXPECT_EQ(state.NewNames[0].substr(state.NewNames[0].size() - 6), "aa.txt");
}

// The system's dialog itself: its owner takes no input while it is open,
// and the current folder is the same after it as before, a file chosen in
// another folder or not.
TEST(SystemFileDialog, IsModalToItsOwnerAndLeavesTheCurrentFolder) {
  TempFolder folder;
  folder.AddFile("chosen.KRNM");
  static HWND owner;
  static bool ownerEnabled;
  static std::wstring chosenPath;
  owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  ownerEnabled = true;
  chosenPath = platform::ToWide(folder.path()) + L"\\chosen.KRNM";
  const std::string before = platform::CurrentFolder();
  // Once the dialog is up: note the owner, type the path, press OK.
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM found) {
      wchar_t name[16] = {};
      GetClassNameW(window, name, 16);
      if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, id);
    ownerEnabled = IsWindowEnabled(owner) != FALSE;
    HWND name = GetDlgItem(dialog, cmb13);
    if (!name) name = GetDlgItem(dialog, edt1);
    SetWindowTextW(name, chosenPath.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  const auto chosen = platform::SystemDesktop().ChooseFile(
      {platform::FileDialogKind::Open, owner, "C:\\", "参数(*.KRNM)|*.KRNM", "KRNM", ""});
  KillTimer(nullptr, timer);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(chosen, platform::ToGbk(chosenPath));
  EXPECT_EQ(platform::CurrentFolder(), before);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(ParametersTest, CancelInEitherDialogDoesNothing) {
  SetText(添加字符文本, "x");
  const std::string before = Options();
  desktop.Choose(std::nullopt);
  Click(按钮保参);
  desktop.Choose(std::nullopt);
  Click(按钮载参);
  EXPECT_EQ(Options(), before);
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(desktop.fileDialogs().size(), 2u);
}

TEST_F(ParametersTest, FailedSaveSaysSoAndLeavesTheOldFile) {
  Write("old.KRNM", "old contents");
  SetFileAttributesW(folder.Wide("old.KRNM").c_str(), FILE_ATTRIBUTE_READONLY);
  Save(Path("old.KRNM"));
  Save(folder.path() + "\\no such folder\\p.KRNM");
  EXPECT_EQ(Read("old.KRNM"), "old contents");
  const platform::MessageRequest notSaved{"更名参数没有保存：无法写入所选的文件。", "警告："};
  EXPECT_EQ(desktop.messages(), (std::vector<platform::MessageRequest>{notSaved, notSaved}));
  SetFileAttributesW(folder.Wide("old.KRNM").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Each option has one row, on its own line, whose controls are of the kind
// its value needs; every control that holds an option is in exactly one
// row, and nothing else is in any.
TEST(OptionTable, EveryOptionAndEveryOptionControlHaveExactlyOneRow) {
  using K = params::Parameter::Kind;
  size_t entryCount = 0;
  const ControlEntry* entries = ControlEntries(entryCount);
  std::map<Control, Kind> kinds;
  for (size_t i = 0; i < entryCount; ++i) kinds[entries[i].id] = entries[i].kind;

  std::map<Control, int> rowsOf;
  for (size_t i = 0; i < OptionRows().size(); ++i) {
    const OptionRow& row = OptionRows()[i];
    SCOPED_TRACE(row.line);
    EXPECT_EQ(row.line, static_cast<int>(i) + 1);
    const params::Parameter& parameter = ParameterOf(row);
    const bool radios = parameter.kind == K::Radio || parameter.kind == K::TwoWay;
    const size_t expected = parameter.kind == K::Radio ? static_cast<size_t>(parameter.count)
                            : parameter.kind == K::TwoWay ? 2 : 1;
    EXPECT_EQ(row.controls.size(), expected);
    for (Control id : row.controls) {
      ++rowsOf[id];
      const Kind kind = kinds.at(id);
      switch (parameter.kind) {
        case K::Text: EXPECT_TRUE(kind == Kind::TextEdit || kind == Kind::NumberEdit) << id; break;
        case K::Check:
        case K::Brackets: EXPECT_EQ(kind, Kind::CheckBox) << id; break;
        case K::ListItem: EXPECT_EQ(kind, Kind::DropDown) << id; break;
        default: EXPECT_TRUE(radios && kind == Kind::Radio) << id; break;
      }
      EXPECT_EQ(IsOptionControl(id), kind == Kind::Radio || kind == Kind::CheckBox) << id;
      EXPECT_EQ(RadioGroupOf(id), radios ? row.controls : std::vector<Control>{}) << id;
    }
  }
  for (const auto& [id, kind] : kinds) {
    const bool holdsAnOption = kind == Kind::Radio || kind == Kind::CheckBox || kind == Kind::TextEdit ||
                               kind == Kind::NumberEdit || kind == Kind::DropDown;
    EXPECT_EQ(rowsOf.count(id) ? rowsOf[id] : 0, holdsAnOption ? 1 : 0) << id;
  }
}

}  // namespace
}  // namespace testing_support
