#include "exec/run_journal.h"

#include <charconv>

namespace exec {
namespace {

// A journal is lines of text that a person can read: a first line that
// says what it is, the kind, the folder, the rows (name before, target,
// verdict),
// the steps (row, parking name), then one mark per line as the run goes.
// A byte below 0x20 or "%" in a name is written as "%" and two hex digits,
// so a line ends only at its line feed and fields only at a tab.
constexpr std::string_view kFirstLine = "RNTOOL-JOURNAL 1";
constexpr std::string_view kPlannedLine = "planned";
constexpr std::string_view kEndLine = "end";

constexpr std::string_view KindName(JournalKind kind) {
  switch (kind) {
    case JournalKind::Batch: return "batch";
    case JournalKind::Undo: return "undo";
    case JournalKind::Restore: return "restore";
  }
  return "";
}

void AppendEscaped(std::string& out, std::string_view text) {
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '%') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
}

void AppendNumber(std::string& out, size_t number) { out += std::to_string(number); }

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    unsigned value = 0;
    if (text.size() - i < 3) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
    if (error != std::errc() || end != text.data() + i + 3) return std::nullopt;
    out += static_cast<char>(value);
    i += 2;
  }
  return out;
}

std::optional<size_t> Number(std::string_view text) {
  size_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The journal's text a line at a time; a last line without its line feed
// was cut off while being written, and counts as absent.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  std::optional<std::string_view> Next() {
    const size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text_.substr(at_, end - at_);
    at_ = end + 1;
    return line;
  }
  // The line split at its tabs.
  static std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
      if (tab == std::string_view::npos) return fields;
      start = tab + 1;
    }
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

// "word<tab>value": the value, when the line starts with that word.
std::optional<std::string_view> Tagged(std::optional<std::string_view> line, std::string_view word) {
  if (!line || line->size() <= word.size() || line->substr(0, word.size()) != word ||
      (*line)[word.size()] != '\t') {
    return std::nullopt;
  }
  return line->substr(word.size() + 1);
}

bool ReadHead(Lines& lines, JournalContents& contents) {
  if (lines.Next() != kFirstLine) return false;
  const auto kind = Tagged(lines.Next(), "kind");
  if (!kind) return false;
  if (*kind == KindName(JournalKind::Batch)) contents.kind = JournalKind::Batch;
  else if (*kind == KindName(JournalKind::Undo)) contents.kind = JournalKind::Undo;
  else if (*kind == KindName(JournalKind::Restore)) contents.kind = JournalKind::Restore;
  else return false;
  const auto folderField = Tagged(lines.Next(), "folder");
  const auto folder = folderField ? Unescaped(*folderField) : std::nullopt;
  if (!folder || folder->empty()) return false;
  contents.folder = *folder;
  return true;
}

// The rows and the steps, up to the line that says the plan is whole;
// false for a damaged plan.
bool ReadPlan(Lines& lines, JournalContents& contents, size_t textSize) {
  const auto rowsField = Tagged(lines.Next(), "rows");
  const auto rows = rowsField ? Number(*rowsField) : std::nullopt;
  if (!rows || *rows > textSize) return false;
  for (size_t row = 0; row < *rows; ++row) {
    const auto line = lines.Next();
    const auto fields = line ? Lines::Fields(*line) : std::vector<std::string_view>();
    const auto before = fields.size() == 3 ? Unescaped(fields[0]) : std::nullopt;
    const auto target = fields.size() == 3 ? Unescaped(fields[1]) : std::nullopt;
    const auto verdict = fields.size() == 3 ? Number(fields[2]) : std::nullopt;
    if (!before || !target || !verdict || *verdict > static_cast<size_t>(Verdict::Taken)) return false;
    contents.before.push_back(*before);
    contents.targets.push_back(*target);
    contents.verdicts.push_back(static_cast<Verdict>(*verdict));
  }
  const auto stepsField = Tagged(lines.Next(), "steps");
  const auto steps = stepsField ? Number(*stepsField) : std::nullopt;
  if (!steps || *steps > textSize) return false;
  for (size_t step = 0; step < *steps; ++step) {
    const auto line = lines.Next();
    if (!line) return false;
    const auto fields = Lines::Fields(*line);
    const auto row = Number(fields[0]);
    const auto park = fields.size() == 2 ? Unescaped(fields[1]) : std::optional<std::string>("");
    if (!row || *row >= *rows || fields.size() > 2 || !park) return false;
    contents.steps.push_back({*row, *park});
  }
  return lines.Next() == kPlannedLine;
}

