#include "exec/left_runs.h"

#include "exec/run_recovery.h"

namespace exec {
namespace {

constexpr char kQuestionStart[] = "上次在文件夹 ";
constexpr char kQuestionMiddle[] = " 中的更名没有完成，已有 ";
constexpr char kQuestionEnd[] = " 个文件改了名。\r\n是否把它们改回原来的名称？";
constexpr char kQuestionTitle[] = "提示：";
constexpr char kUnreadable[] = "一份更名记录无法读取，已移到一旁：";
constexpr char kFolderGoneStart[] = "上次中断的更名所在的文件夹中已找不到它的文件：";
constexpr char kFolderGoneEnd[] = "，其更名记录已移到一旁。";
constexpr char kWarningTitle[] = "警告：";

void PutBack(const CutShortRun& cut, const std::string& journal, JournalStore& journals,
             FileOperations& files, RenameWindow& window, const std::function<void(RenameRun&)>& carry) {
  rules::ProgramState state;
  state.FolderPath = cut.folder;
  state.CurrentNames = cut.current;
  state.NewNames = cut.current;
  state.UndoNames = cut.restore;
  state.UndoOrder = cut.order;
  RenameRun run = RenameRun::Restore(state, files, window, journals);
  // Its first step plans the run and writes its own journal; only then is
  // the old one no longer needed.
  run.Step([] { return true; });
  journals.Remove(journal);
  carry(run);
}

}  // namespace

void PutBackLeftRuns(JournalStore& journals, FileOperations& files, RenameWindow& window,
                     const std::function<void(RenameRun&)>& carry) {
  for (const std::string& journal : journals.Left()) {
    const std::optional<std::string> text = journals.Read(journal);
    const std::optional<JournalContents> contents = text ? ParseJournal(*text) : std::nullopt;
    const std::optional<CutShortRun> cut =
        contents && contents->planned && !contents->ended ? FindCutShortRun(*contents, files) : std::nullopt;
    if (!contents || (contents->planned && !contents->ended && !cut)) {
      journals.SetAside(journal);
      window.Tell(kUnreadable + journals.Where(journal), kWarningTitle);
    } else if (cut && !cut->inFolder) {
      journals.SetAside(journal);
      window.Tell(kFolderGoneStart + cut->folder + kFolderGoneEnd, kWarningTitle);
    } else if (!cut || cut->renamed == 0) {
      journals.Remove(journal);  // it ended, or no file had been renamed
    } else if (window.AskYesNo(kQuestionStart + cut->folder + kQuestionMiddle +
                                   std::to_string(cut->renamed) + kQuestionEnd,
                               kQuestionTitle)) {
      PutBack(*cut, journal, journals, files, window, carry);
    } else {
      journals.Remove(journal);
    }
  }
}

}  // namespace exec
