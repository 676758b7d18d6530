#include "exec/batch_rename.h"

#include <limits>

#include "exec/plain_name.h"

namespace exec {
namespace {

constexpr char kMissingSource[] = "源文件不存在！！！";
constexpr char kBatchFailureMiddle[] = " 更改为： ";
constexpr char kBatchFailureEnd[] =
    " 更名失败,可能是没有相关权限,请以管理员身份运行本程序.是否继续更改后续文件？";
constexpr char kBatchFailureTitle[] = "警告:";
constexpr char kBatchDone[] =
    "更名完成，是否立即打开文件夹查看文件？（如果有问题可以点击撤销按钮撤销此次操作！）";
constexpr char kNoteTitle[] = "提示：";

constexpr char kUndoQuestion[] = "即将撤销上一次更名，是否继续？";
constexpr char kUndoQuestionTitle[] = "警告：";
constexpr char kUndoFailureStart[] = "文件  ";
constexpr char kUndoFailureMiddle[] = "  更名为   ";
constexpr char kUndoFailureEnd[] =
    " 更名失败，可能是没有相关权限，请以管理员身份运行本程序。是否继续更改后续文件？  ";
constexpr char kUndoDone[] = "撤销完成！文件名恢复到此次更名前的状态！";

uint32_t ProgressValue(size_t count) {
  return count > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                      : static_cast<uint32_t>(count);
}

// A target that would not stay a plain name in the folder is never handed
// to the file system: it fails like any other rename.
bool RenameInFolder(FileOperations& files, const std::string& folder, const std::string& from,
                    const std::string& to) {
  return IsPlainFileName(to) && files.Rename(folder + from, folder + to);
}

}  // namespace

void BatchRename(rules::ProgramState& state, FileOperations& files, RenameWindow& window) {
  const size_t count = state.CurrentNames.size();
  window.SetProgressMaximum(ProgressValue(count));
  state.UndoNames = state.CurrentNames;

  for (size_t i = 0; i < count && i < state.NewNames.size(); ++i) {
    const std::string& target = state.NewNames[i];
    if (RenameInFolder(files, state.FolderPath, state.CurrentNames[i], target)) {
      state.CurrentNames[i] = target;
      window.SetOldNameCell(i, target);
    } else {
      // The existence test only words the prompt, so it runs only on failure.
      const bool sourceMissing = !files.Exists(state.FolderPath + state.CurrentNames[i]);
      const std::string prompt = (sourceMissing ? kMissingSource : "") + state.CurrentNames[i] +
                                 kBatchFailureMiddle + target + kBatchFailureEnd;
      if (!window.AskYesNo(prompt, kBatchFailureTitle)) {
        window.RequestClose();
        break;
      }
    }
    window.ClearNewNameCell(i);
    window.SetProgressPosition(ProgressValue(i + 1));
  }

  window.EnableButtons(false, true);
  if (window.AskYesNo(kBatchDone, kNoteTitle)) window.OpenFolder();
  window.SetProgressPosition(0);
}

void UndoLastBatch(rules::ProgramState& state, FileOperations& files, RenameWindow& window) {
  if (!window.AskYesNo(kUndoQuestion, kUndoQuestionTitle)) return;
  const size_t count = state.CurrentNames.size();
  window.SetProgressPosition(0);
  window.SetProgressMaximum(ProgressValue(count));

  for (size_t i = 0; i < count && i < state.UndoNames.size(); ++i) {
    const std::string& target = state.UndoNames[i];
    if (RenameInFolder(files, state.FolderPath, state.CurrentNames[i], target)) {
      state.CurrentNames[i] = target;
      window.SetOldNameCell(i, target);
    } else {
      const std::string prompt = kUndoFailureStart + state.CurrentNames[i] + kUndoFailureMiddle +
                                 target + kUndoFailureEnd;
      if (!window.AskYesNo(prompt, kNoteTitle)) {
        window.RequestClose();
        break;
      }
    }
    window.SetProgressPosition(ProgressValue(i + 1));
  }

  window.EnableButtons(false, false);
  window.Tell(kUndoDone, kNoteTitle);
  window.SetProgressPosition(0);
}

}  // namespace exec