// Marks up to the first that did not reach the disk whole.
void ReadMarks(Lines& lines, JournalContents& contents) {
  using Mark = JournalContents::Mark;
  while (const auto line = lines.Next()) {
    if (*line == kEndLine) {
      contents.ended = true;
      return;
    }
    const auto fields = Lines::Fields(*line);
    if (fields[0].size() != 1) return;
    const char type = fields[0][0];
    const auto index = fields.size() > 1 ? Number(fields[1]) : std::nullopt;
    if (!index) return;
    if ((type == Mark::Done || type == Mark::Failed) && fields.size() == 2 &&
        *index < contents.steps.size()) {
      contents.marks.push_back({static_cast<Mark::Type>(type), *index, {}});
    } else if (type == Mark::Moved && fields.size() == 3 && *index < contents.before.size()) {
      const auto name = Unescaped(fields[2]);
      if (!name) return;
      contents.marks.push_back({Mark::Moved, *index, *name});
    } else {
      return;
    }
  }
}

}  // namespace

RunJournal RunJournal::Begin(JournalStore& store, JournalKind kind, const std::string& folder,
                             const rules::NameList& before, const rules::NameList& targets,
                             const RenamePlan& plan) {
  RunJournal journal;
  journal.file_ = store.Create();
  if (!journal.file_) return journal;
  std::string text;
  text.reserve(64 + folder.size() + 8 * before.size() + 8 * plan.steps.size());
  text.append(kFirstLine).append("\nkind\t").append(KindName(kind)).append("\nfolder\t");
  AppendEscaped(text, folder);
  text += "\nrows\t";
  AppendNumber(text, before.size());
  text += '\n';
  for (size_t row = 0; row < before.size(); ++row) {
    AppendEscaped(text, before[row]);
    text += '\t';
    if (row < targets.size()) AppendEscaped(text, targets[row]);
    text += '\t';
    AppendNumber(text, static_cast<size_t>(plan.verdicts[row]));
    text += '\n';
  }
  text += "steps\t";
  AppendNumber(text, plan.steps.size());
  text += '\n';
  for (const RenameStep& step : plan.steps) {
    AppendNumber(text, step.row);
    if (!step.parkAs.empty()) {
      text += '\t';
      AppendEscaped(text, step.parkAs);
    }
    text += '\n';
  }
  text.append(kPlannedLine).append("\n");
  journal.file_->Append(text);
  journal.file_->MakeDurable();
  return journal;
}

void RunJournal::StepDone(size_t step) {
  if (!file_) return;
  char line[32] = "d\t";
  const auto end = std::to_chars(line + 2, line + sizeof(line) - 1, step).ptr;
  *end = '\n';
  file_->Append(std::string_view(line, end + 1 - line));
}

void RunJournal::Parked(size_t step) {
  StepDone(step);
  MakeDurable();
}

void RunJournal::StepFailed(size_t step) {
  if (!file_) return;
  file_->Append("f\t" + std::to_string(step) + "\n");
  file_->MakeDurable();
}

void RunJournal::Moved(size_t row, const std::string& name) {
  if (!file_) return;
  std::string line = "m\t" + std::to_string(row) + "\t";
  AppendEscaped(line, name);
  line += '\n';
  file_->Append(line);
  file_->MakeDurable();
}

void RunJournal::MakeDurable() {
  if (file_) file_->MakeDurable();
}

void RunJournal::End() {
  if (!file_) return;
  // Should the file outlive its removal, it says that nothing is left to do.
  file_->Append(std::string(kEndLine) + "\n");
  file_->MakeDurable();
  file_->Discard();
  file_.reset();
}

std::optional<JournalContents> ParseJournal(std::string_view text) {
  JournalContents contents;
  // Cut off while its plan was written: no file was touched. (No name
  // holds a line feed, so only the plan's last line reads so.)
  const std::string planned = "\n" + std::string(kPlannedLine) + "\n";
  if (text.find(planned) == std::string_view::npos) return contents;
  Lines lines(text);
  if (!ReadHead(lines, contents) || !ReadPlan(lines, contents, text.size())) return std::nullopt;
  contents.planned = true;
  ReadMarks(lines, contents);
  return contents;
}

}  // namespace exec
