#include "exec/rename_run.h"

#include <algorithm>

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
constexpr char kLeftAloneStart[] = "撤销完成，有 ";
constexpr char kLeftAloneEnd[] = " 个文件在这次更名之后又被改动或已不存在，没有撤销。";

constexpr char kNoJournalStart[] = "无法写入更名记录（";
constexpr char kNoJournalEnd[] =
    "）。\r\n没有这份记录，更名中途被打断（程序崩溃、断电、注销）时将无法改回原来的名称。\r\n是否仍然继续？";
constexpr char kJournalBrokeStart[] = "更名期间写入更名记录失败（";
constexpr char kJournalBrokeEnd[] = "）。文件名不受影响，但若程序在更名中途被打断，将无法全部改回原来的名称。";
constexpr char kWarningTitle[] = "警告：";

constexpr char kLeftParkedStart[] = "文件 ";
constexpr char kLeftParkedMiddle[] = " 暂存为 ";
constexpr char kLeftParkedEnd[] = "，未能改回原名，请手动改回。";

// The plan of renaming CurrentNames to `targets` in the folder as it is on
// disk now.
RenamePlan PlanOnDisk(RenameRun::Kind kind, const rules::ProgramState& state,
                      const rules::NameList& targets, const std::vector<size_t>& order,
                      FileOperations& files, const ExpectedFiles* expected = nullptr) {
  return PlanRenames(files.ListFolder(state.FolderPath), state.CurrentNames, targets, order, files,
                     kind == RenameRun::Kind::Batch ? Targets::NewNames : Targets::FormerNames,
                     expected);
}

// The batch's order reversed; rows it never reached would have come last.
std::vector<size_t> ReversedOrder(std::vector<size_t> handled, size_t count) {
  std::vector<bool> reached(count, false);
  for (size_t row : handled) reached[row] = true;
  for (size_t row = 0; row < count; ++row) {
    if (!reached[row]) handled.push_back(row);
  }
  std::reverse(handled.begin(), handled.end());
  return handled;
}

bool IsOrderOf(const std::vector<size_t>& order, size_t count) {
  if (order.size() != count) return false;
  std::vector<bool> seen(count, false);
  for (size_t row : order) {
    if (row >= count || seen[row]) return false;
    seen[row] = true;
  }
  return true;
}

}  // namespace

RenamePlan PlanBatch(const rules::ProgramState& state, FileOperations& files) {
  return PlanOnDisk(RenameRun::Kind::Batch, state, state.NewNames,
                    ListOrder(state.CurrentNames.size()), files);
}

RenameRun::RenameRun(Kind kind, JournalKind journalKind, rules::ProgramState& state,
                     FileOperations& files, JournalStore& journals, std::vector<size_t> order)
    : kind_(kind), journalKind_(journalKind), state_(state),
      targets_(kind == Kind::Batch ? state.NewNames : state.UndoNames), files_(files),
      journals_(journals), order_(std::move(order)) {}

RenameRun RenameRun::Batch(rules::ProgramState& state, FileOperations& files, JournalStore& journals) {
  return RenameRun(Kind::Batch, JournalKind::Batch, state, files, journals,
                   ListOrder(state.CurrentNames.size()));
}

RenameRun RenameRun::Restore(rules::ProgramState& state, FileOperations& files, JournalStore& journals,
                             std::optional<ExpectedFiles> expected) {
  RenameRun run = UndoRun(state, files, journals);
  run.journalKind_ = JournalKind::Restore;
  run.expected_ = std::move(expected);
  return run;
}

RenameRun RenameRun::UndoKept(rules::ProgramState& state, FileOperations& files, JournalStore& journals,
                              ExpectedFiles expected) {
  RenameRun run = Restore(state, files, journals, std::move(expected));
  run.journalKind_ = JournalKind::Undo;
  return run;
}

std::optional<RenameRun> RenameRun::Undo(rules::ProgramState& state, FileOperations& files,
                                         JournalStore& journals, Prompts& prompts) {
  if (!prompts.AskYesNo(kUndoQuestion, kUndoQuestionTitle)) return std::nullopt;
  return UndoRun(state, files, journals);
}

