#include "params/krnm_file.h"

#include <algorithm>

namespace params {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kEndOfFileMark = 26;

// "1" to "last" gives 1 to last; anything else 0.
int ListedNumber(std::string_view value, int last) {
  if (value.size() != 1 || value[0] < '1' || value[0] > '0' + last) return 0;
  return value[0] - '0';
}

const Parameter* RowOf(int p) {
  return p >= 1 && p <= kParameterCount ? &kParameters[static_cast<size_t>(p - 1)] : nullptr;
}

}  // namespace

std::string WriteParameter(const rules::RenameOptions& o, int p) {
  const Parameter* row = RowOf(p);
  if (!row) return {};
  switch (row->kind) {
    case Parameter::Kind::Text: return o.*row->text;
    case Parameter::Kind::Check:
    case Parameter::Kind::Brackets: return o.*row->flag ? "1" : "0";
    case Parameter::Kind::TwoWay: return o.*row->flag ? "0" : "1";
    case Parameter::Kind::Radio:
    case Parameter::Kind::ListItem: {
      // A list's item is stored 1-based; nothing chosen is stored as nothing.
      const int value = o.*row->number + (row->kind == Parameter::Kind::ListItem ? 1 : 0);
      return value >= 1 && value <= row->count ? std::to_string(value) : std::string();
    }
  }
  return {};
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
  const Parameter* row = RowOf(p);
  if (!row) return {};
  switch (row->kind) {
    case Parameter::Kind::Text: return {LineEffect::Text, std::string(value)};
    case Parameter::Kind::Check: return {LineEffect::Check, {}, value == "1"};
    case Parameter::Kind::Brackets: return {LineEffect::Check, {}, value != "0"};
    case Parameter::Kind::TwoWay: return {LineEffect::Check, {}, value == "0"};
    case Parameter::Kind::Radio:
    case Parameter::Kind::ListItem: {
      const int number = ListedNumber(value, row->count);
      if (number == 0) return {};
      return {LineEffect::Choice, {}, false, row->kind == Parameter::Kind::Radio ? number : number - 1};
    }
  }
  return {};
}

void ApplyParameter(rules::RenameOptions& o, int p, std::string_view value) {
  const LineEffect effect = InterpretParameter(p, value);
  const Parameter* row = RowOf(p);
  switch (effect.kind) {
    case LineEffect::Text: o.*row->text = effect.text; break;
    case LineEffect::Check: o.*row->flag = effect.checked; break;
    case LineEffect::Choice: o.*row->number = effect.choice; break;
    case LineEffect::Nothing: break;
  }
}

}  // namespace params
