#include "exec/left_runs.h"

#include "exec/run_recovery.h"

namespace exec {
namespace {

constexpr char kNoteTitle[] = "提示：";
constexpr char kWarningTitle[] = "警告：";
constexpr char kUnreadable[] = "一份更名记录无法读取，已移到一旁：";
constexpr char kFolderStart[] = "上次在文件夹 ";
constexpr char kBatchQuestionMiddle[] = " 中的更名没有完成，已有 ";
constexpr char kBatchQuestionEnd[] = " 个文件改了名。";
constexpr char kBatchQuestion[] = "\r\n是否把它们改回原来的名称？";
constexpr char kGoOnMiddle[] = "没有完成，还有 ";
constexpr char kGoOnEnd[] = " 个文件没有改回。";
constexpr char kStrangersStart[] = "另有 ";
constexpr char kStrangersEnd[] = " 个文件已不是那次改名的文件，不会改动。";
constexpr char kAwayMiddle[] = "没有完成，但现在打不开这个文件夹（移动磁盘或网络驱动器可能不在）。\r\n"
                               "是否保留这份更名记录，等文件夹能打开时再恢复？（选“否”将删除这份记录）";
constexpr char kNotTheirsStart[] = "文件夹 ";
constexpr char kNotTheirsEnd[] =
    " 中的文件已不是上次没有完成的那次改名所改的文件，没有改动任何文件。这份更名记录已移到一旁。";

// What the run was, in the offer's words.
std::string RunWords(JournalKind kind) {
  switch (kind) {
    case JournalKind::Batch: return "更名";
    case JournalKind::Undo: return "撤销";
    case JournalKind::Restore: return "恢复";
  }
  return {};
}

std::string Offer(const CutShortRun& cut) {
  std::string text = kFolderStart + cut.folder;
  if (cut.kind == JournalKind::Batch) {
    text += kBatchQuestionMiddle + std::to_string(cut.renamed) + kBatchQuestionEnd;
  } else {
    text += " 中的" + RunWords(cut.kind) + kGoOnMiddle + std::to_string(cut.renamed) + kGoOnEnd;
  }
  if (cut.strangers > 0) text += kStrangersStart + std::to_string(cut.strangers) + kStrangersEnd;
  if (cut.kind == JournalKind::Batch) return text + kBatchQuestion;
  return text + "\r\n是否完成" + RunWords(cut.kind) + "，改回更名前的名称？";
}

std::string AwayQuestion(const CutShortRun& cut) {
  return kFolderStart + cut.folder + " 中的" + RunWords(cut.kind) + kAwayMiddle;
}

void PutBack(const CutShortRun& cut, const std::string& journal, JournalStore& journals,
             FileOperations& files, Prompts& prompts, const std::function<void(RenameRun&)>& carry) {
  rules::ProgramState state;
  state.FolderPath = cut.folder;
  state.CurrentNames = cut.current;
  state.NewNames = cut.current;
  state.UndoNames = cut.restore;
  state.UndoOrder = cut.order;
  RenameRun run = RenameRun::Restore(state, files, journals, cut.files);
  // Its first step plans the run and writes its own journal; only then is
  // the old one no longer needed. A run without a journal of its own
  // leaves the old one until it has ended; one the user would not start
  // without, for ever.
  const std::optional<RunOutcome> ended = run.Step(prompts, [] { return true; });
  if (ended && ended->declined) return;
  if (run.Journaled()) journals.Remove(journal);
  carry(run);
  journals.Remove(journal);
}

// Files under a parking or middle name go back to their names from before
// the run, or the user hears where they are.
void BringBackTemporaries(const CutShortRun& cut, FileOperations& files, Prompts& prompts) {
  for (size_t row = 0; row < cut.current.size(); ++row) {
    if (!cut.temporary[row]) continue;
    if (files.Rename(cut.folder, cut.current[row], cut.beforeRun[row], [](const std::string&) {}).done) continue;
    TellStranded(prompts, cut.beforeRun[row], cut.current[row]);
  }
}

}  // namespace

void PutBackLeftRuns(JournalStore& journals, FileOperations& files, Prompts& prompts,
                     const std::function<void(RenameRun&)>& carry) {
  for (const std::string& journal : journals.Left()) {
    const std::optional<std::string> text = journals.Read(journal);
    const std::optional<JournalContents> contents = text ? ParseJournal(*text) : std::nullopt;
    const bool cutShort = contents && contents->planned && !contents->ended;
    const std::optional<CutShortRun> cut = cutShort ? FindCutShortRun(*contents, files) : std::nullopt;
    if (!contents || (cutShort && !cut)) {
      journals.SetAside(journal);
      prompts.Tell(kUnreadable + journals.Where(journal), kWarningTitle);
    } else if (!cut || (cut->reached && cut->renamed == 0 && cut->strangers == 0 &&
                        (cut->present > 0 || cut->current.empty()))) {
      journals.Remove(journal);  // it ended, or no file had been renamed
    } else if (!cut->reached) {
      if (!prompts.AskYesNo(AwayQuestion(*cut), kNoteTitle)) journals.Remove(journal);
    } else if (cut->renamed == 0) {  // none of the run's files is left to put back
      journals.SetAside(journal);
      prompts.Tell(kNotTheirsStart + cut->folder + kNotTheirsEnd, kNoteTitle);
    } else if (prompts.AskYesNo(Offer(*cut), kNoteTitle)) {
      PutBack(*cut, journal, journals, files, prompts, carry);
    } else {
      BringBackTemporaries(*cut, files, prompts);
      journals.Remove(journal);
    }
  }
}

}  // namespace exec