RenameRun RenameRun::UndoRun(rules::ProgramState& state, FileOperations& files, JournalStore& journals) {
  const size_t count = state.CurrentNames.size();
  std::vector<size_t> order = state.UndoOrder;
  if (!IsOrderOf(order, count)) order = ReversedOrder({}, count);
  return RenameRun(Kind::Undo, JournalKind::Undo, state, files, journals, std::move(order));
}

bool RenameRun::Begin() {
  plan_ = PlanOnDisk(kind_, state_, targets_, order_, files_, expected_ ? &*expected_ : nullptr);
  order_ = std::vector<size_t>();  // memory and all
  journal_ = RunJournal::Begin(journals_, journalKind_, state_.FolderPath, state_.CurrentNames, targets_,
                               *plan_);
  if (!journal_.Written() &&
      !prompts_->AskYesNo(kNoJournalStart + journal_.Failure() + kNoJournalEnd, kWarningTitle)) {
    return false;
  }
  handled_.reserve(plan_->steps.size());
  renamed_.assign(state_.CurrentNames.size(), false);
  if (kind_ == Kind::Batch) state_.UndoNames = state_.CurrentNames;
  observer_->Progress(0, state_.CurrentNames.size());
  return true;
}

std::optional<RunOutcome> RenameRun::Step(Prompts& prompts, const std::function<bool()>& enough) {
  RunObserver nobody;
  return Step(prompts, nobody, enough);
}

std::optional<RunOutcome> RenameRun::Step(Prompts& prompts, RunObserver& observer,
                                          const std::function<bool()>& enough) {
  prompts_ = &prompts;
  observer_ = &observer;
  TakeSteps(enough);
  prompts_ = nullptr;
  observer_ = nullptr;
  return ended_ ? std::optional<RunOutcome>(outcome_) : std::nullopt;
}

void RenameRun::TakeSteps(const std::function<bool()>& enough) {
  if (!plan_ && !ended_) {
    if (!Begin()) {
      journal_.End();
      outcome_.declined = ended_ = true;
      return;
    }
    if (enough()) return;
  }
  while (!ended_) {
    if (stopRequested_ || outcome_.close || next_ == plan_->steps.size()) {
      Finish();
      break;
    }
    const size_t index = next_++;
    const RenameStep& step = plan_->steps[index];
    if (const std::string& parkAs = ParkingName(plan_->parkingNames, step); !parkAs.empty()) {
      Park(index, step.row, parkAs);
    } else if (!HandleRow(index, step.row)) {
      outcome_.close = true;  // the loop ends at once
      continue;
    } else {
      handled_.push_back(step.row);
      observer_->Progress(handled_.size(), state_.CurrentNames.size());
    }
    if (enough()) break;
  }
}

// Steps after the loop: a cycle left open closes, then the closing prompts.
void RenameRun::Finish() {
  if (parked_) BringBackParked();
  ended_ = true;
  outcome_.undoable = kind_ == Kind::Batch;
  if (forTheEnd_) {
    journal_.MakeDurable();
    return;
  }
  // A journal the user agreed to go without is not told of again.
  const std::string failure = journal_.Written() ? journal_.Failure() : std::string();
  outcome_.kept = journal_.End(std::find(renamed_.begin(), renamed_.end(), true) != renamed_.end());
  if (!failure.empty()) prompts_->Tell(kJournalBrokeStart + failure + kJournalBrokeEnd, kWarningTitle);
  if (kind_ == Kind::Batch) {
    state_.UndoOrder = ReversedOrder(handled_, state_.CurrentNames.size());
    outcome_.openFolder = prompts_->AskYesNo(kBatchDone, kNoteTitle);
  } else {
    prompts_->Tell(UndoDoneText(), kNoteTitle);
  }
}

// An undo of a kept run says how many of its files it left alone.
std::string RenameRun::UndoDoneText() const {
  const auto leftAlone = journalKind_ == JournalKind::Undo && expected_
                             ? std::count(plan_->verdicts.begin(), plan_->verdicts.end(), Verdict::NotTheFile)
                             : 0;
  if (leftAlone == 0) return kUndoDone;
  return kLeftAloneStart + std::to_string(leftAlone) + kLeftAloneEnd;
}

