#include "exec/run_journal.h"

#include <charconv>

namespace exec {
namespace {

// A journal is lines of text that a person can read: a first line that
// says what it is, the kind, the folder, its volume (serial, whether it
// keeps file IDs; "-" when not known), the rows (name before, target,
// verdict, and the file's size, last-write time and ID when it was listed),
// the steps (row, parking name), then one mark per line as the run goes.
// A byte below 0x20 or "%" in a name is written as "%" and two hex digits,
// so a line ends only at its line feed and fields only at a tab. Journals
// of the first version, without volume and identities, are still read.
constexpr std::string_view kFirstLine = "RNTOOL-JOURNAL 2";
constexpr std::string_view kFirstVersionLine = "RNTOOL-JOURNAL 1";
constexpr std::string_view kUnknown = "-";
// The plan goes to the file in pieces of about this size, so a journal of
// 100,000 rows never stands in memory twice.
constexpr size_t kPieceBytes = size_t{64} << 10;
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

void AppendNumber(std::string& out, uint64_t number) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof(digits), number).ptr);
}

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

template <typename Value = size_t>
std::optional<Value> Number(std::string_view text) {
  Value value = 0;
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

std::optional<VolumeIdentity> ReadVolume(std::string_view field) {
  if (field == kUnknown) return VolumeIdentity{};
  const auto fields = Lines::Fields(field);
  const auto serial = fields.size() == 2 ? Number<uint32_t>(fields[0]) : std::nullopt;
  if (!serial || (fields[1] != "0" && fields[1] != "1")) return std::nullopt;
  return VolumeIdentity{*serial, true, fields[1] == "1"};
}

bool ReadHead(Lines& lines, JournalContents& contents, bool& identities) {
  const auto first = lines.Next();
  if (first != kFirstLine && first != kFirstVersionLine) return false;
  identities = contents.hasIdentities = first == kFirstLine;
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
  if (!identities) return true;
  const auto volumeField = Tagged(lines.Next(), "volume");
  const auto volume = volumeField ? ReadVolume(*volumeField) : std::nullopt;
  if (!volume) return false;
  contents.volume = *volume;
  return true;
}

// Size, last-write time and ID, as three fields.
std::optional<FileIdentity> ReadIdentity(const std::vector<std::string_view>& fields, size_t from) {
  const auto size = Number<uint64_t>(fields[from]);
  const auto lastWrite = Number<uint64_t>(fields[from + 1]);
  const auto fileId = Number<uint64_t>(fields[from + 2]);
  if (!size || !lastWrite || !fileId) return std::nullopt;
  return FileIdentity{*size, *lastWrite, *fileId};
}

// The rows and the steps, up to the line that says the plan is whole;
// false for a damaged plan.
bool ReadPlan(Lines& lines, JournalContents& contents, size_t textSize, bool identities) {
  const auto rowsField = Tagged(lines.Next(), "rows");
  const auto rows = rowsField ? Number(*rowsField) : std::nullopt;
  if (!rows || *rows > textSize) return false;
  for (size_t row = 0; row < *rows; ++row) {
    const auto line = lines.Next();
    const auto fields = line ? Lines::Fields(*line) : std::vector<std::string_view>();
    const bool known = identities && fields.size() == 6;
    if (fields.size() != 3 && !known) return false;
    const auto before = Unescaped(fields[0]);
    const auto target = Unescaped(fields[1]);
    const auto verdict = Number(fields[2]);
    const auto identity = known ? ReadIdentity(fields, 3) : std::optional<FileIdentity>(FileIdentity{});
    if (!before || !target || !verdict || *verdict > static_cast<size_t>(Verdict::ShortNameTaken) || !identity) {
      return false;
    }
    contents.before.push_back(*before);
    contents.targets.push_back(*target);
    contents.verdicts.push_back(static_cast<Verdict>(*verdict));
    contents.identities.push_back(*identity);
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
    RenameStep parsed{static_cast<uint32_t>(*row)};
    if (!park->empty()) {
      parsed.parking = static_cast<uint32_t>(contents.parkingNames.size());
      contents.parkingNames.push_back(*park);
    }
    contents.steps.push_back(parsed);
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
    } else if ((type == Mark::Moved || type == Mark::Middle) && fields.size() == 3 &&
               *index < contents.before.size()) {
      const auto name = Unescaped(fields[2]);
      if (!name) return;
      contents.marks.push_back({static_cast<Mark::Type>(type), *index, *name});
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
  journal.file_ = store.Create(journal.failure_);
  if (!journal.file_) return journal;
  std::string text;
  text.reserve(kPieceBytes + 1024);
  auto piece = [&](bool last) {
    if (!last && text.size() < kPieceBytes) return;
    journal.file_->Append(text);
    text.clear();
  };
  text.append(kFirstLine).append("\nkind\t").append(KindName(kind)).append("\nfolder\t");
  AppendEscaped(text, folder);
  text += "\nvolume\t";
  if (plan.volume.known) {
    AppendNumber(text, plan.volume.serial);
    text.append(plan.volume.keepsFileIds ? "\t1" : "\t0");
  } else {
    text += kUnknown;
  }
  text += "\nrows\t";
  AppendNumber(text, before.size());
  text += '\n';
  for (size_t row = 0; row < before.size(); ++row) {
    AppendEscaped(text, before[row]);
    text += '\t';
    if (row < targets.size()) AppendEscaped(text, targets[row]);
    text += '\t';
    AppendNumber(text, static_cast<size_t>(plan.verdicts[row]));
    if (row < plan.identities.size() && plan.identities[row].known()) {
      const FileIdentity& identity = plan.identities[row];
      for (const uint64_t number : {identity.size, identity.lastWrite, identity.fileId}) {
        text += '\t';
        AppendNumber(text, number);
      }
    }
    text += '\n';
    piece(false);
  }
  text += "steps\t";
  AppendNumber(text, plan.steps.size());
  text += '\n';
  for (const RenameStep& step : plan.steps) {
    AppendNumber(text, step.row);
    if (const std::string& parkAs = ParkingName(plan.parkingNames, step); !parkAs.empty()) {
      text += '\t';
      AppendEscaped(text, parkAs);
    }
    text += '\n';
    piece(false);
  }
  text.append(kPlannedLine).append("\n");
  piece(true);
  journal.file_->MakeDurable();
  journal.written_ = journal.file_->Failure().empty();
  return journal;
}

std::string RunJournal::Failure() const { return file_ ? file_->Failure() : failure_; }

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

void RunJournal::Moved(size_t row, const std::string& name) { AppendNamed(JournalContents::Mark::Moved, row, name); }

void RunJournal::Middle(size_t row, const std::string& name) {
  AppendNamed(JournalContents::Mark::Middle, row, name);
}

void RunJournal::AppendNamed(char type, size_t row, const std::string& name) {
  if (!file_) return;
  std::string line = std::string(1, type) + "\t" + std::to_string(row) + "\t";
  AppendEscaped(line, name);
  line += '\n';
  file_->Append(line);
  file_->MakeDurable();
}

void RunJournal::MakeDurable() {
  if (file_) file_->MakeDurable();
}

std::string RunJournal::End(bool keep) {
  if (!file_) return {};
  // Should the file outlive its removal, it says that nothing is left to do.
  file_->Append(std::string(kEndLine) + "\n");
  file_->MakeDurable();
  failure_ = file_->Failure();
  std::string entry;
  if (keep && failure_.empty()) {
    entry = file_->Keep();
  } else {
    file_->Discard();
  }
  file_.reset();
  return entry;
}

std::optional<JournalContents> ParseJournal(std::string_view text) {
  JournalContents contents;
  // Cut off while its plan was written: no file was touched. (No name
  // holds a line feed, so only the plan's last line reads so.)
  const std::string planned = "\n" + std::string(kPlannedLine) + "\n";
  if (text.find(planned) == std::string_view::npos) return contents;
  Lines lines(text);
  bool identities = false;
  if (!ReadHead(lines, contents, identities) || !ReadPlan(lines, contents, text.size(), identities)) {
    return std::nullopt;
  }
  contents.planned = true;
  ReadMarks(lines, contents);
  return contents;
}

}  // namespace exec
