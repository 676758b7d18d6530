#include "params/krnm_file.h"

#include <algorithm>

namespace params {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kEndOfFileMark = 26;

std::string Flag(bool on) { return on ? "1" : "0"; }
// The two-way options are stored the other way round: "0" for true.
std::string TwoWay(bool first) { return first ? "0" : "1"; }
std::string Position(int value, int first, int last) {
  return value >= first && value <= last ? std::to_string(value) : std::string();
}

// "1" to "last" gives 1 to last; anything else 0.
int ListedNumber(std::string_view value, int last) {
  if (value.size() != 1 || value[0] < '1' || value[0] > '0' + last) return 0;
  return value[0] - '0';
}

LineEffect TextEffect(std::string_view value) { return {LineEffect::Text, std::string(value)}; }
LineEffect CheckEffect(bool checked) { return {LineEffect::Check, {}, checked}; }
LineEffect ChoiceEffect(int choice) { return {LineEffect::Choice, {}, false, choice}; }

LineEffect RadioEffect(std::string_view value, int count) {
  const int number = ListedNumber(value, count);
  return number ? ChoiceEffect(number) : LineEffect{};
}

LineEffect ItemEffect(std::string_view value, int count) {
  const int number = ListedNumber(value, count);
  return number ? ChoiceEffect(number - 1) : LineEffect{};
}

}  // namespace

std::string WriteParameter(const rules::RenameOptions& o, int p) {
  switch (p) {
    case 1: return Position(o.RenameType, 1, 5);
    case 2: return o.AddText;
    case 3: return o.AddPosition;
    case 4: return Flag(o.AddFromRight);
    case 5: return o.DeleteCount;
    case 6: return o.DeletePosition;
    case 7: return Flag(o.DeleteFromRight);
    case 8: return Flag(o.IgnoreCase);
    case 9: return Flag(o.SearchFromRight);
    case 10: return o.SearchText;
    case 11: return o.ReplacementText;
    case 12: return TwoWay(o.UseReplacement);
    case 13: return TwoWay(o.ReplaceAll);
    case 14: return TwoWay(o.DeleteAll);
    case 15: return o.NthValue;
    case 16: return Position(o.CaseMode, 1, 3);
    case 17: return Position(o.NumberStyle + 1, 1, 3);
    case 18: return o.StartNumber;
    case 19: return TwoWay(o.NumberAtLeft);
    case 20: return Flag(o.AddBrackets);
    case 21: return Position(o.BracketType + 1, 1, 6);
    default: return {};
  }
}

std::string BuildKrnmFile(const rules::RenameOptions& options) {
  std::string file = std::string(kTagLine) + kLineEnd + kWarningLine + kLineEnd;
  for (int p = 1; p <= kParameterCount; ++p) file += WriteParameter(options, p) + kLineEnd;
  return file;
}

size_t TextSource::Read(char* buffer, size_t size) {
  const size_t count = std::min(size, bytes_.size());
  std::copy_n(bytes_.data(), count, buffer);
  bytes_.remove_prefix(count);
  return count;
}

int KrnmReader::NextByte() {
  if (position_ == filled_) {
    filled_ = source_->Read(buffer_.data(), buffer_.size());
    position_ = 0;
    if (filled_ == 0) return kNoByte;
  }
  return static_cast<unsigned char>(buffer_[position_++]);
}

std::string KrnmReader::NextLine() {
  std::string line;
  bool lastWasCr = false;  // the last byte read, kept or not
  bool cut = false;        // the line keeps a beginning only
  while (!ended_) {
    const int byte = NextByte();
    if (byte == kNoByte) break;
    if (byte == '\0' || byte == kEndOfFileMark) {
      ended_ = true;
      break;
    }
    if (byte == '\n') {
      if (lastWasCr && !cut) line.pop_back();
      return line;
    }
    // The second byte of a character goes with it, whatever it is.
    const int second = byte >= 0x80 ? NextByte() : kNoByte;
    const size_t size = second == kNoByte ? 1 : 2;
    cut = cut || line.size() + size > kLongestLine;
    if (!cut) {
      line += static_cast<char>(byte);
      if (second != kNoByte) line += static_cast<char>(second);
    }
    lastWasCr = second == kNoByte ? byte == '\r' : second == '\r';
  }
  return line;
}

LineEffect InterpretParameter(int p, std::string_view value) {
  switch (p) {
    case 1: return RadioEffect(value, 5);
    case 2: case 3: case 5: case 6: case 10: case 11: case 15: case 18: return TextEffect(value);
    case 4: case 7: case 8: case 9: return CheckEffect(value == "1");
    case 12: case 13: case 14: case 19: return CheckEffect(value == "0");
    case 16: return RadioEffect(value, 3);
    case 17: return ItemEffect(value, 3);
    case 20: return CheckEffect(value != "0");
    case 21: return ItemEffect(value, 6);
    default: return {};
  }
}

void ApplyParameter(rules::RenameOptions& o, int p, std::string_view value) {
  const LineEffect effect = InterpretParameter(p, value);
  if (effect.kind == LineEffect::Nothing) return;
  std::string* texts[] = {nullptr, nullptr, &o.AddText, &o.AddPosition, nullptr, &o.DeleteCount,
                          &o.DeletePosition, nullptr, nullptr, nullptr, &o.SearchText,
                          &o.ReplacementText, nullptr, nullptr, nullptr, &o.NthValue, nullptr,
                          nullptr, &o.StartNumber, nullptr, nullptr, nullptr};
  bool* checks[] = {nullptr, nullptr, nullptr, nullptr, &o.AddFromRight, nullptr, nullptr,
                    &o.DeleteFromRight, &o.IgnoreCase, &o.SearchFromRight, nullptr, nullptr,
                    &o.UseReplacement, &o.ReplaceAll, &o.DeleteAll, nullptr, nullptr, nullptr,
                    nullptr, &o.NumberAtLeft, &o.AddBrackets, nullptr};
  switch (effect.kind) {
    case LineEffect::Text: *texts[p] = effect.text; break;
    case LineEffect::Check: *checks[p] = effect.checked; break;
    case LineEffect::Choice:
      if (p == 1) o.RenameType = effect.choice;
      if (p == 16) o.CaseMode = effect.choice;
      if (p == 17) o.NumberStyle = effect.choice;
      if (p == 21) o.BracketType = effect.choice;
      break;
    default: break;
  }
}

}  // namespace params