bool RenameRun::Move(size_t row, const std::string& to) {
  const RenameOutcome outcome =
      files_.Rename(state_.FolderPath, state_.CurrentNames[row], to,
                    [&](const std::string& middle) { journal_.Middle(row, middle); });
  if (outcome.done) {
    state_.CurrentNames[row] = to;
    return true;
  }
  if (!outcome.strandedAs.empty()) TellStranded(row, state_.CurrentNames[row], outcome.strandedAs);
  return false;
}

bool RenameRun::MoveAside(size_t row, const std::string& to) {
  if (!Move(row, to)) return false;
  journal_.Moved(row, to);
  return true;
}

void TellStranded(Prompts& prompts, const std::string& originalName, const std::string& name) {
  prompts.Tell(kLeftParkedStart + originalName + kLeftParkedMiddle + name + kLeftParkedEnd, kBatchFailureTitle);
}

void RenameRun::TellStranded(size_t row, const std::string& originalName, const std::string& name) {
  journal_.Moved(row, name);
  exec::TellStranded(*prompts_, originalName, name);
  state_.CurrentNames[row] = name;
  renamed_[row] = true;
  observer_->Renamed(row, name);
}

void RenameRun::Park(size_t step, size_t row, const std::string& name) {
  const std::string original = state_.CurrentNames[row];
  // Failing here leaves the cycle blocked: its renames then fail one by one.
  if (Move(row, name)) {
    journal_.Parked(step);
    parked_ = Parked{row, original, {}};
  } else {
    journal_.StepFailed(step);
  }
}

// False when the user chose to stop.
bool RenameRun::HandleRow(size_t step, size_t row) {
  if (plan_->verdicts[row] == Verdict::NotTheFile) return true;  // another file: not ours to touch
  const std::string before = parked_ ? state_.CurrentNames[row] : std::string();
  const bool ownParked = parked_ && parked_->row == row;
  const bool changes = (ownParked ? parked_->originalName : state_.CurrentNames[row]) != targets_[row];
  const bool renamed = !IsRefused(plan_->verdicts[row]) && Move(row, targets_[row]);
  if (renamed) {
    journal_.StepDone(step);
    if (changes) renamed_[row] = true;
    observer_->Renamed(row, state_.CurrentNames[row]);
    if (parked_ && parked_->row == row) {
      parked_.reset();
    } else if (parked_) {
      parked_->movedSince.emplace_back(row, before);
    }
  } else {
    journal_.StepFailed(step);
    if (parked_ && parked_->row == row) BringBackParked();
    if (!prompts_->AskYesNo(FailurePrompt(row), kind_ == Kind::Batch ? kBatchFailureTitle : kNoteTitle)) {
      return false;
    }
  }
  if (kind_ == Kind::Batch) observer_->NewNameUsed(row);
  return true;
}

std::string RenameRun::FailurePrompt(size_t row) {
  const std::string& name = state_.CurrentNames[row];
  if (kind_ == Kind::Undo) {
    return kUndoFailureStart + name + kUndoFailureMiddle + targets_[row] + kUndoFailureEnd;
  }
  // The existence test only words the prompt, so it runs only on failure.
  const bool sourceMissing = !files_.Exists(state_.FolderPath, name);
  return (sourceMissing ? kMissingSource : "") + name + kBatchFailureMiddle + targets_[row] +
         kBatchFailureEnd;
}

// A cycle that could not close: its parked file goes back to its own
// name, after the files that took that name (and so on) have gone back.
void RenameRun::BringBackParked() {
  Parked parked = std::move(*parked_);
  parked_.reset();
  if (MoveAside(parked.row, parked.originalName)) return;
  for (auto moved = parked.movedSince.rbegin(); moved != parked.movedSince.rend(); ++moved) {
    if (!MoveAside(moved->first, moved->second)) break;
    renamed_[moved->first] = false;  // back under its own name
    observer_->Renamed(moved->first, moved->second);
  }
  if (MoveAside(parked.row, parked.originalName)) return;
  TellStranded(parked.row, parked.originalName, state_.CurrentNames[parked.row]);
}

}  // namespace exec
